// The activity graph: the contact rate over the whole log (contacts in the ten
// minutes up to each contact, times 6) on a time axis of 1,500 positions from
// the first to the last contact, interpolated, smoothed, and a band-coloured
// strip under it.
//
// Responsibilities: every number the graph window shows or draws, as a pure
// function of the log: raw and plotted series, ten-minute counts, strip
// colours, y labels, tick times; and the drawing coordinates for a given
// plot frame.
// Collaborations: log/contact_log (Date, Time and Band of each contact),
// contest/date_time_text (reading the stamps); ui/graph_qso draws the result.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/contact_log.h"

namespace vantrel {

inline constexpr int kGraphPositions = 1500;  // plot positions 1..1500
inline constexpr int kGraphSlots = 1601;      // series are indexed 0..1600
inline constexpr int kGraphMinimumContacts = 7;
inline constexpr int kGraphTickCount = 15;
inline constexpr int kGraphYLabelCount = 17;
inline constexpr int kGraphLegendCount = 7;
inline constexpr int kGraphRateWindowSeconds = 600;

inline constexpr std::string_view kGraphTooFewText =
    "The graph will not display with less than 7 contacts.  The graph becomes more meaningful as "
    "several hours of contest logging are accumulated.";
inline constexpr std::string_view kGraphTooFewTitle = "Not Enough Contacts to Graph.";

// What colours one position of the band strip. Legend entries follow the
// legend labels ("50", "144", "222", "432", "902", "1.3", "Other"); the
// window turns them into RGB. kBackground is "no band here": whatever the
// window's background is at the time.
enum class StripColour : int8_t {
  kBackground = -1,
  kBand50 = 0,
  kBand144,
  kBand222,
  kBand432,
  kBand902,
  kBand1296,
  kOther,
  kBlack,  // what the strip carries before any band has been seen
};

// The legend entry of a band label, compared without regard to case ("144 m"
// is 144).
StripColour StripColourForBand(std::string_view band);

struct GraphTick {
  int64_t seconds = 0;    // seconds since 1970-01-01, UTC
  std::string time_text;  // "hh:mm"
  std::string date_text;  // "MM/DD"
};

struct ActivityGraph {
  // False when the log holds fewer than kGraphMinimumContacts contacts:
  // nothing else below is filled then.
  bool drawable = false;

  // Raw and plotted series and the strip colour per position; positions
  // 1..1500 are plotted, the rest of the slots only take overflow.
  std::array<float, kGraphSlots> R{};
  std::array<float, kGraphSlots> P{};
  std::array<StripColour, kGraphSlots> C{};

  float minimum = 100000.0f;
  float maximum = -1.0f;
  int64_t span_seconds = 0;  // last contact minus first

  std::array<GraphTick, kGraphTickCount> ticks;
  std::array<std::string, kGraphYLabelCount> y_labels;  // "###0.0", [0] at the bottom

  // Per contact (index = record number - 1): the count of contacts in the
  // ten minutes up to and including it, and its plot position. A contact
  // whose date or time cannot be read has count 0 and position -1.
  std::vector<int> counts;
  std::vector<int> positions;
};

// A y-axis value as "###0.0": one decimal, at least one digit before it.
std::string FormatGraphValue(float value);

// The whole computation for the log as it is now.
//
// Contacts whose date or time does not read are left out (the window reports
// nothing). The contacts are taken in time order, whatever their order in
// the log. When every readable contact shares one time stamp there is no
// time scale: all of them sit on position 1,
// which plots the rate of the last of them, and every tick shows that one
// time. No division by a zero span or a zero value range happens anywhere.
ActivityGraph ComputeActivityGraph(const ContactLog& log);

// Where the plot goes, in the window's own units (the axis lines' positions
// after scaling). `offset` is the small rightward nudge of every x.
struct GraphFrame {
  double y_axis_x = 0;      // Line4
  double right_x = 0;       // Line3
  double top_y = 0;         // Line1
  double x_axis_y = 0;      // Line2
  double strip_top = 0;     // Line8
  double strip_bottom = 0;  // Line9
  double offset = 0;
};

struct GraphSegment {
  double x1, y1, x2, y2;
};

// One position of the band strip: from x_from to x_to (x_to < x_from), from
// strip_top to strip_bottom.
struct GraphStripBox {
  double x_from, x_to;
  StripColour colour;
};

struct GraphDrawing {
  std::vector<GraphSegment> curve;  // 1500 segments, position 1 first
  std::vector<GraphStripBox> strip;
};

// The curve and strip of a drawable graph in `frame`; empty otherwise. A flat
// series (maximum equal to minimum) is drawn on the x axis.
GraphDrawing LayoutActivityGraph(const ActivityGraph& graph, const GraphFrame& frame);

}  // namespace vantrel
