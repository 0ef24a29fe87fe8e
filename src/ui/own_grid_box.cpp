#include "ui/own_grid_box.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "common/locator.h"
#include "log/entry_keys.h"
#include "ui/accessible_names.h"
#include "ui/frm_station_id.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr const char* kHint = "Enter: take it    Esc: keep the grid in force";

}  // namespace

OwnGridBox::OwnGridBox(const QString& grid, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("OwnGridBox");
  setWindowTitle("Own Grid");
  // Only the main window waits; the GPS and the rig go on meanwhile.
  setWindowModality(Qt::WindowModal);
  setMinimumWidth(340);
  auto* layout = new QVBoxLayout(this);
  lblOwnGrid = new QLabel("Your Grid Square:", this);
  lblOwnGrid->setObjectName("lblOwnGrid");
  txtOwnGrid = new QLineEdit(this);
  txtOwnGrid->setObjectName("txtOwnGrid");
  // The own grid is a square, as in station setup.
  txtOwnGrid->setMaxLength(4);
  txtOwnGrid->setContextMenuPolicy(Qt::NoContextMenu);
  txtOwnGrid->setAcceptDrops(false);
  QFont big = txtOwnGrid->font();
  big.setPointSizeF(16);
  txtOwnGrid->setFont(big);
  txtOwnGrid->setText(grid);
  txtOwnGrid->selectAll();
  lblHint = new QLabel(kHint, this);
  lblHint->setObjectName("lblHint");
  lblHint->setWordWrap(true);
  layout->addWidget(lblOwnGrid);
  layout->addWidget(txtOwnGrid);
  layout->addWidget(lblHint);
  txtOwnGrid->installEventFilter(this);
  setFocusProxy(txtOwnGrid);
  NameControls({{txtOwnGrid, "Your grid square", kHint, lblOwnGrid}});
  // A refused grid puts its message in place of the hint.
  (new LiveAnnouncer(this))->WatchText(lblHint);
}

void OwnGridBox::Take() {
  const std::string g = Std(grid());
  if (g.size() != 4 || !IsValidLocator(g)) {
    prompter_.Beep();
    lblHint->setText(Latin1(kOwnGridMessage));
    txtOwnGrid->selectAll();
    return;
  }
  accept();
}

bool OwnGridBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != txtOwnGrid) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride) {
    // No copy, paste or undo of the field's own: every character is typed.
    if (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier) event->accept();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int k = key->key();
  if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    Take();
    return true;
  }
  if (k == Qt::Key_Escape) {
    reject();
    return true;
  }
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return true;
  EntryKey described;
  const QString text = key->text();
  if (k == Qt::Key_Backspace) {
    described.kind = EntryKeyKind::kBackspace;
  } else if (text.size() == 1 && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
    described.ch = text.at(0).unicode();
  } else {
    return false;  // caret movement and the like
  }
  // The grid field's rules, with this box's length.
  EntryState state;
  state.focus.field = EntryField::kSec;
  state.focus.text = Std(txtOwnGrid->text());
  state.focus.caret = txtOwnGrid->cursorPosition();
  state.focus.selection_start = txtOwnGrid->selectionStart();
  state.focus.selection_length = txtOwnGrid->selectionLength();
  state.focus.max_length = txtOwnGrid->maxLength();
  const EntryAction a = DecideEntryKey(state, described);
  if (a.kind == EntryActionKind::kPass) return false;
  if (a.kind == EntryActionKind::kEdit) {
    txtOwnGrid->setText(Latin1(a.text));
    txtOwnGrid->setCursorPosition(a.caret);
  }
  return true;  // Space and the double quote type nothing
}

}  // namespace vantrel::ui
