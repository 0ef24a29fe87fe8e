// The summary sheet typed into with QTest, the Cabrillo file checked byte
// for byte, and the remembered details checked in both stores.
#include "ui/form2.h"
#include "support/memory_settings_store.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "platform/shared_prefs_file.h"

namespace vantrel::ui {
namespace {

// A user folder under a home whose name is not plain ASCII: paths are
// UTF-8 bytes, not Latin-1 text.
const QString kUserDir = QString::fromUtf8("J\u00fcrgen/VHF");

const std::string kHeaderEnd =
    "SOAPBOX:\r\n"
    "SOAPBOX:\r\n";

class Form2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    state_.UserDataDirectory = dir_.filePath(kUserDir).toStdString();
    state_.prefs.OwnCall = "K1AB";
    state_.prefs.ContestId = 2;
    LoadSharedPreferences(state_.shared, dir_.filePath("SharedUserPreferences.xml").toStdString());
    screen_.screen = QRect(0, 0, 1280, 960);
    screen_.workArea = QRect(0, 0, 1280, 920);
    chosen_ = dir_.filePath("entry.log");
  }

  std::unique_ptr<Form2> Open() {
    Form2::Context context{state_,
                           settings_,
                           prompter_,
                           "4,321",
                           [this](QWidget*, const QString& proposed, const QString& filter) {
                             proposals_.push_back(proposed);
                             filters_.push_back(filter);
                             return chosen_;
                           },
                           {}};
    auto form = std::make_unique<Form2>(context, screen_);
    form->show();
    return form;
  }

  // On the indicator: a wide option button takes clicks only on its circle and caption.
  static void Choose(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
  }

  static void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
  }

  std::string Read(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::string Setting(const char* key) {
    return settings_.Get("QX9ZZ_Software", "Settings", key, "<absent>");
  }

  QTemporaryDir dir_;
  RunState state_;
  MemorySettingsStore settings_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
  QString chosen_;
  QStringList proposals_;
  QStringList filters_;
};

TEST_F(Form2Test, TypedSheetWritesTheFileAndRemembersTheDetails) {
  state_.log.Add(
      {"W2CD", "59", "FN31", "57", "FN20", "2026/06/14", "18:02:45", "144 M", "PH", "144.200"});
  state_.log.Add({"VE3XYZ", "", "FN03", "", "FN20", "2026/06/14", "18:10", "1.3 G", "CW", ""});
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), "Summary Sheet Information");
  Type(form->Text1, "ct");
  EXPECT_EQ(form->Text1->text(), "CT");
  Type(form->Text10, "Hilltop Contest Club");
  Type(form->Text5, "  Pat Doe ");
  Type(form->Text6, "1 Main St");
  Type(form->Text7, "Anytown CT 06000");
  Type(form->Text8, "pat@example.org");
  Type(form->Text11, "Fine opening on six");
  Choose(form->Option18);
  Choose(form->Option12);
  QTest::mouseClick(form->Command4, Qt::LeftButton);

  const std::string expected =
      "START-OF-LOG: 2.0\r\n"
      "CREATED-BY: QX9ZZ's Vantrel 3.0\r\n"
      "ARRL-SECTION: CT\r\n"
      "CONTEST: ARRL-VHF-JUN\r\n"
      "CALLSIGN: K1AB\r\n"
      "CATEGORY: SINGLE-OP VHF-3-BAND HIGH \r\n"
      "CLAIMED-SCORE: 4,321\r\n"
      "OPERATORS: K1AB\r\n"
      "CLUB: Hilltop Contest Club\r\n"
      "NAME:   Pat Doe \r\n"
      "ADDRESS: 1 Main St\r\n"
      "ADDRESS: Anytown CT 06000\r\n"
      "ADDRESS: (e-mail) pat@example.org\r\n"
      "SOAPBOX: Fine opening on six\r\n"
      "SOAPBOX:\r\n"
      "SOAPBOX:\r\n"
      "QSO:   144 PH 2026-06-14 1802 K1AB              FN20   W2CD              FN31    \r\n"
      "QSO:  1.2G CW 2026-06-14 1810 K1AB              FN20   VE3XYZ            FN03    \r\n"
      "END-OF-LOG:\r\n";
  EXPECT_EQ(Read(chosen_), expected);
  ASSERT_EQ(proposals_.size(), 1);
  EXPECT_EQ(proposals_[0], dir_.filePath(kUserDir) + "/K1AB.log");
  EXPECT_EQ(filters_[0], "ADIF Files (*.log)");

  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].title, "File Written Successfully.");
  EXPECT_EQ(prompter_.asked[0].text,
            "The file K1AB.log was successfully written to the directory:\n\n" + chosen_ +
                ".\n\nAttach this file to an e-mail addressed for contest submission.  If you "
                "wish to print this file, you can open it with Notepad or Wordpad to print.");
  EXPECT_EQ(prompter_.asked[1].title, "  Thanks!");
  EXPECT_EQ(prompter_.asked[1].text,
            "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a "
            "friend!");

  // Remembered trimmed, in both places; the shared file is written once.
  EXPECT_EQ(Setting("UserAddressName"), "Pat Doe");
  EXPECT_EQ(Setting("UserAddressLine1"), "1 Main St");
  EXPECT_EQ(Setting("UserAddressLine2"), "Anytown CT 06000");
  EXPECT_EQ(Setting("UserEMail"), "pat@example.org");
  EXPECT_EQ(Setting("UserARRLSection"), "CT");
  EXPECT_EQ(Setting("UserClubName"), "Hilltop Contest Club");
  EXPECT_EQ(Read(dir_.filePath("SharedUserPreferences.xml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
            "<OWN_ADDRESS_NAME>Pat Doe</OWN_ADDRESS_NAME>\r\n"
            "<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>\r\n"
            "<OWN_ADDRESS_LINE2>Anytown CT 06000</OWN_ADDRESS_LINE2>\r\n"
            "<OWN_EMAIL>pat@example.org</OWN_EMAIL>\r\n"
            "<OWN_ARRL_SECTION>CT</OWN_ARRL_SECTION>\r\n"
            "<OWN_CLUB_NAME>Hilltop Contest Club</OWN_CLUB_NAME>\r\n");

  // A second sheet starts from what was remembered.
  auto again = Open();
  EXPECT_EQ(again->Text5->text(), "Pat Doe");
  EXPECT_EQ(again->Text1->text(), "CT");
  EXPECT_EQ(again->Text10->text(), "Hilltop Contest Club");
  EXPECT_EQ(again->Text2->text(), "");
}

TEST_F(Form2Test, ModeFrameAndOperatorsField) {
  auto form = Open();
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  const std::string mixed = Read(chosen_);
  Choose(form->Option9);
  ASSERT_TRUE(form->Option9->isChecked());
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_EQ(Read(chosen_), mixed);
  EXPECT_NE(mixed.find("\r\nOPERATORS: K1AB\r\n"), std::string::npos);
  EXPECT_NE(mixed.find("\r\nCATEGORY: SINGLE-OP ALL LOW \r\n"), std::string::npos);

  Type(form->Text2, "K1AB N1QQ");
  Choose(form->Option7);
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  const std::string multi = Read(chosen_);
  EXPECT_NE(multi.find("\r\nOPERATORS: K1AB N1QQ\r\n"), std::string::npos);
  EXPECT_NE(multi.find("\r\nCATEGORY: MULTI-UNLIMITED\r\n"), std::string::npos);
}

TEST_F(Form2Test, ProposedNameComesFromTheTrimmedCall) {
  state_.prefs.OwnCall = "  N0CALL/R ";
  auto form = Open();
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_EQ(state_.prefs.OwnCall, "N0CALL/R");
  ASSERT_EQ(proposals_.size(), 1);
  EXPECT_EQ(proposals_[0], dir_.filePath(kUserDir) + "/N0CALL.log");
  EXPECT_NE(Read(chosen_).find("\r\nCALLSIGN: N0CALL/R\r\n"), std::string::npos);
  EXPECT_TRUE(prompter_.asked.at(0).text.startsWith("The file N0CALL.log was"));

  state_.prefs.OwnCall = "/N0CALL";
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  ASSERT_EQ(proposals_.size(), 2);
  EXPECT_EQ(proposals_[1], dir_.filePath(kUserDir) + "/YourCall.log");
}

TEST_F(Form2Test, CqContestVariant) {
  state_.prefs.ContestId = 5;
  state_.prefs.RoverStation = 1;
  auto form = Open();
  EXPECT_EQ(form->Option1->text(), "Single Op");
  EXPECT_EQ(form->Option2->text(), "Single Op QRP");
  EXPECT_EQ(form->Option3->text(), "Single Op 6M");
  EXPECT_EQ(form->Option6->text(), "Single Op 2M");
  EXPECT_EQ(form->Option7->text(), "Multi Op");
  EXPECT_EQ(form->Option4->text(), "Rover");
  EXPECT_TRUE(form->Option4->isChecked());
  EXPECT_FALSE(form->Label1->isVisible());
  EXPECT_FALSE(form->Text1->isVisible());
  EXPECT_EQ(form->Frame6->title(), "Category Assisted:");
  EXPECT_EQ(form->Option18->text(), "NON-ASSISTED");
  EXPECT_EQ(form->Option19->text(), "ASSISTED");
  EXPECT_TRUE(form->Option18->isChecked());
  EXPECT_FALSE(form->Frame1->isEnabled());
  EXPECT_FALSE(form->Option8->isEnabled());
  EXPECT_FALSE(form->Option5->isEnabled());

  Choose(form->Option19);
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  const std::string file = Read(chosen_);
  EXPECT_EQ(file.find("ARRL-SECTION"), std::string::npos);
  EXPECT_NE(file.find("\r\nCONTEST: CQ-VHF\r\nCALLSIGN: K1AB\r\nCATEGORY: ROVER ALL HIGH\r\n"
                      "CATEGORY-ASSISTED: ASSISTED\r\nCLAIMED-SCORE: 4,321\r\n"),
            std::string::npos);
}

TEST_F(Form2Test, RoverPreselectedOutsideCqContest) {
  state_.prefs.RoverStation = 1;
  auto form = Open();
  EXPECT_TRUE(form->Option3->isChecked());
  EXPECT_EQ(form->Option3->text(), "Rover");
  EXPECT_TRUE(form->Text1->isVisible());
  EXPECT_TRUE(form->Frame1->isEnabled());
  EXPECT_TRUE(form->Option19->isChecked());
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_NE(Read(chosen_).find("\r\nCATEGORY: ROVER\r\n"), std::string::npos);
}

TEST_F(Form2Test, CancelWritesAndStoresNothing) {
  chosen_.clear();
  auto form = Open();
  Type(form->Text5, "Pat Doe");
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_EQ(proposals_.size(), 1);
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(prompter_.beeps, 0);
  EXPECT_EQ(Setting("UserAddressName"), "<absent>");
  EXPECT_FALSE(QFile::exists(dir_.filePath("SharedUserPreferences.xml")));
}

TEST_F(Form2Test, FailedWriteReportsAndLeavesNothingBehind) {
  // A folder under the chosen name cannot be replaced by a file.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("taken.log"));
  chosen_ = dir_.filePath("taken.log");
  auto form = Open();
  Type(form->Text5, "Pat Doe");
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_EQ(prompter_.beeps, 1);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Unable to write file.");
  EXPECT_FALSE(prompter_.asked[0].text.isEmpty());
  EXPECT_EQ(Setting("UserAddressName"), "<absent>");
  EXPECT_TRUE(QFileInfo(chosen_).isDir());
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

  // A missing folder fails the same way.
  chosen_ = dir_.filePath("missing/entry.log");
  QTest::mouseClick(form->Command4, Qt::LeftButton);
  EXPECT_EQ(prompter_.beeps, 2);
  EXPECT_EQ(prompter_.asked.back().title, "Unable to write file.");
}

TEST_F(Form2Test, DoneHidesAndLayoutIsScaled) {
  auto form = Open();
  // Style A on a 1280 x 960 screen doubles the 640 x 480 design.
  const DesignControl* write = form->design().Find(form->Command4);
  ASSERT_NE(write, nullptr);
  EXPECT_EQ(form->Command4->geometry(), QRect(448, 768, 400, 66));
  QTest::mouseClick(form->Command3, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace vantrel::ui
