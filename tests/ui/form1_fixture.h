// A main window started in a scratch working folder with an injected clock,
// scripted answers and the station left as stored: the common start of the
// widget tests that type into Form1.
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>

#include "common/utc_clock.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompter.h"
#include "ui/form1.h"

namespace vantrel::ui {

// Tests reach the window and its state directly.
class Form1Fixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  // Starts the window on 144 MHz phone from FN20 with the given log lines.
  void Start(const std::string& log_text = "", int record_rst = 1, const char* mode = "PH",
             int contest = 2, float utc_offset = 5) {
    ProgramPrefs p;
    p.OwnCall = "N0CALL";
    p.OwnGrid = "FN20";
    p.UtcOffsetHours = utc_offset;
    p.CurrentMode = mode;
    p.CurrentBand = "144 M";
    p.ContestId = static_cast<uint8_t>(contest);
    p.RecordRst = static_cast<uint8_t>(record_rst);
    p.GridMapView = "View Grids";
    p.RigType = rig_type_;
    p.WorkedColor = 255;         // red
    p.RemainingColor = 8421504;  // grey
    Write("vhfpref.txt", FormatPrefs(p));
    Write("log.txt", log_text);
    state_ = RunState{};
    state_.WorkingDirectory = dir_.path().toStdString();
    state_.UserDataDirectory = dir_.path().toStdString() + "/user";
    prompter_ = ScriptedPrompter{};
    prompter_.yes_no_answers = {true};
    clock_.Set(MakeLocalTime(2007, 6, 9, 20, 30, 0));
    form_ = std::make_unique<Form1>(state_, prompter_,
                                    ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)});
    form_->set_terminate_handler([](int) {});
    form_->set_clock(&clock_);
    form_->set_station_setup_runner([](Form1&) { return StationSetupRefresh{}; });
    if (utc_override_)
      form_->set_utc_source(utc_override_);
    else
      form_->set_utc_source(
          [this] { return UtcFromLocal(clock_.Now(), state_.prefs.UtcOffsetHours); });
    if (before_load_) before_load_(*form_);
    ASSERT_TRUE(form_->Load());
    form_->show();
    QApplication::setActiveWindow(form_.get());
    form_->txtCall->setFocus();
    QApplication::processEvents();
  }

  void Write(const char* name, const std::string& bytes) {
    std::ofstream(dir_.filePath(name).toStdString(), std::ios::binary) << bytes;
  }
  std::string Read(const char* name) {
    std::ifstream in(dir_.filePath(name).toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  QWidget* Focus() { return QApplication::focusWidget(); }
  void Type(QWidget* w, const char* text) { QTest::keyClicks(w, text); }
  // A pointer movement over `w`, delivered the way the window system would.
  void MoveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }
  void Enter() { QTest::keyClick(Focus(), Qt::Key_Return); }

  // Logs a contact the way an operator would: call, Space, grid, Enter.
  void LogContact(const char* call, const char* grid) {
    form_->txtCall->setFocus();
    Type(form_->txtCall, call);
    form_->txtSec->setFocus();
    Type(form_->txtSec, grid);
    Enter();
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  FixedClock clock_;
  std::unique_ptr<Form1> form_;
  // The computer's UTC clock as the start-up offset check sees it; by
  // default it agrees with the stored offset.
  std::function<UtcTime()> utc_override_;
  // Runs between the window's construction and its load step (devices to inject).
  std::function<void(Form1&)> before_load_;
  // The radio vhfpref.txt names at start-up.
  std::string rig_type_ = "None";
};

inline std::string Line(const char* call, const char* rr, const char* grid, const char* rs,
                        const char* own, const char* date, const char* time, const char* band,
                        const char* mode, const char* freq = "") {
  ContactRecord r{call, rr, grid, rs, own, date, time, band, mode, freq};
  return FormatLogLine(r);
}

}  // namespace vantrel::ui
