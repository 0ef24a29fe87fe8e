#include "keying/code_practice.h"

#include <gtest/gtest.h>

#include <random>

#include "keying/morse.h"

namespace vantrel {
namespace {

TEST(CodePractice, GroupsHaveTheAskedShapeAndOnlyKeyableCharacters) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> r(0.0, 1.0);
  const auto uniform = [&] { return r(gen); };
  const struct {
    const char* count;
    const char* length;
    bool letters;
    int groups, size;
  } rows[] = {{"3", "4", true, 3, 4}, {"x", "", false, 10, 5}, {"2", "1", false, 2, 1},
              {"0", "5", true, 0, 5}, {"-2", "5", true, 0, 5}, {"1", "2000", true, 1, 1000}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.count);
    const std::string text = RandomGroups(row.count, row.length, row.letters, uniform);
    ASSERT_EQ(text.size(), static_cast<std::size_t>(row.groups * (row.size + 1)));
    for (std::size_t i = 0; i < text.size(); ++i) {
      if ((i + 1) % static_cast<std::size_t>(row.size + 1) == 0) {
        EXPECT_EQ(text[i], ' ');
      } else {
        EXPECT_FALSE(MorsePattern(text[i]).empty()) << text[i];
        if (row.letters) {
          EXPECT_TRUE(text[i] >= 'A' && text[i] <= 'Z') << text[i];
        }
      }
    }
  }
}

TEST(CodePractice, TheGeneratorEndsMapToTheTableEnds) {
  EXPECT_EQ(RandomGroups("1", "1", true, [] { return 0.0; }), "A ");
  EXPECT_EQ(RandomGroups("1", "1", true, [] { return 0.99999; }), "Z ");
  EXPECT_EQ(RandomGroups("1", "1", false, [] { return 0.99999; }), "- ");
  EXPECT_EQ(RandomGroups("1", "1", false, [] { return 1.0; }), "- ");
  EXPECT_EQ(RandomGroups("1", "2", false, [] { return 26.5 / 41; }), "00 ");
}

}  // namespace
}  // namespace vantrel
