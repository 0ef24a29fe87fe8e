#include "common/quoted_value.h"

#include <charconv>
#include <cmath>

namespace vantrel {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Out-of-range values (including those too small to hold) are refused
// rather than silently turned into infinity or zero.
template <typename T>
bool ParseDecimal(std::string_view text, T& out) {
  if (text.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i >= text.size()) return false;
  // Only digits and "." may start the magnitude; this keeps "inf", "nan" and
  // hexadecimal forms out.
  if (!(text[i] >= '0' && text[i] <= '9') && text[i] != '.') return false;
  T v = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(v)) return false;
  out = negative ? -v : v;
  return true;
}
}  // namespace

void FieldReader::SkipBlanks() {
  while (pos_ < data_.size() && IsBlank(data_[pos_])) ++pos_;
}

bool FieldReader::AtLineEnd() const {
  return pos_ < data_.size() && IsLineEnd(data_[pos_]);
}

void FieldReader::SkipLineEnd() {
  if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
  if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
}

bool FieldReader::AtEnd() {
  if (after_comma_) return false;
  for (;;) {
    SkipBlanks();
    if (!AtLineEnd()) return pos_ >= data_.size();
    SkipLineEnd();
  }
}

FieldReader::Status FieldReader::Next(std::string& out, bool* was_quoted) {
  const bool entry_after_comma = after_comma_;
  if (after_comma_) {
    SkipBlanks();
    if (pos_ >= data_.size() || AtLineEnd()) {
      after_comma_ = false;
      SkipLineEnd();
      out.clear();
      if (was_quoted) *was_quoted = false;
      return Status::kOk;
    }
    after_comma_ = false;
  }
  if (AtEnd()) return Status::kEnd;
  const size_t start = pos_;
  if (data_[pos_] == '"') {
    // A quoted text never spans a line end: a missing closing quote must not
    // swallow the next record.
    const char* begin = data_.data() + pos_ + 1;
    const char* stop = data_.data() + data_.size();
    const char* close = begin;
    while (close < stop && *close != '"' && !IsLineEnd(*close)) ++close;
    if (close == stop || *close != '"') {
      pos_ = start;
      after_comma_ = entry_after_comma;
      return Status::kMalformed;
    }
    const size_t len = static_cast<size_t>(close - begin);
    pos_ += len + 2;
    SkipBlanks();
    if (pos_ < data_.size()) {
      if (data_[pos_] == ',') {
        ++pos_;
        after_comma_ = true;
      } else if (AtLineEnd()) {
        SkipLineEnd();
      } else {
        pos_ = start;  // text after the closing quote: a stray quote
        after_comma_ = entry_after_comma;
        return Status::kMalformed;
      }
    }
    out.assign(begin, len);
    if (was_quoted) *was_quoted = true;
    return Status::kOk;
  }
  size_t end = pos_;
  while (end < data_.size() && data_[end] != ',' && !IsLineEnd(data_[end])) {
    if (data_[end] == '"') {
      after_comma_ = entry_after_comma;
      return Status::kMalformed;
    }
    ++end;
  }
  size_t first = pos_, last = end;
  while (first < last && IsBlank(data_[first])) ++first;
  while (last > first && IsBlank(data_[last - 1])) --last;
  pos_ = end;
  if (pos_ < data_.size()) {
    if (data_[pos_] == ',') {
      ++pos_;
      after_comma_ = true;
    } else {
      SkipLineEnd();
    }
  }
  out.assign(data_.data() + first, last - first);
  if (was_quoted) *was_quoted = false;
  return Status::kOk;
}

FieldReader::Status FieldReader::NextNumber(double& out) {
  const size_t start = pos_;
  const bool start_after_comma = after_comma_;
  std::string field;
  Status s = Next(field);
  if (s != Status::kOk) return s;
  double v;
  if (!ParseNumber(field, v)) {
    pos_ = start;
    after_comma_ = start_after_comma;
    return Status::kMalformed;
  }
  out = v;
  return Status::kOk;
}

FieldReader::Status FieldReader::NextSingle(float& out) {
  const size_t start = pos_;
  const bool start_after_comma = after_comma_;
  std::string field;
  Status s = Next(field);
  if (s != Status::kOk) return s;
  // Read as a float directly: going through a double rounds twice and can
  // land on the neighbour of the value that was written.
  float v;
  if (!ParseDecimal(field, v)) {
    pos_ = start;
    after_comma_ = start_after_comma;
    return Status::kMalformed;
  }
  out = v;
  return Status::kOk;
}

FieldReader::Status FieldReader::NextInteger(int64_t min, int64_t max, int64_t& out) {
  const size_t start = pos_;
  const bool start_after_comma = after_comma_;
  double v = 0;
  Status s = NextNumber(v);
  if (s != Status::kOk) return s;
  // Whole-number settings written by hand as 1.0 are still accepted; rounding
  // follows the banker's rule the file's original writer used.
  const double r = std::nearbyint(v);
  // 2^63 itself still compares equal to a converted INT64_MAX but does not fit.
  if (r < static_cast<double>(min) || r > static_cast<double>(max) || r >= 0x1p63) {
    pos_ = start;
    after_comma_ = start_after_comma;
    return Status::kMalformed;
  }
  out = static_cast<int64_t>(r);
  return Status::kOk;
}

FieldReader::Status FieldReader::NextBool(bool& out) {
  const size_t start = pos_;
  const bool start_after_comma = after_comma_;
  std::string field;
  bool quoted = false;
  Status s = Next(field, &quoted);
  if (s != Status::kOk) return s;
  if (!quoted && field == "#TRUE#") {
    out = true;
  } else if (!quoted && field == "#FALSE#") {
    out = false;
  } else {
    pos_ = start;
    after_comma_ = start_after_comma;
    return Status::kMalformed;
  }
  return Status::kOk;
}

bool ParseNumber(std::string_view text, double& out) {
  return ParseDecimal(text, out);
}

namespace {
// Shortest text that reads back to the same value. Ordinary magnitudes are
// written out in plain digits ("100000", not "1e+05") for whoever opens the
// file in an editor; only the extremes use an exponent.
template <typename T>
std::string FormatShortest(T value) {
  if (value == 0) return "0";
  char buf[512];
  const T magnitude = value < 0 ? -value : value;
  const bool plain = magnitude >= T(1e-4) && magnitude < T(1e15);
  auto [ptr, ec] = plain ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) return "0";
  return std::string(buf, ptr);
}
}  // namespace

std::string FormatDouble(double value) {
  return FormatShortest(value);
}

std::string FormatSingle(float value) {
  return FormatShortest(value);
}

void FieldWriter::Separator() {
  if (!line_start_) out_ += ',';
  line_start_ = false;
}

void FieldWriter::Text(std::string_view value) {
  Separator();
  out_ += '"';
  out_ += value;
  out_ += '"';
}

void FieldWriter::Number(double value) {
  Separator();
  out_ += FormatDouble(value);
}

void FieldWriter::Single(float value) {
  Separator();
  out_ += FormatSingle(value);
}

void FieldWriter::Integer(int64_t value) {
  Separator();
  out_ += std::to_string(value);
}

void FieldWriter::Bool(bool value) {
  Separator();
  out_ += value ? "#TRUE#" : "#FALSE#";
}

}  // namespace vantrel
