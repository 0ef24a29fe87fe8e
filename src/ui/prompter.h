// Modal questions and messages the windows ask the operator. Behind an
// interface so widget tests can script the answers instead of clicking boxes.
//
// Responsibilities: message boxes (OK, Yes/No), text input boxes, the beep.
// Collaborations: every window that asks something; QtPrompter shows real
// dialogs, ScriptedPrompter (tests) answers from a queue and records what
// was asked.
#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

namespace vantrel::ui {

enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kCritical };
// The button Enter presses in a Yes / No box.
enum class DefaultButton { kYes, kNo };

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A box with the single button OK.
  virtual void Message(QWidget* parent, const QString& title, const QString& text,
                       MessageIcon icon = MessageIcon::kNone) = 0;
  // Yes / No; true for Yes.
  virtual bool YesNo(QWidget* parent, const QString& title, const QString& text,
                     MessageIcon icon = MessageIcon::kQuestion,
                     DefaultButton default_button = DefaultButton::kYes) = 0;
  // A text input box; nullopt when cancelled.
  virtual std::optional<QString> Input(QWidget* parent, const QString& title, const QString& prompt,
                                       const QString& initial = {}) = 0;
  virtual void Beep() = 0;
};

class QtPrompter : public Prompter {
 public:
  void Message(QWidget* parent, const QString& title, const QString& text,
               MessageIcon icon) override;
  bool YesNo(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
             DefaultButton default_button) override;
  std::optional<QString> Input(QWidget* parent, const QString& title, const QString& prompt,
                               const QString& initial) override;
  void Beep() override;
};

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
