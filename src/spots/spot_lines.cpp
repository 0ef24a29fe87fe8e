#include "spots/spot_lines.h"

#include <algorithm>

#include "common/quoted_value.h"
#include "common/text.h"

namespace vantrel {

namespace {

bool IsNumberChar(char c) {
  return (c >= '0' && c <= '9') || c == '.';
}

std::string_view Mid(std::string_view s, size_t start1, size_t count) {
  if (start1 < 1 || start1 > s.size()) return {};
  return s.substr(start1 - 1, count);
}

}  // namespace

void SpotDisplay::Append(std::string_view text) {
  if (text.empty()) return;
  const size_t before = text_.size();
  text_ += text;
  text_.erase(std::remove(text_.begin() + static_cast<std::ptrdiff_t>(before), text_.end(), '\0'),
              text_.end());
  if (text_.size() > kLimit) text_.erase(0, text_.size() - kKept);
  ++version_;
}

void SpotDisplay::Replace(std::string_view text) {
  text_.clear();
  Append(text);
  ++version_;
}

bool SpotDisplay::RecentlyShown(std::string_view text) const {
  const size_t from = text_.size() > kRepeatWindow ? text_.size() - kRepeatWindow : 0;
  return std::string_view(text_).substr(from).find(text) != std::string_view::npos;
}

std::vector<std::string> TncLineSplitter::Feed(std::string_view bytes, SpotDisplay& display,
                                               bool dx_only) {
  std::vector<std::string> spots;
  buffer_ += bytes;
  if (buffer_.size() > 2) Cut(display, dx_only, spots);
  // Only a line still waiting for its end is cut back, so a burst of whole
  // lines in one read loses nothing.
  if (buffer_.size() > kLineBufferLimit) buffer_.erase(0, buffer_.size() - kLineBufferLimit);
  return spots;
}

void TncLineSplitter::Cut(SpotDisplay& display, bool dx_only, std::vector<std::string>& spots) {
  const size_t first = buffer_.find('\n');
  if (first == std::string::npos) return;
  buffer_.erase(0, first);
  size_t start = 0;  // the LF that opens the next line
  for (;;) {
    const size_t end = buffer_.find('\n', start + 1);
    if (end == std::string::npos) break;
    const std::string_view line = std::string_view(buffer_).substr(start + 1, end - start);
    if (!display.RecentlyShown(line)) {
      if (StartsWithDx(line)) {
        display.Append(line);
        spots.emplace_back(line);
      } else if (!dx_only) {
        display.Append(line);
      }
    }
    start = end;
  }
  buffer_.erase(0, start);
}

std::vector<std::string> TelnetLineSplitter::Feed(std::string_view bytes) {
  std::vector<std::string> lines;
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      if (!discarding_ && !partial_.empty()) lines.push_back(partial_);
      partial_.clear();
      discarding_ = false;
      continue;
    }
    if (discarding_) continue;
    partial_ += c;
    if (partial_.size() > kLineBufferLimit) {
      partial_.clear();
      discarding_ = true;
    }
  }
  return lines;
}

bool StartsWithDx(std::string_view text) {
  return text.size() >= 2 && FoldCase(text[0]) == 'D' && FoldCase(text[1]) == 'X';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsNumericText(std::string_view text, double* value) {
  double v = 0;
  if (!ParseNumber(TrimBlanks(text), v)) return false;
  if (value) *value = v;
  return true;
}

SpotLineFields ReadSpotLine(std::string_view line) {
  SpotLineFields f;
  std::string_view frequency = Mid(line, 16, 9);
  if (line.size() >= 24 && IsNumberChar(line[15]) && IsNumberChar(line[14])) {
    size_t start = 14;
    while (start > 0 && IsNumberChar(line[start - 1])) --start;
    frequency = line.substr(start, 24 - start);
  }
  f.frequency_khz = std::string(TrimBlanks(frequency));
  f.call = std::string(TrimBlanks(Mid(line, 27, 13)));
  f.spot_text = std::string(TrimBlanks(line.size() > 3 ? line.substr(3) : std::string_view{}));
  return f;
}

}  // namespace vantrel
