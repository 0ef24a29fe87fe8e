// The main window's side of the voice keyer and voice navigation: the
// function keys and Esc in phone mode, the stop of a repeating message, the
// announcements of the entry fields, the wait for "Dupe", the two windows
// and their menu items and shortcut.
//
// Responsibilities: create PhoneFrm at start-up (wave2.txt) and BlindFrm on
// first use; put the default announcement files into the working folder
// where missing; tell the operator once when there is no sound output.
// Collaborations: Form1 (its run state, prompter, menu items),
// PhoneFrm, BlindFrm; the CW keyer and WinKey through ReleasePttPort and
// OnReleaseOtherPorts, since all three may name the same serial port.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "common/ports.h"
#include "ui/blind_frm.h"
#include "ui/phone_frm.h"

namespace vantrel::ui {

class Form1;

class Form1Voice : public QObject {
  Q_OBJECT

 public:
  explicit Form1Voice(Form1& form);

  // The devices of the two players and the PTT port; tests inject doubles
  // before the start-up reads wave2.txt.
  using KeyerDevices = std::function<VoiceDevices()>;
  using AnnouncementPlayer = std::function<std::unique_ptr<WavePlayer>()>;
  void set_devices(KeyerDevices keyer, AnnouncementPlayer announcements,
                   const MillisecondClock* clock);

  // Start-up: wave2.txt into PhoneFrm. A missing or unreadable file is
  // noted in the voice keyer window and the start-up goes on with the
  // defaults.
  void ReadVoiceKeyerSettings();
  // F1..F10 in phone mode; true when the key is used up.
  bool FunctionKey(int qt_key);
  // Esc in phone mode while a message plays: stopped, and true.
  bool Escape();
  void StopRepeating();

  void Announce(const char* name);
  // Runs `then` when the announcements have ended (at once when none plays).
  void AwaitAnnouncement(std::function<void()> then);

  // For the CW keyer and WinKey before they open their serial port: the PTT
  // line goes off and the voice keyer lets go of the port.
  void ReleasePttPort();
  // Called before the voice keyer opens its PTT port, so the CW keying port
  // and WinKey let go of it first.
  void OnReleaseOtherPorts(std::function<void()> release);

  void mnuPhoneSetup_Click();       // modal
  void OpenPhoneWindow();           // Ctrl+P, modeless
  void mnuVoiceNavigation_Click();  // modeless

  PhoneFrm& Phone();
  BlindFrm& Blind();
  bool HasBlind() const { return blind_ != nullptr; }

 private:
  bool PhoneMode() const;
  void SeedAnnouncements();
  void NoAudio(const std::string& why);

  Form1& f_;
  KeyerDevices keyer_devices_;
  AnnouncementPlayer announcement_player_;
  std::unique_ptr<MillisecondClock> own_clock_;
  const MillisecondClock* clock_ = nullptr;
  std::function<void()> release_other_ports_;
  PhoneFrm* phone_ = nullptr;  // children of the main window
  BlindFrm* blind_ = nullptr;
  bool told_no_audio_ = false;
};

}  // namespace vantrel::ui
