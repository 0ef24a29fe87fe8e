// The main window with its spotting window loaded, a memory settings store
// naming the packet engine's address, and helpers for the spot tests.
#pragma once

#include <QTest>
#include <cstdlib>

#include "support/memory_settings_store.h"
#include "ui/form1_fixture.h"
#include "ui/form1_spots.h"
#include "ui/packet_spotfrm.h"

namespace vantrel::ui {

inline constexpr int kSpotWaitMs = 5000;

// A cluster line in the layout common nodes send: the frequency ends at
// column 24, the call starts at 27, the comment at 40, the time at 71.
inline std::string Spotted(const std::string& khz, const std::string& call,
                           const std::string& comment = "FN42",
                           const std::string& spotter = "W3LPL") {
  std::string line = "DX de " + spotter + ":";
  line.resize(24 - khz.size(), ' ');
  line += khz + "  " + call;
  line.resize(39, ' ');
  line += comment;
  line.resize(69, ' ');
  return line + " 2030Z";
}

class SpotWindowTest : public Form1Fixture {
 protected:
  void TearDown() override {
    form_.reset();
    unsetenv("VANTREL_COM3");
  }

  // Starts the main window (own call N0CALL) and loads the spotting window.
  PacketSpotfrm& Open(quint16 agw_port = 8000) {
    Start();
    store_.Save(kSettingsApplication, "AGW", "Port", std::to_string(agw_port));
    form_->set_settings_store(&store_);
    PacketSpotfrm& w = form_->spots().Window();
    w.set_modal_runner([](PacketSpotfrm&) {});
    w.show();
    QApplication::processEvents();
    return w;
  }
  void Choose(PacketSpotfrm& w, const char* source) {
    const auto found = w.List1->findItems(source, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    w.List1->setCurrentItem(found.front());
  }
  void SendLine(PacketSpotfrm& w, const char* text) {
    w.txtSent->setFocus();
    QTest::keyClicks(w.txtSent, text);
    QTest::keyClick(w.txtSent, Qt::Key_Return);
  }
  bool Shows(PacketSpotfrm& w, const std::string& text) {
    return QTest::qWaitFor([&] { return w.display().text().find(text) != std::string::npos; },
                           kSpotWaitMs);
  }
  const SpotStore& Store() { return form_->spots().book().store(); }
  QTreeWidget* List() { return form_->spots().txtDX; }
  bool Stored(size_t count) {
    return QTest::qWaitFor([&] { return form_->spots().book().list().rows().size() >= count; },
                           kSpotWaitMs);
  }

  MemorySettingsStore store_;
};

}  // namespace vantrel::ui
