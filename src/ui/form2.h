// Form2, the summary sheet: the entry category and the personal details of
// the Cabrillo entry, and the button that writes the Cabrillo file.
//
// Responsibilities: offer the category choices (relabelled for the CQ
// contest), remember the personal details in the settings store and the
// shared preferences, write the file and report the outcome.
// Collaborations: export/cabrillo (the bytes), RunState (log, own call,
// contest), SettingsStore, Prompter, a SaveFileHook (the file dialog),
// form_scale (style A layout).
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "export/cabrillo.h"
#include "settings/settings_store.h"
#include "ui/adif_export.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

class Form2 : public QDialog {
  Q_OBJECT

 public:
  struct Context {
    RunState& state;
    SettingsStore& settings;
    Prompter& prompter;
    QString claimed_score;     // the text of the main window's score label
    SaveFileHook choose_file;  // empty: the real dialog
    QString main_caption;      // empty: the main window's caption
  };

  Form2(Context context, const ScreenGeometry& screen, QWidget* parent = nullptr);
  ~Form2() override;

  // Writes the Cabrillo file (the "Write Cabrillo Log File" button).
  void Command4_Click();
  // Hides the window (the "Done" button); the caller unloads it.
  void Command3_Click();

  // The choices and texts as the file will use them.
  CabrilloSheet Sheet() const;
  // Where the save dialog starts: the user folder and the call-based name.
  QString ProposedPath() const;

  DesignForm& design() { return *design_; }

  QGroupBox* Frame3 = nullptr;  // operator
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option6 = nullptr;
  QRadioButton* Option7 = nullptr;
  QRadioButton* Option4 = nullptr;
  QGroupBox* Frame1 = nullptr;  // band category
  QRadioButton* Option8 = nullptr;
  QRadioButton* Option5 = nullptr;
  QRadioButton* Option12 = nullptr;
  QRadioButton* Option13 = nullptr;
  QGroupBox* Frame6 = nullptr;  // power (CQ contest: assisted)
  QRadioButton* Option18 = nullptr;
  QRadioButton* Option19 = nullptr;
  QGroupBox* Frame2 = nullptr;  // mode, for the operator's own reference
  QRadioButton* Option11 = nullptr;
  QRadioButton* Option10 = nullptr;
  QRadioButton* Option9 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;  // section
  QLabel* Label2 = nullptr;
  QLineEdit* Text2 = nullptr;  // operators
  QLabel* Label11 = nullptr;
  QLineEdit* Text10 = nullptr;  // club
  QLabel* Label6 = nullptr;
  QLineEdit* Text5 = nullptr;  // name
  QLabel* Label9 = nullptr;
  QLineEdit* Text6 = nullptr;  // address line 1
  QLabel* Label8 = nullptr;
  QLineEdit* Text7 = nullptr;  // address line 2
  QLabel* Label7 = nullptr;
  QLineEdit* Text8 = nullptr;  // e-mail
  QLabel* Label12 = nullptr;
  QLineEdit* Text11 = nullptr;  // soapbox
  QPushButton* Command4 = nullptr;
  QPushButton* Command3 = nullptr;

 private:
  void BuildControls();
  void Form_Load(const ScreenGeometry& screen);
  void StoreRememberedFields();
  QGroupBox* AddFrame(const char* name, const QString& caption, int left, int top, int width,
                      int height);
  QRadioButton* AddOption(QGroupBox* frame, const char* name, const QString& caption, int top);
  QLabel* AddLabel(const char* name, const QString& caption, int top);
  QLineEdit* AddTextBox(const char* name, int top, int width);

  Context context_;
  std::unique_ptr<DesignForm> design_;
};

// The menu item "Write Cabrillo File": shows Form2 modally and unloads it
// when it closes.
void mnuWriteSumm(QWidget* parent, const Form2::Context& context, const ScreenGeometry& screen);

}  // namespace vantrel::ui
