#include "support/scripted_prompter.h"

namespace vantrel::ui {

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
