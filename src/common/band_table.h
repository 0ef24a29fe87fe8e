// The bands and modes a contact can carry: the fixed table every per-band
// list follows, with the names of the controls that show each band.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace vantrel {

inline constexpr int kBandCount = 17;
// Bands 1..10 have a frequency range and a name label, count label and grid
// list on the main window; bands 11..17 only a menu item.
inline constexpr int kBandsOnWindow = 10;

struct BandInfo {
  int index;                      // 1..17, the order of every per-band table
  std::string_view label;         // Band label stored in the log, e.g. "144 M"
  std::string_view menu_item;     // e.g. "mnu80"
  std::string_view menu_caption;  // e.g. "144 MHz"
  std::string_view name_label;    // empty for bands 11..17
  std::string_view name_caption;
  std::string_view count_label;
  std::string_view grid_list;
  // Exclusive bounds in MHz, compared in single precision; none for 11..17.
  std::optional<float> lower;
  std::optional<float> upper;

  constexpr bool OnWindow() const { return index <= kBandsOnWindow; }
};

inline constexpr std::array<BandInfo, kBandCount> kBands{{
    {1, "50 M", "mnu160", "50 MHz", "lbl160", "50 MHz", "lbl50", "List1", 49.9999f, 54.0001f},
    {2, "144 M", "mnu80", "144 MHz", "lbl80", "144 MHz", "lbl144", "List2", 143.9999f, 148.0001f},
    {3, "222 M", "mnu40", "222 MHz", "lbl40", "222 MHz", "lbl222", "List3", 218.9999f, 225.0001f},
    {4, "432 M", "mnu20", "432 MHz", "lbl20", "432 MHz", "lbl432", "List4", 419.9999f, 450.0001f},
    {5, "902 M", "mnu15", "902 MHz", "lbl15", "902 MHz", "lbl902", "List5", 901.9999f, 928.0001f},
    {6, "1.3 G", "mnu10", "1.3 GHz", "lbl100", "1.3 GHz", "lbl13", "List6", 1239.9999f, 1300.0001f},
    {7, "2.3 G", "mnu23", "2.3 GHz", "Label15", "2.3 GHz", "lbl23", "List7", 2300.0f, 2450.0f},
    {8, "3.5 G", "mnu35", "3.5 GHz", "Label17", "3.5 GHz", "lbl35", "List8", 3300.0f, 3500.0f},
    {9, "5.8 G", "mnu58", "5.8 GHz", "Label18", "5.8 GHz", "lbl58", "List9", 5650.0f, 5925.0f},
    {10, "10 G", "mnu10g", "10 GHz", "Label19", "10 GHz", "lbl10", "List10", 10000.0f, 10500.0f},
    {11, "24 G", "mnu24g", "24 GHz", "", "", "", "", std::nullopt, std::nullopt},
    {12, "47 G", "mnu47g", "47 GHz", "", "", "", "", std::nullopt, std::nullopt},
    {13, "75 G", "mnu75g", "75 GHz", "", "", "", "", std::nullopt, std::nullopt},
    {14, "120 G", "mnu120g", "120 GHz", "", "", "", "", std::nullopt, std::nullopt},
    {15, "142 G", "mnu142g", "142 GHz", "", "", "", "", std::nullopt, std::nullopt},
    {16, "241 G", "mnu241g", "241GHz", "", "", "", "", std::nullopt, std::nullopt},
    {17, "300 G", "mnu300g", "300 GHz", "", "", "", "", std::nullopt, std::nullopt},
}};

inline constexpr std::string_view kModeCw = "CW";
inline constexpr std::string_view kModePhone = "PH";

// The band with this label (case-insensitive), or nullptr.
const BandInfo* FindBand(std::string_view label);
// 1..17, or 0 when the label names no band.
int BandIndex(std::string_view label);

}  // namespace vantrel
