#include "contest/grid_map.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(GridFill, SquaresAroundTheOwnSquare) {
  const auto texts = GridFill(40, 76, 0, 0);
  ASSERT_TRUE(texts);
  const auto& t = *texts;
  EXPECT_EQ(t[kGridMapCentre], "FN20");
  EXPECT_EQ(t[82], "FN20");
  EXPECT_EQ(t[81], "FN10");
  EXPECT_EQ(t[83], "FN30");
  EXPECT_EQ(t[71], "FN21");
  EXPECT_EQ(t[0], "EN77");
  EXPECT_EQ(t[10], "FN77");
  EXPECT_EQ(t[164], "FM73");
  // Across the field boundary to the south.
  EXPECT_EQ(t[93], "FM29");
}

TEST(GridFill, ShiftsMoveTheMapByRowsAndColumns) {
  GridMap map;
  ASSERT_TRUE(map.Fill(40, 76));
  map.ShiftNorth();
  ASSERT_TRUE(map.Fill(40, 76));
  EXPECT_EQ(map.text(82), "FN21");
  map.ShiftSouth();
  map.ShiftSouth();
  map.ShiftWest();
  ASSERT_TRUE(map.Fill(40, 76));
  EXPECT_EQ(map.text(82), "FM19");
  map.ShiftEast();
  map.ShiftEast();
  ASSERT_TRUE(map.Fill(40, 76));
  EXPECT_EQ(map.text(82), "FM39");
}

TEST(GridFill, PositionOffTheMapKeepsTheTexts) {
  GridMap map;
  EXPECT_FALSE(map.Fill(0, 76));
  EXPECT_FALSE(map.Fill(40, 0));
  EXPECT_FALSE(map.Fill(-33.9, 18.4));
  for (const std::string& t : map.texts()) EXPECT_EQ(t, "FM19");
  ASSERT_TRUE(map.Fill(40, 76));
  EXPECT_FALSE(map.Fill(0, 0));
  EXPECT_EQ(map.text(82), "FN20");
}

TEST(GridFill, FieldLettersClampAtTheEdgesOfTheWorld) {
  const auto t = GridFill(40, 175, 0, 0);
  ASSERT_TRUE(t);
  // Squares beyond 180 degrees west stay in field "A".
  EXPECT_EQ((*t)[0].substr(0, 1), "A");
  EXPECT_EQ((*t)[0], "AN77");
  EXPECT_EQ((*t)[82], "AN20");
  // Near the pole the latitude letter stops at "R".
  const auto north = GridFill(85, 76, 0, 0);
  EXPECT_EQ((*north)[0].substr(1, 1), "R");
}

TEST(GridFill, FractionalPositionsNeedNoNudge) {
  const auto t = GridFill(40.5, 75.5, 0, 0);
  ASSERT_TRUE(t);
  EXPECT_EQ((*t)[82], "FN20");
}

TEST(WorkedGrids, OnlyTheCurrentBandsFourCharacterKeys) {
  GridMap map;
  ASSERT_TRUE(map.Fill(40, 76));
  Tallies t;
  t.Band(2)->Multipliers.AddIfAbsent("fn31");
  t.Band(2)->Multipliers.AddIfAbsent("FN20ab");
  t.Band(2)->Multipliers.AddIfAbsent("FN21 FN20");
  t.Band(2)->Multipliers.AddIfAbsent("JO01");
  t.Band(2)->Multipliers.AddIfAbsent("EN77");
  EXPECT_EQ(map.WorkedLabels(t, 2), (std::vector<int>{0, 72}));
  EXPECT_TRUE(map.WorkedLabels(t, 4).empty());
  EXPECT_TRUE(map.WorkedLabels(t, 0).empty());
  EXPECT_EQ(map.LabelOf("fn31"), 72);
  EXPECT_EQ(map.LabelOf("FN31 FN20"), -1);
}

// A six-character grid colours its square. Failed before: FN31pr found no
// label, so the map never showed it worked.
TEST(WorkedGrids, SixCharacterGridsFindTheirSquare) {
  GridMap map;
  ASSERT_TRUE(map.Fill(40, 76));
  for (const char* grid : {"FN31pr", "fn31AB", "FN31"}) EXPECT_EQ(map.LabelOf(grid), 72) << grid;
  EXPECT_EQ(map.LabelOf("FN31p"), -1);
  Tallies t;
  ContactLog log;
  ContactRecord r;
  r.GridRcvd = "FN31pr";
  r.GridSent = "FN20";
  r.Band = "144 M";
  log.Add(r);
  ASSERT_TRUE(RecountTallies(t, log, 2, 0).ok);
  EXPECT_EQ(map.WorkedLabels(t, 2), std::vector<int>{72});
}

TEST(WorkedGrids, ARepeatedLocatorColoursItsFirstLabel) {
  // Twenty degrees west of 185 W the clamped field letter repeats the row's
  // last square.
  GridMap map;
  for (int i = 0; i < 10; ++i) map.ShiftWest();
  ASSERT_TRUE(map.Fill(40, 175));
  ASSERT_EQ(map.text(0), "AN77");
  ASSERT_EQ(map.text(10), "AN77");
  Tallies t;
  t.Band(1)->Multipliers.AddIfAbsent("an77");
  EXPECT_EQ(map.WorkedLabels(t, 1), std::vector<int>{0});
}

TEST(GridCountsText, PerBandCountsOfTheSquare) {
  ContactLog log;
  auto add = [&](const char* grid, const char* band) {
    ContactRecord r;
    r.GridRcvd = grid;
    r.Band = band;
    log.Add(r);
  };
  add("FN31", "144 M");
  add("fn31", "144 M");
  add("FN31", "50 M");
  add("FN31", "10 G");
  add("FN31", "24 G");
  add("FN31ab", "144 M");
  add("FN32", "144 M");
  // FN31ab is in the square. Failed before: the six characters were not counted.
  EXPECT_EQ(GridCountsText(log, "FN31"),
            "FN31  Total = 6   50 = 1   144 = 3   222 = 0\r\n"
            "432 = 0   902 = 0   1.3 = 0   2.3 = 0   3.5 = 0\r\n"
            "5.8 = 0   10 = 1");
  EXPECT_EQ(GridCountsText(log, "EN77"),
            "EN77  Total = 0   50 = 0   144 = 0   222 = 0\r\n"
            "432 = 0   902 = 0   1.3 = 0   2.3 = 0   3.5 = 0\r\n"
            "5.8 = 0   10 = 0");
}

TEST(GridMapView, StoredCaptionAndTheSwitch) {
  // stored / shown by the button, whether the map is up, what a click stores
  struct Row {
    std::string_view stored;
    bool map_shown;
    std::string_view after_click;
  };
  const Row rows[] = {
      {"View Grids", false, "View Bands"},
      {"View Bands", true, "View Grids"},
      // A damaged value shows the band lists; the button then offers the map.
      {"", false, "View Bands"},
      {"view bands", false, "View Bands"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(GridMapShown(r.stored), r.map_shown) << r.stored;
    const std::string_view caption = r.map_shown ? kViewBandsCaption : kViewGridsCaption;
    EXPECT_EQ(ToggledGridMapView(caption), r.after_click) << r.stored;
    EXPECT_NE(GridMapShown(ToggledGridMapView(caption)), r.map_shown) << r.stored;
  }
}

}  // namespace
}  // namespace vantrel
