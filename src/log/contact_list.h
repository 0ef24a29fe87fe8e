// The contact list beside the entry fields: which records it shows, the texts
// of each row, and the tab-separated copy for the clipboard.
//
// Responsibilities: the nine columns (captions, design widths, cell texts);
// the last-20 / all selection, newest first; the clipboard text.
// Collaborations: log/contact_log (the records); ui/contact_list_view puts
// the rows into the main window's list.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "log/contact_log.h"

namespace vantrel {

inline constexpr int kContactListColumns = 9;
// The normal list shows this many of the newest contacts.
inline constexpr int kLastContactsListed = 20;

inline constexpr std::array<std::string_view, kContactListColumns> kContactListCaptions{
    "Rec#", "Call", "Rec", "Grid R", "Snt", "Date / Time", "Bnd", "Grid S", "Mode"};
// Widths in twips for a window 9600 twips wide.
inline constexpr std::array<int, kContactListColumns> kContactListColumnTwips{
    560, 940, 500, 690, 500, 1050, 480, 690, 600};

inline constexpr std::string_view kListLast20Caption = "Last 20";
inline constexpr std::string_view kListAllCaption = "All";

// One row as displayed: the record number, then the eight cell texts.
using ContactListRow = std::array<std::string, kContactListColumns>;

// Row texts of record `n` (1..ContactCount) of `log`.
ContactListRow ContactListRowOf(const ContactLog& log, int n);

// The "Date / Time" cell: the date as "mm/dd", two blanks, the time as
// "hh:mm". A text that is not a date or time is shown as it stands.
std::string ListDateTime(std::string_view date, std::string_view time);

// The records FillContactList shows, top to bottom: newest first, all of
// them or the last kLastContactsListed.
std::vector<int> ListedRecords(int ContactCount, bool ListAllContacts);

// The clipboard copy of a list: the captions, then the rows from the bottom
// of the list to the top, cells separated by tabs, each line ended by CR LF.
// `rows` are in screen order, top first.
std::string ContactListClipboardText(const std::vector<ContactListRow>& rows);

// The caption cmdList shows for a listing state.
inline std::string_view ListButtonCaption(bool ListAllContacts) {
  return ListAllContacts ? kListAllCaption : kListLast20Caption;
}

}  // namespace vantrel
