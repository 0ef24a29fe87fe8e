#include "ui/prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace vantrel::ui {

namespace {
QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kCritical:
      return QMessageBox::Critical;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

void QtPrompter::Message(QWidget* parent, const QString& title, const QString& text,
                         MessageIcon icon) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent);
  box.exec();
}

bool QtPrompter::YesNo(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                       DefaultButton default_button) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(default_button == DefaultButton::kNo ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::Input(QWidget* parent, const QString& title,
                                         const QString& prompt, const QString& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

void QtPrompter::Beep() {
  QApplication::beep();
}

}  // namespace vantrel::ui
