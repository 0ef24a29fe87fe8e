// Form6, the multiplier colours: the text colours of worked and remaining
// squares on the grid map. Modal; "&Colors" opens it, and when it closes the
// main window saves the preferences and reloads the log, which repaints the
// map in the new colours.
//
// Responsibilities: show both colours on sample labels; change either
// through the colour dialog.
// Collaborations: ProgramPrefs (WorkedColor, RemainingColor), a ColourDialog
// hook (QColorDialog, or a script in tests), form_scale (style A layout).
#pragma once

#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "settings/program_prefs.h"
#include "ui/form_scale.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

// Asks for a colour starting from `initial`; nothing when cancelled.
using ColourDialog = std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)>;
ColourDialog QtColourDialog();

class Form6 : public QDialog {
  Q_OBJECT

 public:
  Form6(ProgramPrefs& prefs, const ScreenGeometry& screen, ColourDialog choose = {},
        QWidget* parent = nullptr);
  ~Form6() override;

  // "Change "Worked" Color" and "Change "Remaining" Color". Cancel in the
  // colour dialog keeps the colour.
  void Command3_Click();
  void Command1_Click();

  DesignForm& design() { return *design_; }

  QLabel* Label1 = nullptr;  // drawn in WorkedColor
  QLabel* Label2 = nullptr;  // drawn in RemainingColor
  QPushButton* Command3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command6 = nullptr;  // "Done"

 private:
  ProgramPrefs& prefs_;
  ColourDialog choose_;
  std::unique_ptr<DesignForm> design_;
};

// "&Colors": shows Form6 modally and destroys it. The caller then saves the
// preferences and reloads the log.
void mnuColors(QWidget* parent, ProgramPrefs& prefs, const ScreenGeometry& screen,
               ColourDialog choose = {});

}  // namespace vantrel::ui
