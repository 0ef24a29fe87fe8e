#include "ui/form1_voice.h"

#include <QFile>
#include <QFileInfo>

#include "common/band_table.h"
#include "common/text.h"
#include "platform/com_port_map.h"
#include "platform/ppdev_parallel_port.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_wave_player.h"
#include "platform/steady_millisecond_clock.h"
#include "ui/form1.h"
#include "ui/program_start.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const char* const kNoAudioTitle = "No sound output.";

// The COM mapping lives as long as the port that looks devices up in it.
struct ComPortMapHolder {
  ComPortMap map;
};
class PttSerialPort : private ComPortMapHolder, public QtSerialPort {
 public:
  explicit PttSerialPort(SettingsStore& store)
      : ComPortMapHolder{ComPortMap(store)}, QtSerialPort(map) {}
};

}  // namespace

Form1Voice::Form1Voice(Form1& form) : QObject(&form), f_(form) {
  keyer_devices_ = [this] {
    VoiceDevices d;
    d.player = std::make_unique<QtWavePlayer>();
    d.serial = std::make_unique<PttSerialPort>(f_.settings_store());
    d.parallel = std::make_unique<PpdevParallelPort>(f_.settings_store());
    return d;
  };
  announcement_player_ = [] { return std::make_unique<QtWavePlayer>(); };
  own_clock_ = std::make_unique<SteadyMillisecondClock>();
  clock_ = own_clock_.get();
  connect(f_.mnuPhoneSetup, &QAction::triggered, this, &Form1Voice::mnuPhoneSetup_Click);
  connect(f_.mnuVoiceNavigation, &QAction::triggered, this, &Form1Voice::mnuVoiceNavigation_Click);
}

void Form1Voice::set_devices(KeyerDevices keyer, AnnouncementPlayer announcements,
                             const MillisecondClock* clock) {
  keyer_devices_ = std::move(keyer);
  announcement_player_ = std::move(announcements);
  if (clock) clock_ = clock;
}

PhoneFrm& Form1Voice::Phone() {
  if (phone_ == nullptr) {
    phone_ = new PhoneFrm(f_.state_, f_.prompter_, f_.screen_, keyer_devices_(), &f_);
    phone_->keyer().OnNoAudio([this](const std::string& why) { NoAudio(why); });
    phone_->keyer().OnReleaseOtherPorts([this] {
      if (release_other_ports_) release_other_ports_();
    });
  }
  return *phone_;
}

BlindFrm& Form1Voice::Blind() {
  if (blind_ == nullptr)
    blind_ = new BlindFrm(
        f_.state_, f_.screen_, announcement_player_(), *clock_, [this] { return f_.SavePref(); },
        &f_);
  return *blind_;
}

void Form1Voice::ReadVoiceKeyerSettings() {
  SeedAnnouncements();
  std::string error;
  if (Phone().LoadSettings(error) || f_.state_.SeededDefaults) return;
  // Without the file the keyer simply starts empty and the CW settings and
  // the rest of the start-up still load. The note waits in the voice keyer
  // window, where it matters, rather than over the start-up message.
  phone_->ShowLoadNote("wave2.txt could not be read (" + Latin1(error) +
                       "); the voice keyer starts with no wave files.");
}

void Form1Voice::SeedAnnouncements() {
  // So voice navigation speaks on the first start; the operator's own
  // recordings are never replaced.
  const QString from = LocateDataDirectory();
  if (from.isEmpty() || f_.state_.WorkingDirectory.empty()) return;
  for (std::string_view name : kAnnouncements) {
    const std::string file = std::string(name) + ".wav";
    const QString target = PathText(f_.state_.WorkingFile(file));
    const QString source = from + "/" + Latin1(file);
    if (!QFileInfo::exists(target) && QFileInfo::exists(source)) QFile::copy(source, target);
  }
}

bool Form1Voice::PhoneMode() const {
  return EqualsNoCase(f_.state_.contest.CurrentMode, kModePhone);
}

bool Form1Voice::FunctionKey(int qt_key) {
  if (!PhoneMode() || qt_key < Qt::Key_F1 || qt_key > Qt::Key_F10) return false;
  if (qt_key != Qt::Key_F10) Phone().FKeyPhone(kVoiceKeyF1 + (qt_key - Qt::Key_F1));
  return true;
}

bool Form1Voice::Escape() {
  return PhoneMode() && phone_ != nullptr && phone_->keyer().StopPlaying();
}

void Form1Voice::StopRepeating() {
  if (phone_ == nullptr) return;
  phone_->keyer().StopRepeating();
  phone_->Command12->setVisible(false);
}

void Form1Voice::Announce(const char* name) {
  Blind().Announce(name);
}

void Form1Voice::AwaitAnnouncement(std::function<void()> then) {
  if (blind_ == nullptr) {
    then();
    return;
  }
  blind_->WhenQuiet(std::move(then));
}

void Form1Voice::ReleasePttPort() {
  if (phone_ != nullptr) phone_->keyer().ReleasePttPort();
}

void Form1Voice::OnReleaseOtherPorts(std::function<void()> release) {
  release_other_ports_ = std::move(release);
}

void Form1Voice::mnuPhoneSetup_Click() {
  Phone().exec();
}

void Form1Voice::OpenPhoneWindow() {
  Phone().showNormal();
  phone_->raise();
  phone_->activateWindow();
}

void Form1Voice::mnuVoiceNavigation_Click() {
  Blind().show();
  blind_->raise();
  blind_->activateWindow();
}

void Form1Voice::NoAudio(const std::string& why) {
  if (told_no_audio_) return;
  told_no_audio_ = true;
  f_.prompter_.Message(&f_, kNoAudioTitle,
                       Latin1(why) +
                           "  The voice keyer cannot play, and the transmitter stays "
                           "unkeyed.",
                       MessageIcon::kInformation);
}

}  // namespace vantrel::ui

namespace vantrel::ui {

// The main window's hand-offs to the voice side.

void Form1::ReadVoiceKeyerSettings() {
  voice_->ReadVoiceKeyerSettings();
}

void Form1::Announce(const char* what) {
  voice_->Announce(what);
}

void Form1::AwaitAnnouncement(std::function<void()> then) {
  voice_->AwaitAnnouncement(std::move(then));
}

}  // namespace vantrel::ui
