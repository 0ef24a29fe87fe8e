// A Prompter that answers from queues and records what was asked, so widget
// tests and tools never wait on a real dialog.
#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

#include "ui/prompter.h"

namespace vantrel::ui {

// Answers from queues; a question with no queued answer gets "No" / cancel.
class ScriptedPrompter : public Prompter {
 public:
  struct Asked {
    QString kind;  // "message", "yesno", "input"
    QString title;
    QString text;
    QString initial;
    DefaultButton default_button = DefaultButton::kYes;  // Yes / No boxes only
  };
  std::deque<bool> yes_no_answers;
  std::deque<std::optional<QString>> input_answers;
  std::vector<Asked> asked;
  int beeps = 0;

  void Message(QWidget*, const QString& title, const QString& text, MessageIcon) override;
  bool YesNo(QWidget*, const QString& title, const QString& text, MessageIcon,
             DefaultButton default_button) override;
  std::optional<QString> Input(QWidget*, const QString& title, const QString& prompt,
                               const QString& initial) override;
  void Beep() override { ++beeps; }
  bool WasAsked(const QString& title) const;
};

}  // namespace vantrel::ui
