#include "ui/frm_edit_con.h"
#include "ui/accessible_names.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 8880;
constexpr int kDesignHeight = 2520;
constexpr int kCaptionTop = 480;
constexpr int kFieldTop = 720;
constexpr int kFieldHeight = 315;

const QString kInvalid = "   Invalid!";

}  // namespace

frmEditCon::frmEditCon(ContactLog& log, int EditRecordNumber, Prompter& prompter,
                       const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent),
      log_(log),
      EditRecordNumber_(EditRecordNumber),
      prompter_(prompter),
      original_(log.Record(EditRecordNumber)) {
  setObjectName("frmEditCon");
  setWindowTitle("Edit Contact Entry");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);

  lblEditTitle = new QLabel("Edit Contact:", this);
  lblEditTitle->setObjectName("lblEditTitle");
  design_->Add(lblEditTitle, ControlKind::kLabel, 120, 120, 2400, 300, 9.75);

  txtEditCall = AddField("txtEditCall", "Callsign", 120, 1320);
  txtEditCk = AddField("txtEditCk", "Rst(R)", 1500, 600);
  txtEditSec = AddField("txtEditSec", "Grid(R)", 2160, 900);
  txtEditNum = AddField("txtEditNum", "Rst(S)", 3120, 600);
  txtEditPre = AddField("txtEditPre", "Grid(S)", 3780, 900);
  txtEditDate = AddField("txtEditDate", "Date", 4740, 1200);
  txtEditTime = AddField("txtEditTime", "Time", 6000, 960);
  txtEditBnd = AddField("txtEditBnd", "Band", 7020, 840);
  txtEditMode = AddField("txtEditMode", "Mode", 7920, 780);

  Label3 = new QLabel(kInvalid, this);
  Label3->setObjectName("Label3");
  SetTextColour(Label3, QColor(255, 0, 0));
  design_->Add(Label3, ControlKind::kLabel, 7020, 1080, 840, 255);
  Label5 = new QLabel(kInvalid, this);
  Label5->setObjectName("Label5");
  SetTextColour(Label5, QColor(255, 0, 0));
  design_->Add(Label5, ControlKind::kLabel, 7920, 1080, 780, 255);

  Label1 = new QLabel("Dupe!", this);
  Label1->setObjectName("Label1");
  SetTextColour(Label1, QColor(255, 0, 0));
  design_->Add(Label1, ControlKind::kLabel, 120, 1560, 1200, 375, 12.0);
  cmdDeleteDupe = new QPushButton("Delete Dupe", this);
  cmdDeleteDupe->setObjectName("cmdDeleteDupe");
  design_->Add(cmdDeleteDupe, ControlKind::kButton, 1500, 1560, 1500, 375);
  cmdDone = new QPushButton("Done", this);
  cmdDone->setObjectName("cmdDone");
  design_->Add(cmdDone, ControlKind::kButton, 7320, 1560, 1380, 375);
  for (QPushButton* b : {cmdDone, cmdDeleteDupe}) {
    // Enter belongs to the fields, where it means Done.
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(cmdDone, &QPushButton::clicked, this, &frmEditCon::cmdDone_Click);
  connect(cmdDeleteDupe, &QPushButton::clicked, this, &frmEditCon::cmdDeleteDupe_Click);

  ScaleFormToScreen(*design_, screen);

  Label1->setVisible(false);
  cmdDeleteDupe->setVisible(false);
  Label3->setVisible(false);
  Label5->setVisible(false);

  txtEditCall->setText(Latin1(original_.Call));
  txtEditCk->setText(Latin1(original_.RstRcvd));
  txtEditSec->setText(Latin1(original_.GridRcvd));
  txtEditNum->setText(Latin1(original_.RstSnt));
  txtEditPre->setText(Latin1(original_.GridSent));
  txtEditDate->setText(Latin1(original_.Date));
  txtEditTime->setText(Latin1(original_.Time));
  txtEditBnd->setText(Latin1(original_.Band));
  txtEditMode->setText(Latin1(original_.Mode));
  txtEditCall->setFocus();
}

frmEditCon::~frmEditCon() = default;

QLineEdit* frmEditCon::AddField(const char* name, const char* caption, int left, int width) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(QString(name) + "Caption");
  design_->Add(label, ControlKind::kLabel, left, kCaptionTop, width, 240);
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  design_->Add(field, ControlKind::kTextBox, left, kFieldTop, width, kFieldHeight);
  field->installEventFilter(this);
  NameControls({{field, {}, {}, label}});
  // A pasted double quote would end a field of log.txt early and make the
  // whole log unreadable, so it never stays in a field.
  connect(field, &QLineEdit::textEdited, this, [field](const QString& text) {
    if (text.contains('"')) {
      QString cleaned = text;
      field->setText(cleaned.remove('"'));
    }
  });
  return field;
}

EditFields frmEditCon::Fields() const {
  return {Std(txtEditCall->text()), Std(txtEditCk->text()),  Std(txtEditSec->text()),
          Std(txtEditNum->text()),  Std(txtEditPre->text()), Std(txtEditDate->text()),
          Std(txtEditTime->text()), Std(txtEditBnd->text()), Std(txtEditMode->text())};
}

bool frmEditCon::FilterKey(QLineEdit* field, QKeyEvent* key) {
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    cmdDone_Click();
    return true;
  }
  const QString text = key->text();
  if (text.isEmpty() || (key->modifiers() & Qt::ControlModifier)) return false;
  const QChar c = text.front();
  if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;  // Backspace, Tab and the like
  if (field == txtEditDate) return !(c >= '/' && c <= '9');
  if (field == txtEditTime) return !(c >= '0' && c <= ':');
  // The log is 8-bit text; characters it cannot hold are not typed at all.
  if (c == '"' || c.unicode() > 0xff) return true;
  if (c >= 'a' && c <= 'z') {
    field->insert(QString(c.toUpper()));
    return true;
  }
  return false;
}

bool frmEditCon::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field && event->type() == QEvent::KeyPress)
    return FilterKey(field, static_cast<QKeyEvent*>(event));
  if (field && event->type() == QEvent::FocusOut) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window coming up (a message box) is not the operator leaving.
    // Nor is a refusal pulling the focus back: checking the field it leaves
    // would bounce two bad fields' messages back and forth for ever.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible() &&
        !returning_focus_) {
      pending_leave_ = field;
      // Checked from the event loop: a message box must not open in the
      // middle of a focus change.
      QMetaObject::invokeMethod(
          this, [this, field] { LeaveField(field); }, Qt::QueuedConnection);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmEditCon::LeaveField(QLineEdit* field) {
  if (pending_leave_ != field || !isVisible()) return;
  pending_leave_ = nullptr;
  if (field == txtEditDate) {
    if (!IsEditDate(Std(field->text()))) RefuseDate();
  } else if (field == txtEditTime) {
    if (!IsEditTime(Std(field->text()))) RefuseTime();
  } else if (field == txtEditBnd) {
    CheckBand(false);
  } else if (field == txtEditMode) {
    CheckMode(false);
  }
}

void frmEditCon::Refocus(QLineEdit* field) {
  returning_focus_ = true;
  field->setFocus(Qt::OtherFocusReason);
  returning_focus_ = false;
}

void frmEditCon::RefuseDate() {
  prompter_.Beep();
  prompter_.Message(this, "Invalid Date Format!", "You have entered an invalid date format!",
                    MessageIcon::kNone);
  Refocus(txtEditDate);
}

void frmEditCon::RefuseTime() {
  prompter_.Beep();
  prompter_.Message(this, "Invalid Time Format!", "You have entered an invalid time format!",
                    MessageIcon::kNone);
  Refocus(txtEditTime);
}

bool frmEditCon::CheckBand(bool allow_stored) {
  const std::string band = Std(txtEditBnd->text());
  if (IsEditBand(band) || (allow_stored && band == original_.Band)) {
    Label3->setVisible(false);
    return true;
  }
  prompter_.Beep();
  Label3->setVisible(true);
  Refocus(txtEditBnd);
  txtEditBnd->setText(Latin1(original_.Band));
  return false;
}

bool frmEditCon::CheckMode(bool allow_stored) {
  const std::string mode = Std(txtEditMode->text());
  if (IsEditMode(mode) || (allow_stored && mode == original_.Mode)) {
    Label5->setVisible(false);
    return true;
  }
  prompter_.Beep();
  Label5->setVisible(true);
  Refocus(txtEditMode);
  txtEditMode->setText(Latin1(original_.Mode));
  return false;
}

void frmEditCon::cmdDone_Click() {
  pending_leave_ = nullptr;
  const EditFields fields = Fields();
  if (!IsEditTime(fields.Time)) {
    RefuseTime();
    return;
  }
  if (!IsEditDate(fields.Date)) {
    RefuseDate();
    return;
  }
  // Enter can store without the band or mode field ever being left; a text
  // typed there must still be a real band and mode. The record's own text
  // stands (a contact above 10 GHz can still have its call corrected).
  if (!CheckBand(true) || !CheckMode(true)) return;

  const std::vector<int> dupes = EditDuplicates(log_, EditRecordNumber_, fields);
  for (size_t i = 0; i < dupes.size(); ++i) {
    Label1->setVisible(true);
    cmdDeleteDupe->setVisible(true);
    prompter_.Beep();
  }
  if (!dupes.empty()) return;

  Label1->setVisible(false);
  log_.MutableRecord(EditRecordNumber_) = StoreEdit(original_, fields);
  outcome_ = Outcome::kStored;
  accept();
}

void frmEditCon::cmdDeleteDupe_Click() {
  pending_leave_ = nullptr;
  outcome_ = Outcome::kDeleteDupe;
  done(QDialog::Rejected);
}

}  // namespace vantrel::ui
