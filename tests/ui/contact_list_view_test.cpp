// The contact list over a real QTreeWidget laid out like the main window's.
#include "ui/contact_list_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include "support/sample_contact.h"

#include <string>

namespace vantrel::ui {
namespace {

ContactRecord Contact(const std::string& call, const std::string& band = "144 M") {
  return SampleContact(call, "FN31", band);
}

class ContactListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.setHeaderLabels(
        {"Rec#", "Call", "Rec", "Grid R", "Snt", "Date / Time", "Bnd", "Grid S", "Mode"});
    tree_.setRootIsDecorated(false);
    tree_.resize(600, 300);
    tree_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree_));
  }

  void AddContacts(int count) {
    for (int i = 1; i <= count; ++i) log_.Add(Contact("W" + std::to_string(i) + "AA"));
  }

  QStringList Column(int column) const {
    QStringList texts;
    for (int i = 0; i < tree_.topLevelItemCount(); ++i)
      texts << tree_.topLevelItem(i)->text(column);
    return texts;
  }

  QPoint ItemCentre(int row) const {
    return tree_.visualItemRect(tree_.topLevelItem(row)).center();
  }

  QTreeWidget tree_;
  ContactListView view_{&tree_};
  ContactLog log_;
};

TEST_F(ContactListViewTest, FillsNewestFirstLastTwentyOrAll) {
  AddContacts(5);
  view_.FillContactList(log_);
  EXPECT_EQ(Column(0), (QStringList{"5", "4", "3", "2", "1"}));
  EXPECT_EQ(tree_.topLevelItem(0)->text(1), "W5AA");

  AddContacts(25);  // 30 in all
  view_.FillContactList(log_);
  ASSERT_EQ(view_.ContactListItemCount(), 20);
  EXPECT_EQ(Column(0).front(), "30");
  EXPECT_EQ(Column(0).back(), "11");

  EXPECT_EQ(view_.ToggleListAllContacts(), "All");
  view_.FillContactList(log_);
  EXPECT_EQ(view_.ContactListItemCount(), 30);
  EXPECT_EQ(Column(0).back(), "1");
  EXPECT_EQ(view_.ToggleListAllContacts(), "Last 20");
  view_.FillContactList(log_);
  EXPECT_EQ(view_.ContactListItemCount(), 20);
}

TEST_F(ContactListViewTest, HeadingClickSortsOnceThenClipboardIsReversed) {
  for (const char* call : {"W1AW", "K2XX", "N0CALL", "AA1B"}) log_.Add(Contact(call));
  view_.FillContactList(log_);
  const QHeaderView* header = tree_.header();
  const QPoint call_heading(header->sectionViewportPosition(1) + header->sectionSize(1) / 2,
                            header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, call_heading);
  EXPECT_EQ(Column(1), (QStringList{"AA1B", "K2XX", "N0CALL", "W1AW"}));
  EXPECT_FALSE(tree_.isSortingEnabled());

  view_.CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Rec#\tCall\tRec\tGrid R\tSnt\tDate / Time\tBnd\tGrid S\tMode\r\n"
            "1\tW1AW\t59\tFN31\t59\t06/09  18:30\t144\tFN20\tPH\r\n"
            "3\tN0CALL\t59\tFN31\t59\t06/09  18:30\t144\tFN20\tPH\r\n"
            "2\tK2XX\t59\tFN31\t59\t06/09  18:30\t144\tFN20\tPH\r\n"
            "4\tAA1B\t59\tFN31\t59\t06/09  18:30\t144\tFN20\tPH\r\n");

  // The list is not kept sorted: a later item goes to the bottom.
  log_.Add(Contact("AA0A"));
  view_.AddContactListItem(log_, 5);
  EXPECT_EQ(Column(1).back(), "AA0A");

  // Rec# sorts by its text, as the operator sees it.
  view_.SortByColumn(0);
  EXPECT_EQ(Column(0), (QStringList{"1", "2", "3", "4", "5"}));
}

TEST_F(ContactListViewTest, EmptyListCopiesTheHeaderAlone) {
  view_.FillContactList(log_);
  QApplication::clipboard()->setText("old");
  view_.CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Rec#\tCall\tRec\tGrid R\tSnt\tDate / Time\tBnd\tGrid S\tMode\r\n");
}

TEST_F(ContactListViewTest, PreviousContactsListedInTheOrderGiven) {
  AddContacts(6);
  view_.FillContactList(log_);
  tree_.clear();
  for (int n : {2, 4, 6}) view_.AddContactListItem(log_, n);
  view_.AddContactListItem(log_, 7);  // no such record: nothing added
  EXPECT_EQ(Column(0), (QStringList{"2", "4", "6"}));
}

TEST_F(ContactListViewTest, SelectionGivesTheRecordNumberWhateverTheOrder) {
  AddContacts(5);
  view_.FillContactList(log_);
  EXPECT_EQ(view_.SelectedRecord(log_), 0);
  view_.SortByColumn(1);  // W1AA .. W5AA: record 1 on top
  tree_.topLevelItem(2)->setSelected(true);
  EXPECT_EQ(view_.SelectedRecord(log_), 3);

  // An item naming a record the log no longer holds is no selection.
  log_.Remove(5);
  log_.Remove(4);
  log_.Remove(3);
  EXPECT_EQ(view_.SelectedRecord(log_), 0);
}

TEST_F(ContactListViewTest, ClickShowsButtonsAndRightReleaseOpensTheEditor) {
  QSignalSpy show(&view_, &ContactListView::ShowEditButtons);
  QSignalSpy edit(&view_, &ContactListView::EditRequested);

  // An empty list offers nothing.
  QTest::mouseClick(tree_.viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseClick(tree_.viewport(), Qt::RightButton, {}, QPoint(20, 20));
  QCoreApplication::processEvents();
  EXPECT_EQ(show.count(), 0);
  EXPECT_EQ(edit.count(), 0);

  AddContacts(3);
  view_.FillContactList(log_);
  QTest::mouseClick(tree_.viewport(), Qt::LeftButton, {}, ItemCentre(0));
  EXPECT_EQ(show.count(), 1);
  EXPECT_EQ(view_.SelectedRecord(log_), 3);

  // The right button picks the item under it and asks for the editor, once
  // the mouse event is over.
  QTest::mouseClick(tree_.viewport(), Qt::RightButton, {}, ItemCentre(2));
  EXPECT_EQ(edit.count(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(edit.count(), 1);
  EXPECT_EQ(view_.SelectedRecord(log_), 1);
}

TEST_F(ContactListViewTest, LosingFocusShowsTheButtons) {
  QSignalSpy show(&view_, &ContactListView::ShowEditButtons);
  AddContacts(1);
  view_.FillContactList(log_);
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&tree_, &out);
  EXPECT_EQ(show.count(), 1);
}

}  // namespace
}  // namespace vantrel::ui
