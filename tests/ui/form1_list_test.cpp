// The contact list, deleting, and the backup on the two ways out, on the
// real main window.
#include <gtest/gtest.h>
#include <QDir>
#include <QTest>

#include "ui/form1_fixture.h"

namespace vantrel::ui {
namespace {

class Form1ListTest : public Form1Fixture {
 protected:
  static std::string Contacts(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
      const std::string call = "W" + std::to_string(i) + "AB";
      text +=
          Line(call.c_str(), "59", "FN31", "59", "FN20", "2007/06/09", "18:30:00", "144 M", "PH");
    }
    return text;
  }
  QStringList Column(int column) {
    QStringList out;
    for (int i = 0; i < form_->ListView1->topLevelItemCount(); ++i)
      out << form_->ListView1->topLevelItem(i)->text(column);
    return out;
  }
  QStringList BackupFiles() {
    return QDir(QString::fromStdString(state_.BackupFolder())).entryList({"*.log"}, QDir::Files);
  }
};

TEST_F(Form1ListTest, LastTwentyNewestFirstAndAllOnRequest) {
  Start(Contacts(30));
  const QStringList recs = Column(0);
  ASSERT_EQ(recs.size(), 20);
  EXPECT_EQ(recs.front(), "30");
  EXPECT_EQ(recs.back(), "11");
  form_->cmdList->click();
  EXPECT_EQ(form_->cmdList->text(), "All");
  EXPECT_EQ(Column(0).size(), 30);
  form_->cmdList->click();
  EXPECT_EQ(form_->cmdList->text(), "Last 20");

  LogContact("K2XX", "FN31");
  EXPECT_EQ(Column(0).front(), "31");
  EXPECT_EQ(Column(1).front(), "K2XX");
}

TEST_F(Form1ListTest, DeleteNeedsASelectionAndRenumbers) {
  Start(Contacts(5));
  form_->cmdDelete_Click();  // nothing selected: nothing asked, nothing deleted
  EXPECT_FALSE(prompter_.WasAsked("Are you sure?"));
  EXPECT_EQ(state_.log.ContactCount(), 5);

  QTreeWidgetItem* third = form_->ListView1->topLevelItem(2);  // list is 5..1
  ASSERT_EQ(third->text(0), "3");
  QTest::mouseClick(form_->ListView1->viewport(), Qt::LeftButton, {},
                    form_->ListView1->visualItemRect(third).center());
  EXPECT_FALSE(form_->cmdDelete->isHidden());
  prompter_.yes_no_answers = {true};
  form_->cmdDelete->click();
  ASSERT_EQ(state_.log.ContactCount(), 4);
  EXPECT_EQ(state_.log.Record(3).Call, "W4AB");
  EXPECT_EQ(Column(0), (QStringList{"4", "3", "2", "1"}));
  ContactLog reread;
  ASSERT_TRUE(ParseLog(Read("log.txt"), reread).ok());
  EXPECT_EQ(reread.records(), state_.log.records());
}

TEST_F(Form1ListTest, CloseBoxBacksUpAChangedLogAndExitNever) {
  Start(Contacts(2));
  form_->close();  // nothing logged: no backup
  EXPECT_TRUE(BackupFiles().isEmpty());

  Start(Contacts(2));
  LogContact("K2XX", "FN31");
  form_->mnuExit->trigger();  // leaves at once, no backup
  EXPECT_TRUE(BackupFiles().isEmpty());

  Start(Contacts(2));
  LogContact("K2XX", "FN31");
  EXPECT_TRUE(form_->close());
  const QStringList files = BackupFiles();
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(files.front(), "200706092030.log");  // local time of the injected clock
}

}  // namespace
}  // namespace vantrel::ui
