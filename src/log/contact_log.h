// The contact log: every logged contact as a ContactRecord, in the order it
// was logged, and the text form each record takes in log.txt.
//
// Responsibilities: hold records 1..ContactCount (12,000 at most); turn records
// into log.txt lines and a whole log.txt back into records.
// Collaborations: log/log_storage (durable file I/O), the main window (which
// owns the one ContactLog of a run), every reader of contacts.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr int kMaxContacts = 12000;
inline constexpr int kFieldsPerRecord = 10;

// One logged contact: ten texts, in log.txt order. Nothing here is a number,
// date or time type; readers convert from the text when they need to.
struct ContactRecord {
  std::string Call;      // upper case, 3 characters or more
  std::string RstRcvd;   // digits, may be empty
  std::string GridRcvd;  // 4 or 6 characters
  std::string RstSnt;    // digits, may be empty
  std::string GridSent;  // own grid at the time of the contact
  std::string Date;      // UTC "yyyy/mm/dd"
  std::string Time;      // UTC "hh:mm:ss", or "hh:mm" from post-contest entry
  std::string Band;      // band label, e.g. "144 M"
  std::string Mode;      // "CW" or "PH"
  std::string Freq;      // MHz "#####.##0", or empty

  std::string& Field(int index);  // 0..9 in file order
  const std::string& Field(int index) const;
  bool operator==(const ContactRecord&) const = default;
};

// The in-memory log. Record numbers are 1-based and equal the line numbers of
// log.txt; removing a record renumbers the later ones.
class ContactLog {
 public:
  int ContactCount() const { return static_cast<int>(records_.size()); }
  bool Full() const { return ContactCount() >= kMaxContacts; }
  bool Empty() const { return records_.empty(); }

  // Record n, 1 <= n <= ContactCount().
  const ContactRecord& Record(int n) const { return records_[static_cast<size_t>(n - 1)]; }
  ContactRecord& MutableRecord(int n) { return records_[static_cast<size_t>(n - 1)]; }

  // Appends a record; false (and nothing changes) when the log is full.
  bool Add(ContactRecord record);
  // Removes record n; later records move down by one. False when n is out of range.
  bool Remove(int n);
  void Clear() { records_.clear(); }
  // Room for `n` records (capped at kMaxContacts) without reallocating.
  void Reserve(size_t n) {
    records_.reserve(n < static_cast<size_t>(kMaxContacts) ? n : static_cast<size_t>(kMaxContacts));
  }
  void Swap(ContactLog& other) noexcept { records_.swap(other.records_); }

  const std::vector<ContactRecord>& records() const { return records_; }

 private:
  std::vector<ContactRecord> records_;
};

// One record as a log.txt line, CR LF included:
// "N0CALL","59","FN31","59","FN20","2007/06/09","18:30:15","144 M","PH","144.200"
// Double quotes and line ends cannot be stored in a field and are left out.
std::string FormatLogLine(const ContactRecord& record);
// Records 1..ContactCount as the whole text of log.txt.
std::string FormatLog(const ContactLog& log);

enum class LogParseError {
  kNone,
  kMalformedField,  // a stray or missing double quote
  kShortRecord,     // the fields do not divide into whole records
  kTooManyRecords,  // more than kMaxContacts
};

struct LogParseResult {
  LogParseError error = LogParseError::kNone;
  int record = 0;          // record number where the error was found
  size_t byte_offset = 0;  // position in the text where it was found
  bool ok() const { return error == LogParseError::kNone; }
};

// Parses the whole text of log.txt into `out`. On failure `out` is left as it
// was, so a damaged file never replaces a good in-memory log.
LogParseResult ParseLog(std::string_view text, ContactLog& out);

// Short English description of a parse failure, for messages and tools.
std::string DescribeParseError(const LogParseResult& result);

}  // namespace vantrel
