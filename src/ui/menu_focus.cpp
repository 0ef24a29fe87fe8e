#include "ui/menu_focus.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace vantrel::ui {

void KeepEntryFocusAfterMenus(QMainWindow* window, const QList<QWidget*>& fields) {
  if (fields.isEmpty()) return;
  auto last = std::make_shared<QPointer<QWidget>>(fields.front());
  QObject::connect(qApp, &QApplication::focusChanged, window,
                   [fields, last](QWidget*, QWidget* now) {
                     if (now && fields.contains(now)) *last = now;
                   });
  QMenuBar* bar = window->menuBar();
  const auto give_back = [window, bar, last] {
    QWidget* focus = window->focusWidget();
    const bool lost = !focus || focus == bar || bar->isAncestorOf(focus);
    if (!lost || !*last || !(*last)->isVisible() || !(*last)->isEnabled()) return;
    (*last)->setFocus(Qt::OtherFocusReason);
  };
  for (QAction* action : bar->findChildren<QAction*>()) {
    // Queued: the command (and any modal window it opens) runs first.
    QObject::connect(action, &QAction::triggered, window,
                     [window, give_back] { QTimer::singleShot(0, window, give_back); });
  }
}

}  // namespace vantrel::ui
