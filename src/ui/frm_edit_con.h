// frmEditCon: the modal window that corrects one logged contact.
//
// Responsibilities: show the record's nine editable fields; filter keys;
// check date, time, band and mode when a field is left; on Done refuse an
// invalid date or time and an exact-case duplicate of another record, else
// store the fields into the record and close. "Delete Dupe" closes and asks
// the caller to delete the record.
// Collaborations: log/log_maintenance (the checks and the stored record),
// Prompter (beeps and messages), form_scale (style A), the cmdEdit flow in
// ui/log_maintenance_ui (which rewrites and reloads the log afterwards).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <memory>

#include "log/contact_log.h"
#include "log/log_maintenance.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"

namespace vantrel::ui {

class frmEditCon : public QDialog {
  Q_OBJECT

 public:
  // How the window was left.
  enum class Outcome { kClosed, kStored, kDeleteDupe };

  // Opens on record `EditRecordNumber` (1..ContactCount) of `log`, which Done
  // changes in place.
  frmEditCon(ContactLog& log, int EditRecordNumber, Prompter& prompter,
             const ScreenGeometry& screen, QWidget* parent = nullptr);
  ~frmEditCon() override;

  int EditRecordNumber() const { return EditRecordNumber_; }
  Outcome outcome() const { return outcome_; }
  DesignForm& design() { return *design_; }

  // The fields as they stand (Latin-1).
  EditFields Fields() const;

  void cmdDone_Click();
  void cmdDeleteDupe_Click();

  QLabel* lblEditTitle = nullptr;  // "Edit Contact:"
  QLineEdit* txtEditCall = nullptr;
  QLineEdit* txtEditCk = nullptr;
  QLineEdit* txtEditSec = nullptr;
  QLineEdit* txtEditNum = nullptr;
  QLineEdit* txtEditPre = nullptr;
  QLineEdit* txtEditDate = nullptr;
  QLineEdit* txtEditTime = nullptr;
  QLineEdit* txtEditBnd = nullptr;
  QLineEdit* txtEditMode = nullptr;
  QPushButton* cmdDone = nullptr;
  QPushButton* cmdDeleteDupe = nullptr;
  QLabel* Label1 = nullptr;  // "Dupe!"
  QLabel* Label3 = nullptr;  // band "   Invalid!"
  QLabel* Label5 = nullptr;  // mode "   Invalid!"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* AddField(const char* name, const char* caption, int left, int width);
  bool FilterKey(QLineEdit* field, QKeyEvent* key);
  void LeaveField(QLineEdit* field);
  // The band / mode check; false (with beep, "Invalid!" and the stored text
  // put back) when the text is refused. `allow_stored` accepts the record's
  // own text too.
  bool CheckBand(bool allow_stored);
  bool CheckMode(bool allow_stored);
  void RefuseDate();
  void RefuseTime();
  void Refocus(QLineEdit* field);

  ContactLog& log_;
  int EditRecordNumber_;
  Prompter& prompter_;
  ContactRecord original_;
  std::unique_ptr<DesignForm> design_;
  Outcome outcome_ = Outcome::kClosed;
  // The field whose leave check is waiting to run; Done cancels it.
  QLineEdit* pending_leave_ = nullptr;
  // Set while a refusal puts the focus back into its field.
  bool returning_focus_ = false;
};

}  // namespace vantrel::ui
