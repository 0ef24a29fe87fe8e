#include "keying/morse.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

// Every pattern is built from dots "10" and dashes "1110" and closes with
// "00"; checking the shape catches a mistyped row of the table.
TEST(Morse, EveryPatternIsDotsAndDashesClosedByTwoZeros) {
  const std::string chars = std::string(kPracticeCharacters) + "=[];\\";
  for (char c : chars) {
    std::string p(MorsePattern(c));
    SCOPED_TRACE(std::string(1, c));
    ASSERT_GE(p.size(), 4u);
    ASSERT_EQ(p.substr(p.size() - 2), "00");
    p.resize(p.size() - 2);
    while (!p.empty()) {
      if (p.rfind("1110", 0) == 0) {
        p.erase(0, 4);
      } else {
        ASSERT_EQ(p.substr(0, 2), "10");
        p.erase(0, 2);
      }
    }
  }
}

struct Sign {
  char c;
  const char* signs;  // dots and dashes
};

TEST(Morse, SignsOfLettersDigitsAndProsigns) {
  const Sign rows[] = {{'E', "."},      {'T', "-"},      {'A', ".-"},     {'Q', "--.-"},
                       {'0', "-----"},  {'9', "----."},  {'.', ".-.-.-"}, {',', "--..--"},
                       {'?', "..--.."}, {'/', "-..-."},  {'-', "-...-"},  {'=', "-...-"},
                       {'[', ".-.-."},  {']', "...-.-"}, {';', "-.--."},  {'\\', "-.-..-.."},
                       {'a', ".-"},     {'z', "--.."}};
  for (const Sign& row : rows) {
    std::string expected;
    for (const char* s = row.signs; *s; ++s) expected += *s == '.' ? "10" : "1110";
    EXPECT_EQ(MorsePattern(row.c), expected + "00") << row.c;
  }
}

TEST(Morse, CharactersWithoutPatternKeyNothing) {
  for (char c : std::string("$#*!\t\r\n\b@%\"'") + '\0' + '\x7f' + '\xe9')
    EXPECT_TRUE(MorseElements(c, 0).empty()) << int(static_cast<unsigned char>(c));
}

TEST(Morse, WordSpaceAdjustment) {
  const struct {
    int adjustment;
    std::size_t zeros;
  } rows[] = {{0, 8}, {2, 10}, {-8, 0}, {-3, 5}, {-20, 0}, {1, 9}};
  for (const auto& row : rows) {
    const std::string e = MorseElements(' ', row.adjustment);
    EXPECT_EQ(e, std::string(row.zeros, '0')) << row.adjustment;
  }
  // The adjustment only touches the blank.
  EXPECT_EQ(MorseElements('E', 2), "1000");
  EXPECT_EQ(MorseElements('E', -8), "1000");
}

TEST(Morse, ElementTimeAndLoopArithmetic) {
  EXPECT_DOUBLE_EQ(ElementMs(20), 60.0);
  EXPECT_NEAR(ElementMs(13), 92.3077, 1e-4);
  EXPECT_DOUBLE_EQ(ElementMs(40), 30.0);
  EXPECT_EQ(ElementMs(0), 0.0);
  EXPECT_EQ(ElementMs(-5), 0.0);

  EXPECT_EQ(LoopsPer60msFromCalibration(250), 1'200'000.0);
  EXPECT_EQ(LoopFaster(1'200'000), 1'080'000.0);
  EXPECT_EQ(LoopSlower(1'080'000), 1'200'000.0);
  EXPECT_EQ(LoopsPer60msFromCalibration(7), 42'857'143.0);  // rounded
  EXPECT_EQ(LoopsPer60msFromCalibration(0), 300'000'000.0);
  EXPECT_EQ(LoopRounds(1'200'000, 20), 1'200'000.0);
  EXPECT_EQ(LoopRounds(1'200'000, 40), 600'000.0);
  EXPECT_EQ(LoopRounds(1'200'000, 0), 0.0);
}

}  // namespace
}  // namespace vantrel
