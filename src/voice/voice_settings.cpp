#include "voice/voice_settings.h"

#include <cmath>

#include "common/quoted_value.h"

namespace vantrel {

namespace {

// One value of one line: quoted text, a bare value, or empty.
std::optional<std::string> LineValue(std::string_view line) {
  FieldReader reader(line);
  std::string value;
  switch (reader.Next(value)) {
    case FieldReader::Status::kOk:
      return value;
    case FieldReader::Status::kEnd:
      return std::string();
    case FieldReader::Status::kMalformed:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::string_view TrimBlanksAndTabs(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<PttLine> PttLineFromNumber(std::int64_t number) {
  switch (number) {
    case 0:
      return PttLine::kRts;
    case 1:
      return PttLine::kDtr;
    case 2:
      return PttLine::kParallel;
    default:
      return std::nullopt;
  }
}

VoiceSettings ParseVoiceSettings(std::string_view text) {
  VoiceSettings s;
  std::size_t index = 0;
  while (!text.empty() && index < 13) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    const std::optional<std::string> value = LineValue(line);
    const std::size_t n = index++;
    if (!value) continue;
    if (n < 9) {
      s.files[n] = std::string(TrimBlanksAndTabs(*value));
    } else if (n == 9) {
      s.port = *value;
    } else if (n == 10) {
      double number = 0;
      s.line = value->empty() || !ParseNumber(*value, number) || number != std::floor(number)
                   ? std::nullopt
                   : PttLineFromNumber(static_cast<std::int64_t>(number));
    } else if (n == 11) {
      s.repeat = *value;
    } else {
      s.parallel = *value;
    }
  }
  return s;
}

std::string FormatVoiceSettings(const VoiceSettings& s) {
  FieldWriter w;
  for (const std::string& file : s.files) {
    w.Text(TrimBlanksAndTabs(file));
    w.EndLine();
  }
  w.Text(s.port);
  w.EndLine();
  if (s.line) w.Integer(static_cast<int>(*s.line));
  w.EndLine();
  w.Text(s.repeat);
  w.EndLine();
  w.Text(s.parallel);
  w.EndLine();
  return w.take();
}

int PttPortNumber(std::string_view text) {
  double number = 0;
  if (!ParseNumber(TrimBlanksAndTabs(text), number) || number < 1 || number > 255) return 0;
  return static_cast<int>(number);
}

std::optional<int> VoiceRepeatPeriodMs(std::string_view text) {
  double seconds = 0;
  if (!ParseNumber(TrimBlanksAndTabs(text), seconds) || seconds < 0 || seconds >= 60)
    return std::nullopt;
  return static_cast<int>(std::lround(seconds * 1000));
}

bool RepeatFieldAccepts(char c) {
  return c == '\b' || c == '.' || (c >= '0' && c <= '9');
}

}  // namespace vantrel
