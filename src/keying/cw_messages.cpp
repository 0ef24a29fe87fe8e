#include "keying/cw_messages.h"

#include "keying/cw_settings.h"

namespace vantrel {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string ReplaceAll(std::string_view text, char wildcard, std::string_view value) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == wildcard) {
      out += value;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::optional<int> CwMessageSlot(int code) {
  if (code >= kKeyF1 && code <= kKeyF9) return code - kKeyF1;
  if (code == kKeyF10Code) return 9;
  if (code == 122) return 10;
  return std::nullopt;
}

std::optional<int> CwStringsRowCode(int index) {
  if (index < 0 || index > 10) return std::nullopt;
  const int code = kKeyF1 + index;
  return code == 121 ? kKeyF10Code : code;
}

std::string ExpandCWMacros(std::string_view text, std::string_view call,
                           std::string_view rst_sent) {
  std::string out = ReplaceAll(text, '$', TrimBlanks(call));
  out = ReplaceAll(out, '#', "");
  const std::string_view report =
      (rst_sent == "599" || rst_sent.empty()) ? std::string_view("5NN") : TrimBlanks(rst_sent);
  return ReplaceAll(out, '*', report);
}

CwMessageAction CwMessageForKey(const CwSettings& settings, int code, std::string_view call,
                                std::string_view rst_sent) {
  CwMessageAction action;
  if (settings.keying_line == 0 || code < kKeyF1 || code > kKeyF10Code) return action;
  const auto slot = CwMessageSlot(code);
  if (!slot) return action;
  if (code == kKeyF1) {
    const auto seconds = FieldNumber(settings.repeat_seconds);
    action.arm_repeat = seconds && *seconds > 0;
  }
  const std::string& message = settings.messages[*slot];
  if (message.empty()) return action;
  action.text = ExpandCWMacros(message, call, rst_sent);
  return action;
}

}  // namespace vantrel
