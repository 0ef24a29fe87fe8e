#include <QMenuBar>

#include "ui/form1_fixture.h"

namespace vantrel::ui {
namespace {

using MenuFocusTest = Form1Fixture;

// Esc out of a menu leaves the menu bar holding the keys; the next command
// must not leave them there, or a typed call sign picks menu items.
TEST_F(MenuFocusTest, KeysGoBackToTheEntryFieldAfterAMenuCommand) {
  Start();
  form_->txtSec->setFocus();
  QApplication::processEvents();
  form_->menuBar()->setFocus(Qt::MenuBarFocusReason);
  form_->mnuListPrevious->trigger();
  QApplication::processEvents();
  ASSERT_EQ(Focus(), form_->txtSec);
  Type(Focus(), "fn31");
  EXPECT_EQ(form_->txtSec->text(), "FN31");
}

}  // namespace
}  // namespace vantrel::ui
