#include "ui/frm_cw_strings.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "keying/cw_messages.h"
#include "ui/accessible_names.h"

namespace vantrel::ui {

frmCWStrings::frmCWStrings(CWFrm& cw, std::function<bool(QKeyEvent*)> main_key,
                           const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent), cw_(cw), main_key_(std::move(main_key)) {
  setObjectName("frmCWStrings");
  setWindowTitle("CW Strings");
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(5400, 4800), 8.0);
  for (int i = 0; i < 12; ++i) {
    Label1[i] = new QLabel(QString("F%1").arg(i + 1), this);
    Label1[i]->setObjectName(QString("Label1_%1").arg(i));
    design_->Add(Label1[i], ControlKind::kLabel, 120, 120 + i * 300, 480, 255);
    lblCWString[i] = new QLabel(i == 11 ? "Keyboard" : "", this);
    lblCWString[i]->setObjectName(QString("lblCWString_%1").arg(i));
    design_->Add(lblCWString[i], ControlKind::kLabel, 660, 120 + i * 300, 4560, 255);
    Label1[i]->installEventFilter(this);
    lblCWString[i]->installEventFilter(this);
  }
  auto* hint = new QLabel("Press Ctrl W to Show this form.", this);
  hint->setObjectName("Label2");
  design_->Add(hint, ControlKind::kLabel, 120, 3840, 3000, 255);
  Command1 = new QPushButton("Done", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  design_->Add(Command1, ControlKind::kButton, 3840, 3780, 1320, 360);
  // The rows are read, not focused: their keys send them.
  for (int i = 0; i < 12; ++i)
    NameControls({{lblCWString[i], {}, QString("Sent by F%1").arg(i + 1), Label1[i]}});
  connect(Command1, &QPushButton::clicked, this, [this] { showMinimized(); });
  ScaleFormWorkArea(*design_, screen);
}

void frmCWStrings::Refresh() {
  for (int i = 0; i < kCwMessageCount; ++i) lblCWString[i]->setText(cw_.messages[i]->text());
}

void frmCWStrings::RowClicked(int index) {
  if (cw_.keyer().KeyingLine() == 0) return;
  if (const auto code = CwStringsRowCode(index)) cw_.FKeyCW(*code);
}

bool frmCWStrings::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Refresh();
  return QDialog::event(e);
}

bool frmCWStrings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  for (int i = 0; i < 12; ++i)
    if (watched == Label1[i] || watched == lblCWString[i]) {
      RowClicked(i);
      return true;
    }
  return false;
}

void frmCWStrings::keyPressEvent(QKeyEvent* key) {
  // Esc would close a dialog; here it belongs to the main window like every key.
  if (main_key_ && main_key_(key)) return;
  if (key->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(key);
}

}  // namespace vantrel::ui
