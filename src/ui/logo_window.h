// The logo window shown while the program starts. It never holds start-up
// up: it closes itself after 2.7 seconds or at a click.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/form_scale.h"

namespace vantrel::ui {

class LogoWindow : public QWidget {
  Q_OBJECT

 public:
  // `picture_path`: splash.jpg of the shared folder; a drawn picture stands
  // in when it is missing or unreadable.
  LogoWindow(const QString& picture_path, const ScreenGeometry& screen);
  bool has_picture_file() const { return from_file_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  bool from_file_ = false;
};

}  // namespace vantrel::ui
