// "Voice Navigation Settings": the navigation level, and the player that
// speaks the announcements.
//
// Responsibilities: the three level options, each announcing itself when
// chosen; Done storing the level with the preferences; the 40 ms tick that
// carries the Announcer through a row of announcements and its waiters.
// Collaborations: voice/Announcer, a WavePlayer (the second one), the main
// window through the save callback.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "common/ports.h"
#include "ui/form_scale.h"
#include "ui/run_state.h"
#include "voice/voice_navigation.h"

namespace vantrel::ui {

class BlindFrm : public QDialog {
  Q_OBJECT

 public:
  // Selects the stored level, which announces it.
  BlindFrm(RunState& state, const ScreenGeometry& screen, std::unique_ptr<WavePlayer> player,
           const MillisecondClock& clock, std::function<bool()> save_prefs,
           QWidget* parent = nullptr);
  ~BlindFrm() override;

  // BlindKeyPhone: plays the announcement, cutting off the one before.
  void Announce(std::string_view name);
  // Runs `then` once the announcements have ended; true when it must wait.
  bool WhenQuiet(std::function<void()> then);
  bool Busy() const { return announcer_.Busy(); }
  void Command1_Click();  // Done

  QRadioButton* Option1 = nullptr;  // Off
  QRadioButton* Option2 = nullptr;  // Call Only
  QRadioButton* Option3 = nullptr;  // All Data Fields
  QLabel* Label1 = nullptr;         // the working folder
  QLabel* Label2 = nullptr;
  QPushButton* Command1 = nullptr;
  QTimer* tmrAnnounce = nullptr;

 private:
  void BuildControls();
  void Chosen(int level);
  void KeepTicking();

  RunState& state_;
  std::unique_ptr<DesignForm> design_;
  std::unique_ptr<WavePlayer> player_;
  Announcer announcer_;
  std::function<bool()> save_prefs_;
};

}  // namespace vantrel::ui
