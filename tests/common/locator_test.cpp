#include "common/locator.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(Locator, AcceptsSquaresAndSubsquaresInAnyCase) {
  for (const char* grid : {"AA00", "RR99", "FN31", "fn31", "FM29jx", "FM29JX", "fm29Ax", "RR99xx"})
    EXPECT_TRUE(IsValidLocator(grid)) << grid;
}

TEST(Locator, RefusesAnythingElse) {
  for (const char* grid :
       {"", "F", "FN", "FN2", "FN3", "12AB", "ZZ99", "SA00", "AS00", "FN31a", "FN31ya", "FN31ay",
        "FN31jxx", "FN 31", " FN31", "FNA1", "FN3A", "FN31j1", "FN31\xe9x"})
    EXPECT_FALSE(IsValidLocator(grid)) << grid;
}

TEST(Locator, SquareKeyIsTheUpperCaseFourCharacterSquare) {
  EXPECT_EQ(GridSquareKey("FM29jx"), "FM29");
  EXPECT_EQ(GridSquareKey("fm29"), "FM29");
  EXPECT_EQ(GridSquareKey("FM29"), GridSquareKey("fm29JX"));
  // Old logs may hold grids that are no locator: each keeps its whole text.
  EXPECT_EQ(GridSquareKey("fn2"), "FN2");
  EXPECT_EQ(GridSquareKey("zz99ab"), "ZZ99AB");
  EXPECT_EQ(GridSquareKey(""), "");
}

TEST(Locator, SameSquareAgreesWithTheKeys) {
  const char* grids[] = {"FM29", "fm29", "FM29jx", "fm29JX", "FM28", "FM2",      "fm2",
                         "ZZ99", "zz99", "ZZ99ab", "FM29j",  "",     "FM29 FN20"};
  for (const char* a : grids)
    for (const char* b : grids)
      EXPECT_EQ(SameGridSquare(a, b), GridSquareKey(a) == GridSquareKey(b)) << a << " / " << b;
}

}  // namespace
}  // namespace vantrel
