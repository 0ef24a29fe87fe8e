// The main window's contact list (ListView1) as a small object over its
// QTreeWidget: filling it from the log, one-off sorting by a heading, the
// clipboard copy, and the selection that edit and delete work on.
//
// Responsibilities: rows from log/contact_list into the tree; the last-20 /
// all state of cmdList; a heading click sorts once and leaves the list
// unsorted; tell the window when to show the edit buttons (click, focus
// loss) and when to open the edit window (right-button release).
// Collaborations: log/contact_list (texts and order), Form1 (owns the tree,
// shows the buttons, runs the edit and delete flows).
#pragma once

#include <QObject>
#include <QString>
#include <QTreeWidget>
#include <vector>

#include "log/contact_list.h"
#include "log/contact_log.h"

namespace vantrel::ui {

class ContactListView : public QObject {
  Q_OBJECT

 public:
  // Takes over the heading clicks and watches clicks and focus of `list`,
  // whose nine columns already exist.
  explicit ContactListView(QTreeWidget* list, QObject* parent = nullptr);

  // Rebuilds the list: the last 20 or all records, newest on top.
  void FillContactList(const ContactLog& log);
  // Appends record `n` as an item at the bottom (dupcheck2's listing).
  void AddContactListItem(const ContactLog& log, int n);
  int ContactListItemCount() const;

  bool ListAllContacts() const { return list_all_; }
  // cmdList: toggles the listing and returns cmdList's new caption ("All" or
  // "Last 20"). The caller refills the list and focuses the call field.
  QString ToggleListAllContacts();

  // Sorts the items once by `column`'s text, ascending; items added later
  // are appended unsorted.
  void SortByColumn(int column);

  // The items in screen order, top first, as displayed.
  std::vector<ContactListRow> Rows() const;
  // The clipboard text of the listed items (header, then bottom to top).
  QString ClipboardText() const;
  // mnuCopyListtoClipboard. Failures are ignored.
  void CopyToClipboard() const;

  // The selected item's record number when it names a record of `log`;
  // 0 when nothing (or nothing valid) is selected.
  int SelectedRecord(const ContactLog& log) const;

  QTreeWidget* tree() const { return list_; }

 signals:
  // A click on the list or the list losing focus, with at least one item
  // listed: show cmdEdit and cmdDelete.
  void ShowEditButtons();
  // The right button released over a non-empty list: open the edit window.
  // Sent from the event loop, not from inside the mouse event.
  void EditRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTreeWidgetItem* MakeItem(const ContactLog& log, int n) const;

  QTreeWidget* list_;
  bool list_all_ = false;
};

}  // namespace vantrel::ui
