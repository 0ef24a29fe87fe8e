// The quoted-value text format shared by log.txt and every settings file:
// texts in double quotes, bare numbers with "." as decimal separator, truth
// values as #TRUE# / #FALSE#, values separated by commas or line ends.
//
// Responsibilities: split a byte stream into fields; convert fields to typed
// values; write values back in the same form (CR LF line ends).
// Collaborations: log/log_file (records), settings/program_prefs (vhfpref.txt).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vantrel {

// Reads fields one at a time. A quoted field runs to the next double quote and
// must be followed (blanks aside) by a comma, a line end or the end of data;
// an unquoted field runs to the next comma or line end, trimmed of blanks, and
// may not contain a double quote. CR, LF and CR LF all end a line; empty lines
// are skipped, so they never produce fields, but a comma right before a line
// end (or the end of the data) is followed by one empty field.
class FieldReader {
 public:
  enum class Status { kOk, kEnd, kMalformed };

  explicit FieldReader(std::string_view data) : data_(data) {}

  // Reads the next field into `out`. On kEnd or kMalformed `out` is untouched.
  Status Next(std::string& out, bool* was_quoted = nullptr);
  // True when only blanks and line ends remain.
  bool AtEnd();
  size_t position() const { return pos_; }

  // Typed reads. Each leaves `out` untouched unless it returns kOk; a field
  // that does not convert is kMalformed.
  Status NextText(std::string& out) { return Next(out); }
  Status NextNumber(double& out);
  Status NextSingle(float& out);
  Status NextInteger(int64_t min, int64_t max, int64_t& out);
  Status NextBool(bool& out);

 private:
  void SkipBlanks();
  void SkipLineEnd();
  bool AtLineEnd() const;

  std::string_view data_;
  size_t pos_ = 0;
  // The last field ended with a comma, so one more field follows even if
  // the line ends first.
  bool after_comma_ = false;
};

bool ParseNumber(std::string_view text, double& out);

// Reads a settings file's values in order, one per call. After the first
// value that is missing or does not convert every call refuses, so a chain of
// reads stops where the file broke and read() says how many values came in.
class ChainedFieldReader {
 public:
  explicit ChainedFieldReader(std::string_view text) : reader_(text) {}

  bool Text(std::string& out) {
    if (failed_) return false;
    std::string field;
    if (reader_.Next(field) != FieldReader::Status::kOk) return Fail();
    out = std::move(field);
    ++read_;
    return true;
  }
  // A bare (unquoted) number rounded to the nearest whole value of Int;
  // out of Int's range fails.
  template <typename Int>
  bool Integer(Int& out) {
    if (failed_) return false;
    std::string field;
    bool quoted = false;
    double v = 0;
    if (reader_.Next(field, &quoted) != FieldReader::Status::kOk || quoted ||
        !ParseNumber(field, v))
      return Fail();
    const double r = std::nearbyint(v);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
      return Fail();
    out = static_cast<Int>(r);
    ++read_;
    return true;
  }
  bool Bool(bool& out) {
    if (failed_) return false;
    if (reader_.NextBool(out) != FieldReader::Status::kOk) return Fail();
    ++read_;
    return true;
  }
  int read() const { return read_; }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }
  FieldReader reader_;
  bool failed_ = false;
  int read_ = 0;
};

// Builds text in the same form. Values on one line are comma-separated.
class FieldWriter {
 public:
  void Text(std::string_view value);
  void Number(double value);
  void Single(float value);
  void Integer(int64_t value);
  void Bool(bool value);
  void EndLine() {
    out_ += "\r\n";
    line_start_ = true;
  }
  const std::string& str() const { return out_; }
  std::string&& take() { return std::move(out_); }
  void reserve(size_t n) { out_.reserve(n); }

 private:
  void Separator();
  std::string out_;
  bool line_start_ = true;
};

// Number text <-> value, always with "." whatever the locale. Parsing accepts
// a leading sign and forms such as ".5" or "1E+07"; it refuses anything else,
// including infinities and NaN.
bool ParseNumber(std::string_view text, double& out);
std::string FormatDouble(double value);
std::string FormatSingle(float value);

}  // namespace vantrel
