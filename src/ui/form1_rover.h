// The rover's side of the main window: the own grid followed from gpsd, the
// warning when the square changes, the one-step grid box, and the band keys.
//
// Responsibilities: the GPS option (Options menu, kept in the settings
// store, off by default); the GPS state label and the coloured warning with
// its keys; the grid box; PageUp / PageDown and Alt+digit band selection.
// Collaborations: Form1 (SelectBand, ApplyOwnGrid, the settings store),
// platform/gpsd_client, contest/rover_gps (the watch and band steps),
// OwnGridBox.
#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>

#include "contest/rover_gps.h"
#include "ui/own_grid_box.h"

namespace vantrel {
class GpsdClient;
}

namespace vantrel::ui {

class Form1;

// Where the option and gpsd's address live in the settings store.
inline constexpr const char* kGpsOptionKey = "GpsOwnGrid";
inline constexpr const char* kGpsHostKey = "GpsdHost";
inline constexpr const char* kGpsPortKey = "GpsdPort";

class Form1Rover : public QObject {
  Q_OBJECT

 public:
  explicit Form1Rover(Form1& form);

  // At the end of start-up: follow gpsd when the option is on.
  void Start();
  // A key of the main window, whichever entry field has it. True when used.
  bool Key(const QKeyEvent* key);

  // The option as the operator sets it: stored, then followed.
  void SetGpsOn(bool on);
  bool GpsOn() const { return gps_ != nullptr; }
  void OpenGridBox();
  // Alt+Y and Alt+N on the warning.
  void AcceptSquare();
  void DeclineSquare();
  // The own grid in force changed (setup, the grid box, an accepted
  // square): a warning about that square is answered.
  void OwnGridChanged();
  // A report as gpsd sent it (the client's signal arrives here).
  void Report(const GpsdReport& report);

  OwnGridBox* gridBox() const { return box_; }
  GpsdClient* gpsd() const { return gps_; }
  const OwnGridWatch& watch() const { return watch_; }
  // How many times the warning was raised in this run.
  int warnings() const { return warnings_; }

  QLabel* lblGps = nullptr;
  QLabel* lblRoverWarning = nullptr;
  QAction* mnuGpsGrid = nullptr;

 private:
  void Follow(bool on);
  void LinkLost();
  void ShowState();
  void GridBoxClosed(int result);

  Form1& f_;
  OwnGridWatch watch_;
  GpsdClient* gps_ = nullptr;
  QPointer<OwnGridBox> box_;
  QPointer<QWidget> return_focus_;
  int warnings_ = 0;
};

}  // namespace vantrel::ui
