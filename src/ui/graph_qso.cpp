#include "ui/graph_qso.h"

#include <QApplication>
#include <QPainter>
#include <cmath>

namespace vantrel::ui {

namespace {

// Design geometry in twips. The plot frame: x from the y axis at 480 to the
// right edge at 9240, y from the top edge at 120 to the x axis at 5880.
constexpr int kDesignWidth = 9480;
constexpr int kDesignHeight = 7000;
constexpr int kLeftX = 480;
constexpr int kRightX = 9240;
constexpr int kTopY = 120;
constexpr int kAxisY = 5880;
constexpr int kGridFirstY = 480;
constexpr int kGridStep = 360;
constexpr int kStripTopY = 5900;
constexpr int kStripBottomY = 6000;
constexpr double kNudgeTwips = 10;  // every plotted x sits this far right of its slot

const QColor kGrey(128, 128, 128);

struct LegendEntry {
  const char* caption;
  QColor colour;
};

// The strip colours are these labels' text colours, in StripColour order.
const LegendEntry kLegend[kGraphLegendCount] = {
    {"50", QColor(255, 255, 255)},  {"144", QColor(0, 0, 255)},     {"222", QColor(255, 0, 0)},
    {"432", QColor(0, 255, 0)},     {"902", QColor(128, 255, 255)}, {"1.3", QColor(255, 0, 255)},
    {"Other", QColor(255, 255, 0)},
};

const char* const kGridLineNames[15] = {"Line5",  "Line6",  "Line7",  "Line10", "Line11",
                                        "Line12", "Line13", "Line14", "Line15", "Line16",
                                        "Line17", "Line18", "Line19", "Line20", "Line21"};

void SetForeground(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colour);
  w->setPalette(p);
}

}  // namespace

GraphQSO::GraphQSO(const ContactLog& log, Prompter& prompter, const ScreenGeometry& screen,
                   QWidget* parent)
    : QDialog(parent), log_(log), prompter_(prompter) {
  setObjectName("GraphQSO");
  setWindowTitle(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ApplyColours(Qt::black, Qt::white);
  // The design grid lines are grey; only the background switch recolours them.
  for (QFrame* line : gridLines) SetForeground(line, kGrey);
  ScaleFormWorkArea(*design_, screen);
  DrawGraph();
}

GraphQSO::~GraphQSO() = default;

QFrame* GraphQSO::AddLine(const char* name, int x1, int y1, int x2, int y2, const QColor& colour) {
  auto* line = new QFrame(this);
  line->setObjectName(name);
  line->setFrameShape(x1 == x2 ? QFrame::VLine : QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  line->setLineWidth(1);
  SetForeground(line, colour);
  design_->AddLine(line, x1, y1, x2, y2);
  lines_.push_back(line);
  return line;
}

QLabel* GraphQSO::AddLabel(const QString& name, const QString& caption, int left, int top,
                           int width, int height, Qt::Alignment align, double font) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(name);
  label->setAlignment(align);
  design_->Add(label, ControlKind::kLabel, left, top, width, height, font);
  return label;
}

void GraphQSO::BuildControls() {
  Line1 = AddLine("Line1", kLeftX, kTopY, kRightX, kTopY, Qt::white);
  Line2 = AddLine("Line2", kLeftX, kAxisY, kRightX, kAxisY, Qt::white);
  Line4 = AddLine("Line4", kLeftX, kTopY, kLeftX, kAxisY, Qt::white);
  Line3 = AddLine("Line3", kRightX, kTopY, kRightX, kAxisY, Qt::white);
  for (size_t i = 0; i < gridLines.size(); ++i) {
    const int y = kGridFirstY + static_cast<int>(i) * kGridStep;
    gridLines[i] = AddLine(kGridLineNames[i], kLeftX, y, kRightX, y, kGrey);
  }
  Line8 = AddLine("Line8", kLeftX, kStripTopY, kRightX, kStripTopY, Qt::white);
  Line9 = AddLine("Line9", kLeftX, kStripBottomY, kRightX, kStripBottomY, Qt::white);

  // y values sit level with the axis and the grid lines, lblY(0) on the axis.
  const int y_step = (kAxisY - kTopY) / (kGraphYLabelCount - 1);
  for (int k = 0; k < kGraphYLabelCount; ++k) {
    lblY[static_cast<size_t>(k)] =
        AddLabel(QString("lblY(%1)").arg(k), QString(), 0, kAxisY - k * y_step - 105, 450, 210,
                 Qt::AlignRight | Qt::AlignVCenter, 7.0);
  }
  // Time ticks are centred under their places on the x axis.
  for (int k = 0; k < kGraphTickCount; ++k) {
    const int centre = kLeftX + k * (kRightX - kLeftX) / (kGraphTickCount - 1);
    lblTime[static_cast<size_t>(k)] = AddLabel(QString("lblTime(%1)").arg(k), "00:00", centre - 300,
                                               6030, 600, 210, Qt::AlignCenter, 7.0);
    lblDate[static_cast<size_t>(k)] = AddLabel(QString("lblDate(%1)").arg(k), "MM/DD", centre - 300,
                                               6240, 600, 210, Qt::AlignCenter, 7.0);
  }
  Label1 = AddLabel("Label1", "Band ", kLeftX, 6540, 600, 270, Qt::AlignRight | Qt::AlignVCenter);
  for (int i = 0; i < kGraphLegendCount; ++i) {
    QLabel* l = AddLabel(QString("lblBnd(%1)").arg(i), kLegend[i].caption, 1140 + i * 600, 6540,
                         600, 270, Qt::AlignCenter);
    SetForeground(l, kLegend[i].colour);
    lblBnd[static_cast<size_t>(i)] = l;
  }
  Command1 = new QPushButton("Black Background", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  design_->Add(Command1, ControlKind::kButton, 7560, 6480, 1680, 375);
  connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);
}

void GraphQSO::ApplyColours(const QColor& background, const QColor& foreground) {
  background_ = background;
  QPalette p = palette();
  p.setColor(QPalette::Window, background);
  setPalette(p);
  setAutoFillBackground(true);
  // The legend keeps its own colours: they are what the strip is read from.
  for (QLabel* l : lblY) SetForeground(l, foreground);
  for (QLabel* l : lblTime) SetForeground(l, foreground);
  for (QLabel* l : lblDate) SetForeground(l, foreground);
  SetForeground(Label1, foreground);
  for (QFrame* line : lines_) SetForeground(line, foreground);
  for (size_t i = 0; i < lblBnd.size(); ++i) SetForeground(lblBnd[i], kLegend[i].colour);
}

QColor GraphQSO::StripRgb(StripColour colour) const {
  switch (colour) {
    case StripColour::kBackground:
      return background_;
    case StripColour::kBlack:
      return Qt::black;
    default:
      return kLegend[static_cast<int>(colour)].colour;
  }
}

void GraphQSO::DrawGraph() {
  try {
    if (log_.ContactCount() < kGraphMinimumContacts) {
      graph_ = ActivityGraph();
      drawing_ = GraphDrawing();
      update();
      prompter_.Message(isVisible() ? this : parentWidget(), QString::fromLatin1(kGraphTooFewTitle),
                        QString::fromLatin1(kGraphTooFewText), MessageIcon::kNone);
      return;
    }
    graph_ = ComputeActivityGraph(log_);
    for (int k = 0; k < kGraphTickCount; ++k) {
      const GraphTick& tick = graph_.ticks[static_cast<size_t>(k)];
      lblTime[static_cast<size_t>(k)]->setText(QString::fromStdString(tick.time_text));
      lblDate[static_cast<size_t>(k)]->setText(QString::fromStdString(tick.date_text));
    }
    for (int k = 0; k < kGraphYLabelCount; ++k)
      lblY[static_cast<size_t>(k)]->setText(
          QString::fromStdString(graph_.y_labels[static_cast<size_t>(k)]));
    UpdateDrawing();
  } catch (...) {
    // A failure while drawing is not reported; what was drawn stays.
  }
}

// The curve follows the axis lines where the layout put them.
void GraphQSO::UpdateDrawing() {
  const auto at = [this](QFrame* line) -> const QRectF& { return design_->Find(line)->applied; };
  GraphFrame frame;
  frame.y_axis_x = at(Line4).left();
  frame.right_x = at(Line3).left();
  frame.top_y = at(Line1).top();
  frame.x_axis_y = at(Line2).top();
  frame.strip_top = at(Line8).top();
  frame.strip_bottom = at(Line9).top();
  // The nudge is a design length too: it grows with the window.
  frame.offset = kNudgeTwips * design_->applied_window.width() / kDesignWidth;
  drawing_ = LayoutActivityGraph(graph_, frame);
  update();
}

void GraphQSO::Command1_Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (Command1->text() == "Black Background") {
    Command1->setText("White Background");
    ApplyColours(Qt::white, Qt::black);
  } else {
    Command1->setText("Black Background");
    ApplyColours(Qt::black, Qt::white);
  }
  DrawGraph();
  QApplication::restoreOverrideCursor();
}

void GraphQSO::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (drawing_.curve.empty()) return;
  QPainter painter(this);
  const double strip_top = design_->Find(Line8)->applied.top();
  const double strip_bottom = design_->Find(Line9)->applied.top();
  const int top = static_cast<int>(std::lround(strip_top));
  const int height = std::max(1, static_cast<int>(std::lround(strip_bottom)) - top);
  // Whole-pixel edges shared by neighbours, so the strip has no seams.
  for (const GraphStripBox& box : drawing_.strip) {
    const int left = static_cast<int>(std::lround(box.x_to));
    const int right = static_cast<int>(std::lround(box.x_from));
    painter.fillRect(left, top, std::max(1, right - left), height, StripRgb(box.colour));
  }
  const double scale = width() * kTwipsPerPixel / kDesignWidth;
  // The first position reaches back to the unplotted slot 0, which may lie
  // below the minimum; keep the curve above the x axis.
  const double top_y = design_->Find(Line1)->applied.top();
  const double axis_y = design_->Find(Line2)->applied.top();
  painter.setClipRect(QRectF(0, top_y, width(), axis_y - top_y + 1));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(QColor(0, 0, 255), scale >= 2 ? 2.0 : 1.0));
  for (const GraphSegment& s : drawing_.curve)
    painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
}

void ShowActivityGraph(QWidget* parent, const RunState& state, Prompter& prompter,
                       const ScreenGeometry& screen) {
  GraphQSO window(state.log, prompter, screen, parent);
  window.exec();
}

}  // namespace vantrel::ui
