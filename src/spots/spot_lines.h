// Cluster text as it arrives: the spotting window's display text, the TNC
// and Telnet line splitters, and the fixed columns of a "DX de" spot line.
//
// Responsibilities: keep the display bounded and answer the repeat check;
// cut received bytes into whole lines with bounded buffers; read call,
// frequency and spot text out of a spot line.
// Collaborations: the spotting window feeds received bytes in and shows the
// display; the spot book (spot_store.h) takes the lines picked out here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The display of the spotting window. Once it passes 10,000 characters only
// its last 9,000 are kept, so hours of traffic never grow it.
class SpotDisplay {
 public:
  static constexpr size_t kLimit = 10000;
  static constexpr size_t kKept = 9000;
  static constexpr size_t kRepeatWindow = 800;

  // NUL bytes are left out: the text box would end the text at them.
  void Append(std::string_view text);
  void Replace(std::string_view text);
  // True when `text` lies within the last 800 characters (the repeat check:
  // nodes and digipeaters send the same spot more than once).
  bool RecentlyShown(std::string_view text) const;
  const std::string& text() const { return text_; }
  // Where the caret goes so the newest text is in view: before the last
  // character once there are at least 3.
  size_t Caret() const { return text_.size() >= 3 ? text_.size() - 1 : 0; }
  // Counts every change, so a view can skip redrawing an unchanged text.
  unsigned long long version() const { return version_; }

 private:
  std::string text_;
  unsigned long long version_ = 0;
};

// Bytes kept waiting for a line end; a stream that never sends one loses its
// oldest bytes instead of growing a buffer without bound.
inline constexpr size_t kLineBufferLimit = 4096;

// TNC input: a line counts only once it lies between two LFs, so the text
// before the first LF ever received is dropped. Lines already in the last
// 800 displayed characters are repeats and ignored; "DX" lines are shown and
// returned for intake, other lines shown unless `dx_only`.
class TncLineSplitter {
 public:
  // Appends `bytes` and cuts whatever whole lines are there.
  std::vector<std::string> Feed(std::string_view bytes, SpotDisplay& display, bool dx_only);
  const std::string& buffer() const { return buffer_; }
  void Clear() { buffer_.clear(); }

 private:
  void Cut(SpotDisplay& display, bool dx_only, std::vector<std::string>& spots);
  std::string buffer_;
};

// Telnet input arrives in pieces that do not follow line ends: a piece may
// hold several lines, or end inside one. CR, LF and CR LF all end a line;
// the partial line waits for the next piece. A line that outgrows the
// buffer is dropped whole, up to its line end, rather than handed on cut.
class TelnetLineSplitter {
 public:
  std::vector<std::string> Feed(std::string_view bytes);
  const std::string& partial() const { return partial_; }
  void Clear() {
    partial_.clear();
    discarding_ = false;
  }

 private:
  std::string partial_;
  bool discarding_ = false;
};

// True for text starting with "DX" in either case.
bool StartsWithDx(std::string_view text);

// What intake reads out of a spot line.
struct SpotLineFields {
  std::string call;           // columns 27-39, trimmed
  std::string frequency_khz;  // the number ending at column 24
  std::string spot_text;      // the line without its first three characters, trimmed
};
// Columns 16-24 hold the frequency in kHz; 10 GHz and up need ten
// characters (10368100.0), which start one column early, so the whole
// number ending at column 24 is read.
SpotLineFields ReadSpotLine(std::string_view line);

// Blanks off both ends (only blanks: line ends stay).
std::string_view TrimBlanks(std::string_view text);
// A number as the spot fields write them: digits with an optional point,
// sign or exponent; blanks around it allowed.
bool IsNumericText(std::string_view text, double* value = nullptr);

}  // namespace vantrel
