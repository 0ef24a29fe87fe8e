#include "ui/accessible_names.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace vantrel::ui {

namespace {

class LiveRegionAccessible : public QAccessibleWidget {
 public:
  explicit LiveRegionAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<const LiveRegion*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* LiveRegionFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(LiveRegion::staticMetaObject.className()) && object &&
      object->isWidgetType())
    return new LiveRegionAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

bool IsControl(const QWidget* w) {
  if (qobject_cast<const QMenuBar*>(w) || qobject_cast<const QMenu*>(w)) return false;
  return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QAbstractSlider*>(w);
}

// Scroll bars, headers, viewports and the menu bar's overflow button are read
// as part of their control.
bool InsideAnotherControl(const QWidget* w, const QWidget* window) {
  for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QComboBox*>(p) ||
        qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QMenuBar*>(p))
      return true;
  return false;
}

bool Speakable(const QString& name) {
  return std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

}  // namespace

void NameControls(std::initializer_list<AccessibleName> rows) {
  for (const AccessibleName& row : rows) {
    if (!row.widget) continue;
    if (row.label) row.label->setBuddy(row.widget);
    if (!row.name.isEmpty()) row.widget->setAccessibleName(row.name);
    if (!row.description.isEmpty()) row.widget->setAccessibleDescription(row.description);
  }
}

QStringList UnnamedControls(const QWidget* window) {
  QStringList unnamed;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !IsControl(w) || InsideAnotherControl(w, window)) continue;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface && Speakable(iface->text(QAccessible::Name))) continue;
    unnamed << (w->objectName().isEmpty() ? QString(w->metaObject()->className())
                                          : w->objectName());
  }
  return unnamed;
}

LiveRegion::LiveRegion(QWidget* parent) : QWidget(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(LiveRegionFactory);
    return true;
  }();
  (void)installed;
  setObjectName("liveRegion");
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 1, 1);
}

void LiveRegion::Say(const QString& text) {
  text_ = text;
  QAccessibleEvent name(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
  QAccessibleEvent show(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&show);
  emit Spoken(text);
}

void SayLive(QWidget* window, const QString& text) {
  if (text.trimmed().isEmpty()) return;
  if (auto* region = window->findChild<LiveRegion*>(QString(), Qt::FindDirectChildrenOnly))
    region->Say(text);
}

LiveAnnouncer::LiveAnnouncer(QWidget* window) : QObject(window), region_(new LiveRegion(window)) {
  setObjectName("liveAnnouncer");
}

void LiveAnnouncer::WatchText(QLabel* label) {
  texts_.push_back({label, label->text()});
  label->installEventFilter(this);
}

void LiveAnnouncer::WatchShown(QLabel* mark) {
  marks_.push_back(mark);
  mark->installEventFilter(this);
}

bool LiveAnnouncer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    for (Watched& w : texts_) {
      if (w.label != watched || w.label->text() == w.spoken) continue;
      w.spoken = w.label->text();
      if (w.spoken != region_->text() && !w.spoken.trimmed().isEmpty()) region_->Say(w.spoken);
    }
  } else if (event->type() == QEvent::Show) {
    for (QLabel* mark : marks_) {
      if (mark != watched) continue;
      const QString what = mark->accessibleDescription();
      region_->Say(what.isEmpty() ? mark->text() : what);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vantrel::ui
