// GraphQSO: the activity graph window, the QSO rate over the whole log with
// a band-coloured strip under the time axis. Modal; the main window creates
// it from "&Graph" and destroys it when it closes.
//
// Responsibilities: the frame, grid lines, labels and legend; drawing the
// curve and strip that contest/activity_graph computes; the background switch.
// Collaborations: contest/activity_graph (every number), form_scale (style C
// layout), Prompter (the too-few-contacts message).
#pragma once

#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <memory>

#include "contest/activity_graph.h"
#include "log/contact_log.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

class GraphQSO : public QDialog {
  Q_OBJECT

 public:
  // Builds the window, lays it out on the work area and draws the graph (the
  // window's load step). `log` must outlive the window.
  GraphQSO(const ContactLog& log, Prompter& prompter, const ScreenGeometry& screen,
           QWidget* parent = nullptr);
  ~GraphQSO() override;

  // Recomputes and repaints from the log; with fewer than 7 contacts shows
  // the message instead and draws nothing.
  void DrawGraph();
  // Switches between the black and the white background and redraws.
  void Command1_Click();

  // The graph on screen (not drawable when nothing is drawn) and the curve
  // and strip in window pixels.
  const ActivityGraph& graph() const { return graph_; }
  const GraphDrawing& drawing() const { return drawing_; }
  QColor background() const { return background_; }
  // RGB of a strip colour at the current background.
  QColor StripRgb(StripColour colour) const;
  DesignForm& design() { return *design_; }

  // Controls, under their established names.
  QFrame* Line1 = nullptr;              // top edge
  QFrame* Line2 = nullptr;              // x axis
  QFrame* Line3 = nullptr;              // right edge
  QFrame* Line4 = nullptr;              // y axis
  QFrame* Line8 = nullptr;              // band strip, top
  QFrame* Line9 = nullptr;              // band strip, bottom
  std::array<QFrame*, 15> gridLines{};  // Line5..Line7, Line10..Line21, top to bottom
  std::array<QLabel*, kGraphYLabelCount> lblY{};
  std::array<QLabel*, kGraphTickCount> lblTime{};
  std::array<QLabel*, kGraphTickCount> lblDate{};
  QLabel* Label1 = nullptr;  // "Band "
  std::array<QLabel*, kGraphLegendCount> lblBnd{};
  QPushButton* Command1 = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildControls();
  QFrame* AddLine(const char* name, int x1, int y1, int x2, int y2, const QColor& colour);
  QLabel* AddLabel(const QString& name, const QString& caption, int left, int top, int width,
                   int height, Qt::Alignment align, double font = 8.0);
  void ApplyColours(const QColor& background, const QColor& foreground);
  void UpdateDrawing();

  const ContactLog& log_;
  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
  std::vector<QFrame*> lines_;
  ActivityGraph graph_;
  GraphDrawing drawing_;
  QColor background_ = Qt::black;
};

// "&Graph": shows the window modally over `parent`, then destroys it.
void ShowActivityGraph(QWidget* parent, const RunState& state, Prompter& prompter,
                       const ScreenGeometry& screen);

}  // namespace vantrel::ui
