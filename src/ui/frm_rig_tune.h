// " Change Frequency and Mode (Ctrl G (Go))": tunes the polled radio to a
// typed frequency, steps it up and down, jumps to a band, sets the mode, and
// scans a range on a 299 ms timer.
//
// Responsibilities: the key filter of the three frequency fields; the step
// buttons enabled only while the frequency is a number; the scan, which
// waits for a change still running, stops on any key and on a failed
// change, and never blocks the window.
// Collaborations: the rig window's ChangeFrequency and ChangeMode; the
// Prompter for a typed frequency that cannot be tuned.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <memory>

#include "rig/rig_command.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"

namespace vantrel::ui {

class RigControlfrm;

// Step of each cmdTune button: even indexes up, odd down.
inline constexpr std::array<Hertz, 10> kTuneSteps = {10,    -10,  1000000, -1000000, 5000,
                                                     -5000, 1000, -1000,   100,      -100};
struct TuneBand {
  const char* caption;
  const char* mhz;
};
inline constexpr std::array<TuneBand, 16> kTuneBands = {{{"160", "1.9"},
                                                         {"80", "3.75"},
                                                         {"60", "5.368"},
                                                         {"40", "7.15"},
                                                         {"30", "10.13"},
                                                         {"20", "14.175"},
                                                         {"17", "18.118"},
                                                         {"15", "21.225"},
                                                         {"12", "24.94"},
                                                         {"10", "28.5"},
                                                         {"6", "52"},
                                                         {"2", "146"},
                                                         {"1.25", "223.5"},
                                                         {"70", "435"},
                                                         {"33", "915"},
                                                         {"23", "1270"}}};
// Option1 .. Option5.
inline constexpr std::array<Hertz, 5> kScanSteps = {500, 100, 30, 10, 2500};

class frmRigTune : public QDialog {
  Q_OBJECT

 public:
  frmRigTune(RigControlfrm& rig, Prompter& prompter, QWidget* parent = nullptr);
  ~frmRigTune() override;

  void Command1_Click();  // Go
  void cmdTune_Click(int index);
  void cmdBand_Click(int index);
  void ModeButton_Click(const char* mode);
  void Timer1_Timer();
  Hertz ScanStep() const;

  QLineEdit* txtFreq = nullptr;
  QPushButton* Command1 = nullptr;
  std::array<QPushButton*, 10> cmdTune{};
  std::array<QPushButton*, 16> cmdBand{};
  QPushButton* cmdCW = nullptr;
  QPushButton* cmdUSB = nullptr;
  QPushButton* cmdLSB = nullptr;
  QPushButton* cmdAM = nullptr;
  QPushButton* cmdFM = nullptr;
  QPushButton* cmdRTTY = nullptr;
  QCheckBox* chkScan = nullptr;
  QLineEdit* txtFrom = nullptr;
  QLineEdit* txtTo = nullptr;
  QGroupBox* fraSteps = nullptr;
  std::array<QRadioButton*, 5> Option{};  // Option1 .. Option5
  QTimer* Timer1 = nullptr;
  QPushButton* cmdDone = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // `report`: a typed frequency that cannot be tuned gets a message; the
  // scan passes over gaps between bands silently.
  void Go(bool report);
  void ScanToggled(bool on);

  RigControlfrm& rig_;
  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
};

}  // namespace vantrel::ui
