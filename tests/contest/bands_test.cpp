#include "contest/bands.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vantrel {
namespace {

TEST(Bands, LookupAndPoints) {
  EXPECT_EQ(BandIndex("144 m"), 2);
  EXPECT_EQ(BandIndex("144M"), 0);
  // Menu names do not follow the frequencies.
  EXPECT_EQ(FindBand("1.3 G")->menu_item, "mnu10");
  EXPECT_EQ(FindBand("241 G")->menu_caption, "241GHz");
  EXPECT_EQ(Points(1, "300 G"), 8);
  EXPECT_EQ(Points(2, "1.3 G"), 3);
  EXPECT_EQ(Points(3, "144 M"), 0);
  EXPECT_EQ(Points(3, "24 G"), 12);
  EXPECT_EQ(Points(4, "10 G"), 4);
  EXPECT_EQ(Points(5, "144 M"), 2);
  EXPECT_EQ(Points(5, "222 M"), 0);
  EXPECT_EQ(Points(6, "50 M"), 0);
  EXPECT_EQ(Points(1, "bogus"), 0);
}

struct FrequencyCase {
  const char* name;
  float mhz;
  const char* band;  // nullptr: no band
};

class BandForFrequencyTest : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(BandForFrequencyTest, StrictlyInsideSinglePrecisionBounds) {
  const BandInfo* band = BandForFrequency(GetParam().mhz);
  EXPECT_EQ(band ? band->label : "none", GetParam().band ? GetParam().band : "none");
}

INSTANTIATE_TEST_SUITE_P(Edges, BandForFrequencyTest,
                         ::testing::Values(FrequencyCase{"f50_0", 50.0f, "50 M"},
                                           FrequencyCase{"f49_9999", 49.9999f, nullptr},
                                           FrequencyCase{"f54_0001", 54.0001f, nullptr},
                                           FrequencyCase{"f1296_1", 1296.1f, "1.3 G"},
                                           FrequencyCase{"f1300_0", 1300.0f, "1.3 G"},
                                           FrequencyCase{"f2300_0", 2300.0f, nullptr},
                                           FrequencyCase{"f2300_1", 2300.1f, "2.3 G"},
                                           FrequencyCase{"f10368_1", 10368.1f, "10 G"},
                                           FrequencyCase{"f24192_0", 24192.0f, nullptr},
                                           FrequencyCase{"negative", -144.2f, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatFrequencyText, ThreeDecimalsNoLeadingZeros) {
  EXPECT_EQ(FormatFrequencyText(144.2f), "144.200");
  EXPECT_EQ(FormatFrequencyText(1296.1f), "1296.100");
  EXPECT_EQ(FormatFrequencyText(50.125f), "50.125");
  EXPECT_EQ(FormatFrequencyText(10368.1f), "10368.100");
  EXPECT_EQ(FormatFrequencyText(49.9999f), "50.000");
  EXPECT_EQ(FormatFrequencyText(0.5f), ".500");
  // A 10 Hz step halfway between two thousandths rounds away from zero.
  EXPECT_EQ(FormatFrequencyText(144.0625f), "144.063");
  EXPECT_EQ(FormatFrequencyText(std::numeric_limits<float>::quiet_NaN()), "");
  EXPECT_EQ(FormatFrequencyText(std::numeric_limits<float>::max()).substr(39), ".000");
}

TEST(BandFreqConversion, SwitchesOnlyWhenTheBandDiffers) {
  ContestState state{"144 M", "CW", 2, 0, ""};
  EXPECT_TRUE(BandFreqConversion(state, 50.0f));
  EXPECT_EQ(state.CurrentBand, "50 M");
  EXPECT_EQ(state.FrequencyText, "50.000");
  state.CurrentBand = "50 m";  // same band in other case: only the text changes
  EXPECT_FALSE(BandFreqConversion(state, 50.125f));
  EXPECT_EQ(state.CurrentBand, "50 m");
  EXPECT_EQ(state.FrequencyText, "50.125");
  EXPECT_FALSE(BandFreqConversion(state, 54.0001f));  // no band, text still set
  EXPECT_EQ(state.FrequencyText, "54.000");
}

TEST(BandFreqConversion, UhfContestClicksEveryTimeButStaysOn222) {
  ContestState state{"222 M", "CW", kUhfContestId, 0, ""};
  const auto decision = DecideBandForFrequency(144.2f, state.CurrentBand, state.ContestId);
  EXPECT_EQ(decision.resulting_band, "222 M");
  ASSERT_TRUE(BandFreqConversion(state, 144.2f));
  EXPECT_EQ(state.CurrentBand, "144 M");
  EXPECT_EQ(BandChange(state).caption, "222 MHz");
  EXPECT_EQ(state.CurrentBand, "222 M");
  EXPECT_EQ(DecideBandForFrequency(144.2f, "222 M", 2).resulting_band, "144 M");
}

TEST(BandChange, UhfRuleLabelsAndUnknownBands) {
  ContestState state{"144 m", "CW", kUhfContestId, 0, ""};
  auto view = BandChange(state);
  EXPECT_EQ(state.CurrentBand, "222 M");
  EXPECT_EQ(view.band->menu_item, "mnu40");
  EXPECT_TRUE(view.highlight_labels);

  state.ContestId = 1;
  state.CurrentBand = "24 G";
  view = BandChange(state);
  EXPECT_EQ(view.caption, "24 GHz");
  EXPECT_EQ(view.band->menu_item, "mnu24g");
  EXPECT_FALSE(view.highlight_labels);

  state.CurrentBand = "2 M";  // from a damaged preference file: kept, nothing checked
  view = BandChange(state);
  EXPECT_EQ(view.band, nullptr);
  EXPECT_EQ(state.CurrentBand, "2 M");
}

TEST(ModeSelection, OnlyTheTwoCodesAndOnlyWhenTheyDiffer) {
  ContestState state{"144 M", "CW", 2, 0, ""};
  EXPECT_FALSE(ModeSelection(state, ""));
  EXPECT_FALSE(ModeSelection(state, "FM"));
  EXPECT_FALSE(ModeSelection(state, "cw"));
  EXPECT_TRUE(ModeSelection(state, "ph"));
  EXPECT_EQ(state.CurrentMode, "PH");
  EXPECT_EQ(ReportMaxLength(state.CurrentMode), 2);
  // Label30 twice returns to where it started.
  EXPECT_EQ(ToggledMode(ToggledMode("PH")), "PH");
  EXPECT_EQ(ToggledMode(""), kModeCw);
  EXPECT_EQ(ReportMaxLength(ToggledMode("PH")), 3);
}

}  // namespace
}  // namespace vantrel
