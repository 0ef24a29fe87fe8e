// Gives the typing back to the entry fields after a menu command.
//
// A menu closed with Esc leaves the menu bar holding the keyboard; a command
// chosen from it next (one that opens a modal window, say) then returns to a
// window whose keys go to the menu bar, where the operator's next call sign
// picks menu items by their letters. After every menu command, once it has
// run, the entry field last used gets the keys again unless the command put
// them somewhere on purpose.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QWidget>

namespace vantrel::ui {

// `fields` are the window's entry fields; the first is used when none had
// the keys yet.
void KeepEntryFocusAfterMenus(QMainWindow* window, const QList<QWidget*>& fields);

}  // namespace vantrel::ui
