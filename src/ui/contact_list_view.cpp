#include "ui/contact_list_view.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

// Items compare by the sort column's text, ignoring case, as the operator
// reads them; the sort is stable, so equal texts keep their order.
class ContactListItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
  }
};

}  // namespace

ContactListView::ContactListView(QTreeWidget* list, QObject* parent)
    : QObject(parent), list_(list) {
  list_->setSortingEnabled(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->setSectionsClickable(true);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &ContactListView::SortByColumn);
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
}

QTreeWidgetItem* ContactListView::MakeItem(const ContactLog& log, int n) const {
  const ContactListRow row = ContactListRowOf(log, n);
  QStringList texts;
  for (const std::string& cell : row) texts << Latin1(cell);
  return new ContactListItem(texts);
}

void ContactListView::FillContactList(const ContactLog& log) {
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (int n : ListedRecords(log.ContactCount(), list_all_)) items << MakeItem(log, n);
  // All at once: listing 12,000 contacts one by one is noticeably slow.
  list_->addTopLevelItems(items);
}

void ContactListView::AddContactListItem(const ContactLog& log, int n) {
  if (n < 1 || n > log.ContactCount()) return;
  list_->addTopLevelItem(MakeItem(log, n));
}

int ContactListView::ContactListItemCount() const {
  return list_->topLevelItemCount();
}

QString ContactListView::ToggleListAllContacts() {
  list_all_ = !list_all_;
  return Latin1(ListButtonCaption(list_all_));
}

void ContactListView::SortByColumn(int column) {
  if (column < 0 || column >= list_->columnCount()) return;
  // sortItems sorts once; with sorting left disabled, later items are simply
  // appended.
  list_->sortItems(column, Qt::AscendingOrder);
}

std::vector<ContactListRow> ContactListView::Rows() const {
  std::vector<ContactListRow> rows;
  rows.reserve(static_cast<size_t>(list_->topLevelItemCount()));
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list_->topLevelItem(i);
    ContactListRow row;
    for (int c = 0; c < kContactListColumns; ++c) row[static_cast<size_t>(c)] = Std(item->text(c));
    rows.push_back(std::move(row));
  }
  return rows;
}

QString ContactListView::ClipboardText() const {
  return Latin1(ContactListClipboardText(Rows()));
}

void ContactListView::CopyToClipboard() const {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return;
  clipboard->clear();
  clipboard->setText(ClipboardText());
}

int ContactListView::SelectedRecord(const ContactLog& log) const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return 0;
  bool ok = false;
  const int n = selected.front()->text(0).toInt(&ok);
  if (!ok || n < 1 || n > log.ContactCount()) return 0;
  return n;
}

bool ContactListView::eventFilter(QObject* watched, QEvent* event) {
  const bool non_empty = list_->topLevelItemCount() > 0;
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && non_empty) emit ShowEditButtons();
    // Queued: the edit window is modal and must not run inside this filter.
    if (mouse->button() == Qt::RightButton && non_empty)
      QMetaObject::invokeMethod(this, &ContactListView::EditRequested, Qt::QueuedConnection);
  } else if (watched == list_ && event->type() == QEvent::FocusOut && non_empty) {
    emit ShowEditButtons();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vantrel::ui
