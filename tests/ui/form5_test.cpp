// The help page over help files in a scratch working folder.
#include "ui/form5.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <fstream>
#include <iterator>

namespace vantrel::ui {
namespace {

class Form5Test : public ::testing::Test {
 protected:
  Form5Test() {
    screen_.screen = QRect(0, 0, 1280, 1024);
    screen_.workArea = QRect(0, 0, 1280, 984);
  }
  void Write(const std::string& bytes) {
    std::ofstream(dir_.filePath("readVHF.txt").toStdString(), std::ios::binary) << bytes;
  }
  QTemporaryDir dir_;
  ScreenGeometry screen_;
};

TEST_F(Form5Test, MissingFileOpensAnEmptyPageThatCloses) {
  Form5 w(dir_.path().toStdString(), screen_);
  EXPECT_EQ(w.windowTitle(), "Help Page");
  EXPECT_TRUE(w.Text1->toPlainText().isEmpty());
  EXPECT_EQ(w.Command1->text(), "Close");
  EXPECT_EQ(w.Text1->palette().color(QPalette::Base), QColor(224, 224, 224));
  // Close ends the modal showing.
  QTimer::singleShot(0, w.Command1, [&w] { w.Command1->click(); });
  EXPECT_EQ(w.exec(), QDialog::Accepted);
  EXPECT_FALSE(w.isVisible());
}

TEST_F(Form5Test, CrLfTextShowsLineByLineUnaltered) {
  const std::string text = "Vantrel help\r\n\r\n  Indented line, two blanks kept.\r\nLast line\r\n";
  Write(text);
  Form5 w(dir_.path().toStdString(), screen_);
  EXPECT_EQ(w.loaded_bytes(), text);
  EXPECT_EQ(w.Text1->toPlainText(),
            "Vantrel help\n\n  Indented line, two blanks kept.\nLast line\n");
  EXPECT_EQ(w.Text1->document()->findBlockByNumber(2).text(), "  Indented line, two blanks kept.");
}

TEST_F(Form5Test, EightBitTextIsReadAsLatin1) {
  Write("Se\xf1or \xb0 sign\r\n");
  Form5 w(dir_.path().toStdString(), screen_);
  EXPECT_EQ(w.Text1->toPlainText(), QString::fromUtf8("Se\xc3\xb1or \xc2\xb0 sign\n"));
}

TEST(ShippedHelpTest, HelpFileIsEightBitCrLfText) {
  std::ifstream in(std::string(VANTREL_SHIPPED_DATA_DIR) + "/readVHF.txt", std::ios::binary);
  ASSERT_TRUE(in) << "data/readVHF.txt missing";
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(text.size(), 2000u);
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    } else if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    } else {
      ASSERT_TRUE(c >= 32 && c != 127) << "control byte at " << i;
    }
  }
  // The keys the operator needs most are explained.
  for (const char* key : {"Ctrl+F", "Esc", "Enter", "Space", "Cabrillo", "ADIF"})
    EXPECT_NE(text.find(key), std::string::npos) << key;
}

}  // namespace
}  // namespace vantrel::ui
