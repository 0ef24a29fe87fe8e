// What a screen reader hears for each control of a window, and the messages
// it speaks without the focus moving.
//
// Responsibilities: apply a window's table of accessible names, descriptions
// and caption labels (NameControls); list the controls a screen reader would
// read without a name (UnnamedControls, which the tests run over every
// window); speak a label's new text or a shown mark (LiveAnnouncer).
// Collaborations: Qt's accessibility layer (QAccessible), which serves the
// desktop's accessibility bus.
#pragma once

#include <QLabel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <initializer_list>
#include <vector>

namespace vantrel::ui {

// One row of a window's table. An empty name leaves the control's own
// caption, or its caption label's text, as the name.
struct AccessibleName {
  QWidget* widget;
  QString name;
  QString description = {};
  QLabel* label = nullptr;  // the caption shown beside it: becomes its buddy
};

void NameControls(std::initializer_list<AccessibleName> rows);

// The object names (class names where unnamed) of the controls in `window`
// that a screen reader would announce without a name: every focusable widget
// and every button, field, list, box or slider, shown or hidden, whose
// accessible name holds no letter or digit. Parts inside another control
// (scroll bars, headers) belong to it and are not listed.
QStringList UnnamedControls(const QWidget* window);

// Where a live message is spoken from: an object of the notification role
// that names the last message. Its showing event is what the desktop's
// screen reader speaks without the focus moving.
class LiveRegion : public QWidget {
  Q_OBJECT

 public:
  explicit LiveRegion(QWidget* parent);
  void Say(const QString& text);
  const QString& text() const { return text_; }

 signals:
  // Each time a text is said, whether or not a screen reader listens.
  void Spoken(const QString& text);

 private:
  QString text_;
};

// Speaks `text` from the live region of `window` (none: nothing is said).
// Blank texts are not spoken.
void SayLive(QWidget* window, const QString& text);

// Speaks the new text of watched labels once it is drawn (several changes
// between two paints are spoken once, as last shown), and a mark's
// description when the mark is shown. Blank texts, and a text the region has
// just said, are not spoken.
class LiveAnnouncer : public QObject {
  Q_OBJECT

 public:
  explicit LiveAnnouncer(QWidget* window);
  void WatchText(QLabel* label);
  void WatchShown(QLabel* mark);
  LiveRegion* region() const { return region_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Watched {
    QLabel* label;
    QString spoken;
  };
  LiveRegion* region_;
  std::vector<Watched> texts_;
  std::vector<QLabel*> marks_;
};

}  // namespace vantrel::ui
