// " HF Spectrum Map": the spots of the store on eleven band lines at once,
// 160 m to 2 m, each with its own scale.
//
// Responsibilities: the strips, axes, 55 scale captions and 50 spot labels;
// the redraw (BandMapLabelDisplay) on activation, after a dismissal and
// for each spot stored while open; right-click takes a spot and closes the
// window, other buttons dismiss it.
// Collaborations: spots/band_map (all geometry), the store of the main
// window, and the main window through SpectrumHandoff (tuning, call field).
// The window keeps no data of its own.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <array>
#include <functional>
#include <memory>

#include "common/utc_clock.h"
#include "spots/band_map.h"
#include "ui/form_scale.h"

namespace vantrel::ui {

// What the map asks of the main window.
struct SpectrumHandoff {
  std::function<void(size_t slot)> take;     // tune to the spot, its call to txtCall
  std::function<void(size_t slot)> dismiss;  // the spot leaves the store's maps
};

class SpectrumMap : public QDialog {
  Q_OBJECT

 public:
  SpectrumMap(const SpotStore& store, const Clock& clock, float utc_offset_hours,
              const ScreenGeometry& screen, SpectrumHandoff handoff, QWidget* parent = nullptr);
  ~SpectrumMap() override;

  void BandMapLabelDisplay();
  // A button pressed on the label of `slot`.
  void SpotPressed(size_t slot, Qt::MouseButton button);

  std::array<QLabel*, kSpectrumStrips> lblHFSpots{};
  std::array<QFrame*, kSpectrumStrips> lineHF{};
  std::array<QLabel*, kSpectrumStrips * 5> lblFreqSpot{};
  std::array<QLabel*, SpotStore::kSlots> lblDXSpot{};

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Axis StripAxis(size_t strip) const;
  void ComputeScales();

  const SpotStore& store_;
  const Clock& clock_;
  float utc_offset_;
  SpectrumHandoff handoff_;
  std::unique_ptr<DesignForm> design_;
  std::array<ScaleCaptions, kSpectrumStrips> scales_{};
};

}  // namespace vantrel::ui
