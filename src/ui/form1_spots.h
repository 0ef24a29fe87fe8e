// The main window's side of DX spotting: the spot book (store and list),
// the spot list control txtDX, the spotting window, and the alert when the
// operator's own call is spotted.
//
// Responsibilities: create the spotting window on first use (or at start-up
// when PackSpot.txt names a source); take each spot line it hands over
// (BandMapSpots); mirror the book's list into txtDX; tell the band map that
// a spot was stored or that ages are due.
// Collaborations: Form1 (controls, prompter, clock, band-map hand-offs),
// PacketSpotfrm, spots/spot_store (SpotBook). The band map reads
// book().store().spots() when it redraws.
#pragma once

#include <QObject>
#include <QTreeWidget>
#include <string>

#include "spots/spot_store.h"

namespace vantrel::ui {

class Form1;
class PacketSpotfrm;

class Form1Spots : public QObject {
  Q_OBJECT

 public:
  // Builds txtDX (hidden until the spot area is laid out) and wires the
  // "&Configure" menu item.
  explicit Form1Spots(Form1& form);

  // Loaded on first use; it then lives for the run.
  PacketSpotfrm& Window();
  bool WindowLoaded() const { return window_ != nullptr; }
  // "&Configure" and Ctrl+D: shown, restored and brought to the front.
  void ShowWindow();
  // Loads the window at start-up when PackSpot.txt names a source, so the
  // source opens without the operator opening the window.
  void StartUp();

  // One spot: own-call alert, store, list, band map.
  void BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                    const std::string& qDXSpotRecord);
  void SpotLine(const std::string& line);

  const SpotBook& book() const { return book_; }
  SpotBook& book() { return book_; }

  QTreeWidget* txtDX = nullptr;

 private:
  void InsertListRow(const SpotListRow& row);

  Form1& f_;
  SpotBook book_;
  PacketSpotfrm* window_ = nullptr;  // a child of the main window: Qt deletes it
};

}  // namespace vantrel::ui
