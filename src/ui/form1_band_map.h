// The main window's spot area: the band map (lblDX with its axis, five
// scale captions and one label per store slot) or the spot list txtDX, and
// the way to the spectrum map.
//
// Responsibilities: open, switch and close the area at the bottom of the
// window (PacketResize); redraw the map from the store (DisplayBandMapLabels)
// by moving its 50 labels; the mouse actions on labels, panel and list; the
// keys that step through the map without a mouse (Alt+Period, Alt+Comma); open
// the spectrum map modally.
// Collaborations: Form1 (entry field, rig window, clock, lblDupe),
// Form1Spots (the store and txtDX), spots/band_map (all geometry),
// form_scale (the room the area takes), SpectrumMap.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QObject>
#include <array>
#include <optional>
#include <vector>

#include "spots/band_map.h"

class QKeyEvent;
class QTreeWidgetItem;

namespace vantrel::ui {

class Form1;
class SpectrumMap;

class Form1BandMap : public QObject {
  Q_OBJECT

 public:
  explicit Form1BandMap(Form1& form);

  // Lays the area out for the spotting window's source and display choice.
  void PacketResize();
  void PacketResize(bool source_set, bool list_mode);
  bool AreaOpen() const { return open_; }

  // Redraws the map; nothing while the panel is hidden.
  void DisplayBandMapLabels();
  // A spot was stored: both maps redraw.
  void SpotStored();

  // Shown modally and deleted when it closes.
  void OpenSpectrumMap();
  // The map open at the moment, for a spot stored meanwhile.
  SpectrumMap* spectrum_map() const { return spectrum_; }

  // Alt+Period / Alt+Comma: the next spot up / down the band is taken as a
  // right-click would take it.
  bool Key(QKeyEvent* key);

  // A button pressed on the label of `slot`.
  void SpotPressed(size_t slot, Qt::MouseButton button);

  QLabel* lblDX = nullptr;
  QFrame* LineDX = nullptr;
  std::array<QLabel*, 5> lblFreqSpot{};
  std::array<QLabel*, SpotStore::kSlots> lblDXSpot{};

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceArea();
  void ListClicked(QTreeWidgetItem* item);
  Axis axis() const;

  Form1& f_;
  // The client area, held here so the filter never calls into a main window
  // that is being destroyed (its children still send events then).
  QWidget* client_ = nullptr;
  bool open_ = false;
  bool list_mode_ = false;
  ScaleRange edges_{};  // kept when the band has no scale
  std::vector<PlacedSpot> shown_;
  std::array<Rgb, SpotStore::kSlots> colours_{};
  std::optional<double> key_mhz_;  // where Alt+arrows last stopped
  SpectrumMap* spectrum_ = nullptr;
};

}  // namespace vantrel::ui
