// The voice keyer and voice navigation as the operator meets them in the
// main window: phone-mode keys, Esc, the repeat, the two windows, the
// announcements and the wait for "Dupe".
#include <QTest>
#include <filesystem>

#include "support/fake_wave_player.h"
#include "support/manual_millisecond_clock.h"
#include "support/recording_serial_port.h"
#include "tests/ui/form1_fixture.h"
#include "ui/form1_voice.h"

namespace vantrel::ui {
namespace {

struct ParallelWrites : ParallelPort {
  void Write(std::uint16_t address, std::uint8_t value) override {
    writes.push_back(std::to_string(address) + "=" + std::to_string(value));
  }
  std::vector<std::string> writes;
};

// Leaves its record behind when the window that owns it is gone.
struct WatchedPort : RecordingSerialPort {
  explicit WatchedPort(std::vector<std::string>& last) : last_(last) {}
  ~WatchedPort() override { last_ = events; }
  std::vector<std::string>& last_;
};

class Form1VoiceTest : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    before_load_ = [this](Form1& f) {
      f.voice().set_devices(
          [this] {
            auto player = std::make_unique<FakeWavePlayer>(clock);
            auto serial = std::make_unique<WatchedPort>(port_events_at_exit);
            auto parallel = std::make_unique<ParallelWrites>();
            keyer = player.get();
            port = serial.get();
            lpt = parallel.get();
            keyer->lengths = {{"/w/f1.wav", 1000}, {"/w/f2.wav", 500}};
            return VoiceDevices{std::move(player), std::move(serial), std::move(parallel)};
          },
          [this] {
            auto player = std::make_unique<FakeWavePlayer>(clock);
            announcements = player.get();
            for (const char* name : {"Call", "RstRcvd", "RstSnt", "Grid", "Dupe", "NavEn"})
              announcements->lengths[Folder() + "/" + name + ".wav"] = 400;
            return player;
          },
          &clock);
    };
  }
  std::string Folder() const { return dir_.path().toStdString(); }
  void WriteWave2(const char* port, int line, const char* repeat = "0") {
    VoiceSettings s;
    s.files[0] = "/w/f1.wav";
    s.files[1] = "/w/f2.wav";
    s.port = port;
    s.line = PttLineFromNumber(line);
    s.repeat = repeat;
    Write("wave2.txt", FormatVoiceSettings(s));
  }
  PhoneFrm& Phone() { return form_->voice().Phone(); }
  // Lets the 40 ms announcement tick see the announcements end.
  void AnnouncementsEnd() {
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
          clock.Advance(100);
          return !form_->voice().Blind().Busy();
        },
        2000));
  }

  ManualMillisecondClock clock;
  FakeWavePlayer* keyer = nullptr;
  RecordingSerialPort* port = nullptr;
  std::vector<std::string> port_events_at_exit;
  ParallelWrites* lpt = nullptr;
  FakeWavePlayer* announcements = nullptr;
};

TEST_F(Form1VoiceTest, PhoneModeKeysPlayAndEscStops) {
  WriteWave2("0", 2);
  Start();
  Type(form_->txtCall, "w1aw");
  QTest::keyClick(form_->txtCall, Qt::Key_F3);  // no file: nothing, no PTT
  QTest::keyClick(form_->txtCall, Qt::Key_F10);
  EXPECT_TRUE(keyer->events.empty());
  EXPECT_TRUE(lpt->writes.empty());
  QTest::keyClick(form_->txtCall, Qt::Key_F1);
  EXPECT_EQ(keyer->events, std::vector<std::string>{"play /w/f1.wav"});
  EXPECT_EQ(lpt->writes, std::vector<std::string>{"890=3"});
  EXPECT_TRUE(Phone().timers().poll()->isActive());

  QTest::keyClick(form_->txtCall, Qt::Key_Escape);  // stops, clears nothing
  EXPECT_EQ(keyer->events.back(), "stop");
  EXPECT_EQ(form_->txtCall->text(), "W1AW");
  EXPECT_TRUE(QTest::qWaitFor([this] { return lpt->writes.size() == 2; }, 1000));
  EXPECT_EQ(lpt->writes.back(), "890=2");
  QTest::keyClick(form_->txtCall, Qt::Key_Escape);  // nothing plays: clears
  EXPECT_TRUE(form_->txtCall->text().isEmpty());

  form_->SetMode("CW");
  keyer->events.clear();
  QTest::keyClick(form_->txtCall, Qt::Key_F2);
  EXPECT_TRUE(keyer->events.empty()) << "CW mode keys are not voice keys";
}

TEST_F(Form1VoiceTest, AnyKeyStopsTheRepeatAndTheWindowClosesTheLine) {
  WriteWave2("2", 0, "10");
  Start();
  QTest::keyClick(form_->txtCall, Qt::Key_F1);
  EXPECT_TRUE(Phone().keyer().VoiceRepeatArmed());
  EXPECT_TRUE(port->rts);
  Type(form_->txtCall, "k");
  EXPECT_FALSE(Phone().keyer().VoiceRepeatArmed());
  EXPECT_TRUE(keyer->IsPlaying()) << "the message itself plays on";
  form_.reset();  // program exit
  ASSERT_GE(port_events_at_exit.size(), 2u);
  EXPECT_EQ(port_events_at_exit[port_events_at_exit.size() - 2], "RTS off");
  EXPECT_EQ(port_events_at_exit.back(), "close");
}

TEST_F(Form1VoiceTest, PhoneWindowFieldsTestStopAndDone) {
  Start();
  PhoneFrm& w = Phone();
  EXPECT_TRUE(w.lblLoadNote->text().startsWith("wave2.txt could not be read"))
      << "a missing file is reported and the start-up goes on";
  EXPECT_EQ(w.windowTitle(), "Phone Wave Selections");
  QTest::keyClick(form_->txtCall, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(w.isVisible()) << "Ctrl+P opens it modeless";
  EXPECT_TRUE(form_->txtCall->text().isEmpty());
  QApplication::setActiveWindow(&w);
  w.set_file_dialog([](QWidget*) { return QString("/w/f1.wav"); });
  w.Browses[0]->click();
  EXPECT_EQ(w.Text[0]->text(), "/w/f1.wav");
  EXPECT_EQ(QApplication::focusWidget(), w.Command1);
  w.set_file_dialog([](QWidget*) { return QString(); });
  w.Browses[1]->click();
  EXPECT_EQ(prompter_.beeps, 1) << "cancel beeps";

  w.Text11->setFocus();
  w.Text11->clear();
  Type(w.Text11, "&h3bc\"");
  EXPECT_EQ(w.Text11->text(), "&H3BC");
  w.txtPHLoop->setFocus();
  w.txtPHLoop->clear();
  Type(w.txtPHLoop, "7x5");
  EXPECT_EQ(w.txtPHLoop->text(), "75");
  w.Text10->setFocus();  // leaving the repeat field: 75 is out of range
  EXPECT_EQ(w.txtPHLoop->text(), "0");
  w.txtPHLoop->setFocus();
  w.txtPHLoop->setText("5");
  w.Text11->setFocus();
  w.Option3->setChecked(true);

  w.Command11->click();  // Test plays F1 and arms the repeat
  EXPECT_EQ(keyer->events.back(), "play /w/f1.wav");
  EXPECT_TRUE(w.Command12->isVisible());
  w.Command12->click();
  EXPECT_FALSE(w.Command12->isVisible());
  EXPECT_FALSE(w.keyer().VoiceRepeatArmed());

  w.Command1->click();
  EXPECT_FALSE(w.isVisible());
  const VoiceSettings saved = ParseVoiceSettings(Read("wave2.txt"));
  EXPECT_EQ(saved.files[0], "/w/f1.wav");
  EXPECT_EQ(saved.line, PttLine::kParallel);
  EXPECT_EQ(saved.repeat, "5");
  EXPECT_EQ(saved.parallel, "&H3BC");
}

TEST_F(Form1VoiceTest, AnInvalidPttPortIsReportedAndPlayingGoesOn) {
  WriteWave2("0", 0);
  Start();
  PhoneFrm& w = Phone();
  int modal = 0;
  w.set_modal_runner([&](PhoneFrm&) { ++modal; });
  port->refuse_open = "busy";
  w.show();
  QApplication::setActiveWindow(&w);
  w.Text10->setFocus();
  w.Text10->setText("com");
  w.Command1->setFocus();
  EXPECT_EQ(w.Text10->text(), "0") << "not a number";
  EXPECT_FALSE(prompter_.WasAsked("Invalid port."));
  w.Text10->setFocus();
  w.Text10->setText("4");
  w.Command1->setFocus();
  ASSERT_TRUE(prompter_.WasAsked("Invalid port."));
  EXPECT_EQ(prompter_.asked.back().text,
            "The port you have selected for Phone keying is invalid.  Please select another or "
            "enter 0 for none.");
  EXPECT_EQ(modal, 0) << "the window was showing";
  w.hide();
  QApplication::setActiveWindow(form_.get());
  form_->txtCall->setFocus();
  QTest::keyClick(form_->txtCall, Qt::Key_F2);
  EXPECT_EQ(modal, 1);
  EXPECT_EQ(keyer->events.back(), "play /w/f2.wav");
}

TEST_F(Form1VoiceTest, NoSoundOutputIsToldOnceAndThePortIsShared) {
  WriteWave2("3", 1);
  Start();
  int released = 0;
  form_->voice().OnReleaseOtherPorts([&] { ++released; });
  keyer->play_failure = "No sound output device was found.";
  QTest::keyClick(form_->txtCall, Qt::Key_F1);
  QTest::keyClick(form_->txtCall, Qt::Key_F1);
  EXPECT_EQ(std::count_if(prompter_.asked.begin(), prompter_.asked.end(),
                          [](const auto& a) { return a.title == "No sound output."; }),
            1);
  EXPECT_FALSE(port->dtr) << "released after each failed playing";
  EXPECT_EQ(released, 1) << "the CW keyer and WinKey let go before the first open";
  form_->voice().ReleasePttPort();  // what the CW keyer calls
  EXPECT_FALSE(port->IsOpen());
}

TEST_F(Form1VoiceTest, FieldsAnnounceThemselvesByLevel) {
  Start();
  state_.prefs.VoiceNavLevel = 2;
  auto tour = [this] {
    announcements->events.clear();
    form_->txtSec->setFocus();
    form_->txtRSTS->setFocus();
    form_->txtCall->setFocus();
    Type(form_->txtCall, "w1aw");
    form_->txtRSTR->setFocus();
    std::vector<std::string> played;
    for (const auto& e : announcements->events)
      if (e.rfind("play ", 0) == 0) played.push_back(e.substr(e.rfind('/') + 1));
    form_->txtCall->setFocus();
    form_->cmdClear_Click();
    return played;
  };
  form_->txtRSTS->setFocus();
  EXPECT_EQ(tour(),
            (std::vector<std::string>{"Grid.wav", "RstSnt.wav", "Call.wav", "RstRcvd.wav"}));
  state_.prefs.VoiceNavLevel = 1;
  EXPECT_EQ(tour(), std::vector<std::string>{"Call.wav"});
  state_.prefs.VoiceNavLevel = 0;
  EXPECT_EQ(tour(), std::vector<std::string>{});
}

TEST_F(Form1VoiceTest, CallFollowsDupeAndKeysTypedMeanwhileWait) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:30:15", "144 M", "PH"));
  state_.prefs.VoiceNavLevel = 1;
  AnnouncementsEnd();
  LogContact("N0CALL", "FN31");
  ASSERT_TRUE(form_->DupeFound());
  EXPECT_EQ(announcements->events.back(), "play " + Folder() + "/Dupe.wav");
  Type(Focus(), "k2");
  EXPECT_EQ(announcements->events.back(), "play " + Folder() + "/Dupe.wav")
      << "no focus announcement over Dupe";
  AnnouncementsEnd();
  EXPECT_EQ(Focus(), form_->txtCall);
  EXPECT_NE(std::find(announcements->events.begin(), announcements->events.end(),
                      "play " + Folder() + "/Call.wav"),
            announcements->events.end());
  clock_.Advance(std::chrono::seconds(5));
  form_->holdTimer->stop();
  form_->ReleaseHeldKeys();
  EXPECT_EQ(form_->txtCall->text(), "K2");

  // With navigation off "Dupe" still speaks, and nothing waits for it.
  state_.prefs.VoiceNavLevel = 0;
  form_->cmdClear_Click();
  AnnouncementsEnd();
  LogContact("N0CALL", "FN31");
  EXPECT_EQ(announcements->events.back(), "play " + Folder() + "/Dupe.wav");
  EXPECT_EQ(Focus(), form_->txtCall);
}

TEST_F(Form1VoiceTest, NavigationWindowAnnouncesItsLevelAndStoresIt) {
  Start();
  form_->mnuVoiceNavigation->trigger();
  BlindFrm& b = form_->voice().Blind();
  EXPECT_EQ(b.windowTitle(), "Voice Navigation Settings");
  EXPECT_EQ(b.Label1->text(),
            "Put the audio wave files in this program's working directory: " + dir_.path());
  EXPECT_TRUE(b.Option1->isChecked());
  EXPECT_EQ(announcements->events, std::vector<std::string>{}) << "no NavDis.wav here: silent";
  b.Option2->click();
  EXPECT_EQ(announcements->events.back(), "play " + Folder() + "/NavEn.wav");
  clock.Advance(400);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return announcements->events.back() == "play " + Folder() + "/Call.wav"; }, 1000));
  b.Command1->click();
  EXPECT_EQ(state_.prefs.VoiceNavLevel, 1);
  EXPECT_FALSE(b.isVisible());
  EXPECT_NE(Read("vhfpref.txt").find("\r\n1\r\n"), std::string::npos);
}

TEST_F(Form1VoiceTest, DefaultAnnouncementsAreSeededWhereMissing) {
  Write("Call.wav", "mine");
  Start();
  EXPECT_EQ(Read("Call.wav"), "mine");
  for (const char* name : {"RstRcvd", "RstSnt", "Grid", "Dupe", "NavEn", "NavDis"})
    EXPECT_TRUE(std::filesystem::exists(dir_.filePath(QString(name) + ".wav").toStdString()))
        << name;
}

}  // namespace
}  // namespace vantrel::ui
