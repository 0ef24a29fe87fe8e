#include "keying/cw_settings.h"

#include <algorithm>
#include <cmath>

#include "common/quoted_value.h"
#include "common/text.h"

namespace vantrel {

CwTiming ParseCwTiming(std::string_view name) {
  if (name == "Loop") return CwTiming::kLoop;
  if (name == "Sleep") return CwTiming::kSleep;
  return CwTiming::kTimer;
}

std::string_view CwTimingName(CwTiming timing) {
  switch (timing) {
    case CwTiming::kLoop:
      return "Loop";
    case CwTiming::kSleep:
      return "Sleep";
    case CwTiming::kTimer:
      break;
  }
  return "Timer";
}

namespace {

// Field order of the file: which value each of the eighteen lines holds.
std::string* TextField(CwSettings& s, int line) {
  if (line <= 9) return &s.messages[line - 1];
  switch (line) {
    case 10:
      return &s.serial_port;
    case 11:
      return &s.speed;
    case 12:
      return &s.messages[9];
    case 13:
      return &s.messages[10];
    case 14:
      return &s.word_space;
    case 16:
      return &s.parallel_address;
    case 18:
      return &s.repeat_seconds;
    default:
      return nullptr;
  }
}

std::string WithoutQuotes(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"' && c != '\r' && c != '\n') out += c;
  return out;
}

}  // namespace

CwSettingsReadResult ParseCwSettings(std::string_view text, CwSettings& settings) {
  FieldReader reader(text);
  CwSettingsReadResult result;
  for (int line = 1; line <= kCwSettingsLineCount; ++line) {
    if (std::string* field = TextField(settings, line)) {
      std::string value;
      if (reader.NextText(value) != FieldReader::Status::kOk) return result;
      *field = value;
    } else {
      int64_t value = 0;
      const int64_t max = line == 15 ? 255 : 1;
      if (reader.NextInteger(0, max, value) != FieldReader::Status::kOk) return result;
      (line == 15 ? settings.keying_line : settings.show_text) = static_cast<int>(value);
    }
    ++result.items_read;
  }
  if (settings.messages[8].empty()) settings.messages[8] = kDefaultMessage9;
  return result;
}

std::string FormatCwSettings(const CwSettings& settings) {
  CwSettings copy = settings;
  FieldWriter out;
  for (int line = 1; line <= kCwSettingsLineCount; ++line) {
    if (std::string* field = TextField(copy, line)) {
      out.Text(WithoutQuotes(*field));
    } else {
      out.Integer(line == 15 ? settings.keying_line : settings.show_text);
    }
    out.EndLine();
  }
  return out.take();
}

std::string CwSettingsFileToRead(const std::function<bool(const std::string&)>& exists) {
  const std::string upper(kCwSettingsFile);
  const std::string lower(kCwSettingsFileLower);
  if (!exists(upper) && exists(lower)) return lower;
  return upper;
}

std::optional<double> FieldNumber(std::string_view text) {
  double value = 0;
  std::string trimmed(text);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  const auto first = trimmed.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  if (!ParseNumber(std::string_view(trimmed).substr(first), value)) return std::nullopt;
  return value;
}

std::optional<int> RepeatPeriodMs(std::string_view text) {
  const auto v = FieldNumber(text);
  if (!v || *v < 0 || *v >= 60) return std::nullopt;
  return static_cast<int>(std::lround(*v * 1000.0));
}

int WordSpaceValue(std::string_view text) {
  const auto v = FieldNumber(text);
  if (!v) return 0;
  return std::max(-8, static_cast<int>(std::clamp(*v, -8.0, 10000.0)));
}

}  // namespace vantrel
