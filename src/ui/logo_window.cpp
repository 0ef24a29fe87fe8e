#include "ui/logo_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace vantrel::ui {

namespace {
constexpr int kShowMilliseconds = 2700;
constexpr int kAboveCentreTwips = 170;

QPixmap DrawnPicture() {
  QPixmap pix(480, 270);
  QPainter p(&pix);
  QLinearGradient g(0, 0, 0, pix.height());
  g.setColorAt(0, QColor(0, 0, 128));
  g.setColorAt(1, QColor(0, 96, 160));
  p.fillRect(pix.rect(), g);
  p.setPen(Qt::white);
  QFont title("Sans Serif", 36, QFont::Bold);
  p.setFont(title);
  p.drawText(QRect(0, 50, pix.width(), 80), Qt::AlignCenter, "Vantrel 3.0");
  p.setFont(QFont("Sans Serif", 13));
  p.drawText(QRect(0, 140, pix.width(), 40), Qt::AlignCenter, "VHF / UHF contest logger");
  p.setPen(QColor(255, 255, 128));
  p.drawText(QRect(0, 200, pix.width(), 40), Qt::AlignCenter, "QX9ZZ Software");
  return pix;
}
}  // namespace

LogoWindow::LogoWindow(const QString& picture_path, const ScreenGeometry& screen)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("frmSplash");
  setAttribute(Qt::WA_DeleteOnClose);
  if (!picture_path.isEmpty() && picture_.load(picture_path)) {
    from_file_ = true;
  } else {
    picture_ = DrawnPicture();
  }
  resize(picture_.size());
  const QRect s = screen.screen;
  const int above = static_cast<int>(kAboveCentreTwips / kTwipsPerPixel);
  move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2 - above);
  QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

void LogoWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void LogoWindow::mousePressEvent(QMouseEvent*) {
  close();
}

}  // namespace vantrel::ui
