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

void ScriptedPrompter::Message(QWidget*, const QString& title, const QString& text, MessageIcon) {
  asked.push_back({"message", title, text, {}});
}

bool ScriptedPrompter::YesNo(QWidget*, const QString& title, const QString& text, MessageIcon,
                             DefaultButton default_button) {
  asked.push_back({"yesno", title, text, {}, default_button});
  if (yes_no_answers.empty()) return false;
  bool answer = yes_no_answers.front();
  yes_no_answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedPrompter::Input(QWidget*, const QString& title,
                                               const QString& prompt, const QString& initial) {
  asked.push_back({"input", title, prompt, initial});
  if (input_answers.empty()) return std::nullopt;
  const bool cancelled = !input_answers.front().has_value();
  const QString text = cancelled ? QString() : *input_answers.front();
  input_answers.pop_front();
  if (cancelled) return std::nullopt;
  return text;
}

bool ScriptedPrompter::WasAsked(const QString& title) const {
  for (const auto& a : asked)
    if (a.title == title) return true;
  return false;
}

}  // namespace vantrel::ui
