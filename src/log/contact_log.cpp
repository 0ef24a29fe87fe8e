#include "log/contact_log.h"

#include "common/quoted_value.h"

namespace vantrel {

std::string& ContactRecord::Field(int index) {
  switch (index) {
    case 0:
      return Call;
    case 1:
      return RstRcvd;
    case 2:
      return GridRcvd;
    case 3:
      return RstSnt;
    case 4:
      return GridSent;
    case 5:
      return Date;
    case 6:
      return Time;
    case 7:
      return Band;
    case 8:
      return Mode;
    default:
      return Freq;
  }
}

const std::string& ContactRecord::Field(int index) const {
  return const_cast<ContactRecord*>(this)->Field(index);
}

bool ContactLog::Add(ContactRecord record) {
  if (Full()) return false;
  records_.push_back(std::move(record));
  return true;
}

bool ContactLog::Remove(int n) {
  if (n < 1 || n > ContactCount()) return false;
  records_.erase(records_.begin() + (n - 1));
  return true;
}

namespace {
void AppendLogLine(std::string& text, const ContactRecord& record) {
  for (int i = 0; i < kFieldsPerRecord; ++i) {
    if (i) text += ',';
    text += '"';
    const std::string& field = record.Field(i);
    // A pasted double quote or line end would end the field early and make
    // the whole log unreadable at the next start; it is dropped instead.
    if (field.find_first_of("\"\r\n") == std::string::npos) {
      text += field;
    } else {
      for (char c : field)
        if (c != '"' && c != '\r' && c != '\n') text += c;
    }
    text += '"';
  }
  text += "\r\n";
}
}  // namespace

std::string FormatLogLine(const ContactRecord& record) {
  std::string line;
  line.reserve(96);
  AppendLogLine(line, record);
  return line;
}

std::string FormatLog(const ContactLog& log) {
  std::string text;
  text.reserve(log.records().size() * 96);
  for (const auto& r : log.records()) AppendLogLine(text, r);
  return text;
}

LogParseResult ParseLog(std::string_view text, ContactLog& out) {
  FieldReader reader(text);
  ContactLog parsed;
  // Lines of a written log are 60 to 90 bytes long.
  parsed.Reserve(text.size() / 60 + 1);
  LogParseResult result;
  while (!reader.AtEnd()) {
    if (parsed.Full()) {
      result.error = LogParseError::kTooManyRecords;
      result.record = kMaxContacts + 1;
      result.byte_offset = reader.position();
      return result;
    }
    ContactRecord rec;
    for (int i = 0; i < kFieldsPerRecord; ++i) {
      const auto status = reader.Next(rec.Field(i));
      if (status != FieldReader::Status::kOk) {
        result.error = status == FieldReader::Status::kEnd ? LogParseError::kShortRecord
                                                           : LogParseError::kMalformedField;
        result.record = parsed.ContactCount() + 1;
        result.byte_offset = reader.position();
        return result;
      }
    }
    parsed.Add(std::move(rec));
  }
  out.Swap(parsed);
  return result;
}

std::string DescribeParseError(const LogParseResult& result) {
  switch (result.error) {
    case LogParseError::kNone:
      return "no error";
    case LogParseError::kMalformedField:
      return "a stray or missing double quote in record " + std::to_string(result.record);
    case LogParseError::kShortRecord:
      return "record " + std::to_string(result.record) + " has fewer than ten fields";
    case LogParseError::kTooManyRecords:
      return "more than 12000 records";
  }
  return "unknown error";
}

}  // namespace vantrel
