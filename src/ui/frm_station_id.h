// frmStationID, station setup: own call, own grid, UTC offset, an optional
// exact position, the contest and fixed or rover. Modal; the main window
// opens it from "&Setup" and once at start-up, then takes the values over.
//
// Responsibilities: the window with its key rules and the numeric check of
// the offset; Done stores five shared-preference keys; taking the values
// over into the run state, which says what the main window must refresh.
// Collaborations: RunState (profile, contest, shared preferences), Prompter,
// contest/grid_math (own position), form_scale (style A layout).
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string_view>

#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

// Done refuses an own grid that is not a Maidenhead locator.
inline constexpr std::string_view kOwnGridTitle = "Grid Square?";
inline constexpr std::string_view kOwnGridMessage =
    "Your grid square must be two letters A to R and two digits, for example FN20.";

class frmStationID : public QDialog {
  Q_OBJECT

 public:
  // Lays the window out and fills it from the run state (its load handler).
  frmStationID(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
               QWidget* parent = nullptr);
  ~frmStationID() override;

  // Fills the controls from the profile and the contest in force.
  void Form_Load();
  // Done: an own grid that is not a locator is refused with a message and
  // the window stays; otherwise non-numeric offset and position texts
  // become "0", the five shared-preference keys are stored (the file written
  // once), the window hides.
  void Command1_Click();

  // The contest of the selected option, 0 when none is selected.
  int SelectedContest() const;

  DesignForm& design() { return *design_; }

  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;  // call
  QLabel* Label4 = nullptr;
  QLineEdit* Text5 = nullptr;  // grid
  QLabel* Label7 = nullptr;
  QLineEdit* Text6 = nullptr;  // hours added for UTC
  QLabel* Label3 = nullptr;
  QLineEdit* Text3 = nullptr;  // latitude
  QLabel* Label2 = nullptr;
  QLineEdit* Text2 = nullptr;  // longitude
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QRadioButton* Option7 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option5 = nullptr;  // fixed
  QRadioButton* Option6 = nullptr;  // rover
  QPushButton* Command1 = nullptr;  // "Done"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  // Leaving the offset field with a text that is not a number.
  void Text6_LostFocus();

  RunState& state_;
  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
  bool checking_text6_ = false;
};

// What the main window refreshes after setup: the tooltip of List1 and List2,
// the mode, call and grid labels, SavePref, a reload of the log for the CQ
// contest, Labeldisplay, then GridFill, every map square to RemainingColor,
// and ShowWorkedGrids.
struct StationSetupRefresh {
  QString list_tooltip;     // "Click list to reduce font size" for a CQ rover
  QString Label30;          // CurrentMode
  QString Label2;           // OwnCall
  QString Label4;           // OwnGrid
  bool reload_log = false;  // mnuopen2, which rebuilds the tallies
};

// Takes the values over once the window has returned: the profile, the
// contest and station type, and the own position: the centre of the own grid
// when either coordinate is 0, or when the position shown was derived from the
// previous grid and left alone (PositionFollowsGrid). Each value stands alone:
// one that cannot be taken (an offset that is not a number, a grid that does
// not read) is skipped and the rest still are.
StationSetupRefresh TakeStationSetup(const frmStationID& window, RunState& state);

// The whole window side of mnuSetup_Click: shows the window modally, takes
// its values and destroys it.
StationSetupRefresh RunStationSetup(QWidget* parent, RunState& state, Prompter& prompter,
                                    const ScreenGeometry& screen);

// A text the window accepts as a number: blanks around a decimal number with
// an optional sign and exponent.
bool IsNumericText(const QString& text, double* value = nullptr);

}  // namespace vantrel::ui
