#include "log/contact_list.h"

#include <cstdio>

#include "common/date_time_text.h"

namespace vantrel {

std::string ListDateTime(std::string_view date, std::string_view time) {
  std::string text;
  if (const auto d = ParseDateText(date)) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02u/%02u", static_cast<unsigned>(d->month()),
                  static_cast<unsigned>(d->day()));
    text = buffer;
  } else {
    text = date;
  }
  text += "  ";
  if (const auto t = ParseTimeText(time))
    text += FormatTimeText(*t, false);
  else
    text += time;
  return text;
}

ContactListRow ContactListRowOf(const ContactLog& log, int n) {
  const ContactRecord& r = log.Record(n);
  return {std::to_string(n),   r.Call,     r.RstRcvd,
          r.GridRcvd,          r.RstSnt,   ListDateTime(r.Date, r.Time),
          r.Band.substr(0, 3), r.GridSent, r.Mode};
}

std::vector<int> ListedRecords(int ContactCount, bool ListAllContacts) {
  std::vector<int> records;
  if (ContactCount <= 0) return records;
  const int first = ListAllContacts || ContactCount < kLastContactsListed
                        ? 1
                        : ContactCount - (kLastContactsListed - 1);
  records.reserve(static_cast<size_t>(ContactCount - first + 1));
  for (int i = ContactCount; i >= first; --i) records.push_back(i);
  return records;
}

std::string ContactListClipboardText(const std::vector<ContactListRow>& rows) {
  std::string text;
  auto add_line = [&text](const auto& cells) {
    bool first = true;
    for (const auto& cell : cells) {
      if (!first) text += '\t';
      text += cell;
      first = false;
    }
    text += "\r\n";
  };
  add_line(kContactListCaptions);
  // Bottom to top: the normal list, newest on top, pastes oldest first.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) add_line(*it);
  return text;
}

}  // namespace vantrel
