// The ADIF export flow with scripted answers and a scripted save dialog.
#include "ui/adif_export.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <fstream>

namespace vantrel::ui {
namespace {

// A user folder under a home whose name is not plain ASCII: paths are
// UTF-8 bytes, not Latin-1 text.
const QString kUserDir = QString::fromUtf8("J\u00fcrgen/VHF");

const QString kPowerTitle = "Please enter your transmitter output power.";
const QString kPhoneTitle = "Phone Mode?";
const QString kCommentTitle = "Please enter a comment.";

class AdifExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    state_.UserDataDirectory = dir_.filePath(kUserDir).toStdString();
    state_.prefs.ContestId = 2;
    state_.log.Add(
        {"N0CALL", "59", "FN31", "57", "FN20", "2007/06/09", "18:30:15", "144 M", "PH", "144.200"});
    state_.log.Add({"W1AW", "", "FN31pr", "", "FN20", "2007/06/09", "9:05", "50 M", "CW", ""});
    chosen_ = dir_.filePath("june.adi");
    hooks_.choose_file = [this](QWidget*, const QString& proposed, const QString& filter) {
      proposals_.push_back(proposed);
      filters_.push_back(filter);
      return chosen_;
    };
    hooks_.now = [] { return QDateTime(QDate(2007, 6, 10), QTime(14, 5, 0)); };
  }

  std::string Read(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::string Records() {
    const std::string file = Read(chosen_);
    const size_t eoh = file.find("<EOH>\r\n");
    return eoh == std::string::npos ? std::string() : file.substr(eoh + 7);
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  AdifExportHooks hooks_;
  QString chosen_;
  QStringList proposals_;
  QStringList filters_;
};

TEST_F(AdifExportTest, AnsweredQuestionsShapeEveryRecord) {
  prompter_.input_answers = {QString("100"), QString("fm"), QString("June party")};
  EXPECT_TRUE(mnuExportADIF(nullptr, state_, prompter_, hooks_));

  ASSERT_EQ(prompter_.asked.size(), 4u);
  EXPECT_EQ(prompter_.asked[0].title, kPowerTitle);
  EXPECT_EQ(prompter_.asked[0].text,
            "Please enter the power value that you would like to record.  This is an optional "
            "value that will be included in each QSO record and displayed in Brindle's power "
            "output column.");
  EXPECT_EQ(prompter_.asked[0].initial, "");
  EXPECT_EQ(prompter_.asked[1].title, kPhoneTitle);
  EXPECT_EQ(prompter_.asked[1].text, "Please enter your phone mode.");
  EXPECT_EQ(prompter_.asked[1].initial, "SSB");
  EXPECT_EQ(prompter_.asked[2].title, kCommentTitle);
  EXPECT_EQ(prompter_.asked[2].text,
            "Please enter a comment that you would like to appear on each QSO record.  This is "
            "an optional description that will be displayed in Brindle's Comments column.");
  EXPECT_EQ(prompter_.asked[2].initial, "ARRL June VHF QSO Party");
  EXPECT_EQ(prompter_.asked[3].title, "File Written Successfully.");
  EXPECT_EQ(prompter_.asked[3].text,
            "The file VHF.adi was successfully written to the directory:\n\n" + chosen_ + ".");

  ASSERT_EQ(proposals_.size(), 1);
  EXPECT_EQ(proposals_[0], dir_.filePath(kUserDir) + "/VHF.adi");
  EXPECT_EQ(filters_[0], "ADIF Files (*.adi)");

  const std::string file = Read(chosen_);
  EXPECT_EQ(file.substr(0, 38), "ADIF Export from QX9ZZ's Vantrel 3.0\r\n");
  const std::string stamp =
      "Log exported on: " +
      QLocale::system()
          .toString(QDateTime(QDate(2007, 6, 10), QTime(14, 5, 0)), QLocale::ShortFormat)
          .toStdString() +
      "\r\n\r\n<EOH>\r\n";
  EXPECT_NE(file.find("\r\n<PROGRAMID:15>QX9ZZ's Vantrel\r\n" + stamp), std::string::npos);
  EXPECT_EQ(Records(),
            "<Call:6>N0CALL <Qso_Date:8:d>20070609 <Band:2>2M\r\n"
            "<Mode:2>FM\r\n"
            "<Tx_Pwr:3>100 <Freq:7>144.200 <Time_On:4>1830 <RST_Sent:2>57 <RST_Rcvd:2>59 "
            "<Gridsquare:4>FN31 <My_Gridsquare:4>FN20 <Comment:10>June party\r\n"
            "<eor>\r\n"
            "\r\n"
            "<Call:4>W1AW <Qso_Date:8:d>20070609 <Band:2>6M\r\n"
            "<Mode:2>CW\r\n"
            "<Tx_Pwr:3>100 <Time_On:4>0905 <Gridsquare:6>FN31pr <My_Gridsquare:4>FN20 "
            "<Comment:10>June party\r\n"
            "<eor>\r\n"
            "\r\n");
}

TEST_F(AdifExportTest, CancelledQuestionsLeaveFieldsOut) {
  // Nothing queued: every input box is cancelled.
  EXPECT_TRUE(mnuExportADIF(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(Records(),
            "<Call:6>N0CALL <Qso_Date:8:d>20070609 <Band:2>2M\r\n"
            "<Freq:7>144.200 <Time_On:4>1830 <RST_Sent:2>57 <RST_Rcvd:2>59 "
            "<Gridsquare:4>FN31 <My_Gridsquare:4>FN20 <eor>\r\n"
            "\r\n"
            "<Call:4>W1AW <Qso_Date:8:d>20070609 <Band:2>6M\r\n"
            "<Mode:2>CW\r\n"
            "<Time_On:4>0905 <Gridsquare:6>FN31pr <My_Gridsquare:4>FN20 <eor>\r\n"
            "\r\n");
}

TEST_F(AdifExportTest, CqContestOffersNoComment) {
  state_.prefs.ContestId = 5;
  prompter_.input_answers = {QString(""), QString("SSB"), QString("")};
  EXPECT_TRUE(mnuExportADIF(nullptr, state_, prompter_, hooks_));
  ASSERT_GE(prompter_.asked.size(), 3u);
  EXPECT_EQ(prompter_.asked[2].title, kCommentTitle);
  EXPECT_EQ(prompter_.asked[2].initial, "");
  EXPECT_EQ(Read(chosen_).find("<Comment"), std::string::npos);
}

TEST_F(AdifExportTest, CancelInSaveDialogIsSilent) {
  chosen_.clear();
  EXPECT_FALSE(mnuExportADIF(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(prompter_.asked.size(), 3u);  // the three questions, no message
  EXPECT_EQ(prompter_.beeps, 0);
  EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(AdifExportTest, FailedWriteBeepsAndReports) {
  // An old export under the chosen name survives a failed one untouched.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("VHF.adi"));
  chosen_ = dir_.filePath("VHF.adi");
  EXPECT_FALSE(mnuExportADIF(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(prompter_.beeps, 1);
  ASSERT_EQ(prompter_.asked.size(), 4u);
  EXPECT_EQ(prompter_.asked[3].title, "Unable to write file.");
  EXPECT_FALSE(prompter_.asked[3].text.isEmpty());
  EXPECT_TRUE(QFileInfo(chosen_).isDir());
  EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(AdifExportTest, ReExportReplacesTheOldFileWhole) {
  { std::ofstream(chosen_.toStdString(), std::ios::binary) << std::string(100000, 'x'); }
  EXPECT_TRUE(mnuExportADIF(nullptr, state_, prompter_, hooks_));
  const std::string file = Read(chosen_);
  EXPECT_EQ(file.find('x' + std::string(10, 'x')), std::string::npos);
  EXPECT_EQ(file.substr(file.size() - 9), "<eor>\r\n\r\n");
}

}  // namespace
}  // namespace vantrel::ui
