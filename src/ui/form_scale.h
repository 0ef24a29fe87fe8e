// Window scaling: every window is designed in twips for a 640 x 480 screen
// (9600 x 7200 twips, 15 twips a pixel) and scaled to the real screen when it
// is created. This is the one module that turns design geometry into pixels.
//
// Responsibilities: record each window's design geometry; apply the four
// general layouts (A: screen factors, B: proportional, C: work area with
// capped fonts, D: screen factors with capped fonts) and the main window's
// creation, percentage and full-size layouts.
// Collaborations: every window in ui/ registers its controls here; the main
// window also calls the percentage and full-size layouts.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

namespace vantrel::ui {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr int kDesignScreenWidth = 9600;   // twips
inline constexpr int kDesignScreenHeight = 7200;  // twips

// What a layout needs to know about the screen; injected so tests and the
// screenshot tool can lay windows out for screens they do not have.
struct ScreenGeometry {
  QRect screen;    // pixels
  QRect workArea;  // pixels: the screen less the taskbar
  static ScreenGeometry Primary();
};

// The kinds of control the layouts tell apart. Images carry no text; lines
// have end points instead of a rectangle; list views have column widths.
enum class ControlKind {
  kLabel,
  kTextBox,
  kButton,
  kListBox,
  kComboBox,
  kImage,
  kCheckBox,
  kOptionButton,
  kFrame,
  kListView,
  kLine,
};

bool CarriesText(ControlKind kind);

// Design geometry of one control, in twips (lines: x1, y1, x2, y2 in twips,
// stored in `rect` as left=x1, top=y1, width=x2, height=y2).
struct DesignControl {
  QPointer<QWidget> widget;
  ControlKind kind = ControlKind::kLabel;
  QRect rect;
  double font_points = 8.0;
  std::vector<int> column_twips;  // list views only
  // What the last layout applied, in pixels / points, for tests and for the
  // layouts that scale relative to the current state. Lines keep their end
  // points here the way `rect` does (left=x1, top=y1, width=x2, height=y2);
  // controls without text keep applied_font at 0.
  QRectF applied;
  double applied_font = 0;
  std::vector<double> applied_columns;  // list views: column widths in pixels
};

// A window's design: its own size and font, then its controls in creation
// order. The window widget is the top-level; control rectangles are relative
// to its client area (its central widget for a main window). A reference
// returned by Add stays valid only until the next Add.
class DesignForm {
 public:
  DesignForm(QWidget* window, QSize design_twips, double font_points = 8.0);

  DesignControl& Add(QWidget* control, ControlKind kind, int left, int top, int width, int height,
                     double font_points = 8.0);
  DesignControl& AddLine(QWidget* line, int x1, int y1, int x2, int y2);
  DesignControl& AddListView(QWidget* view, int left, int top, int width, int height,
                             std::vector<int> column_twips, double font_points = 8.0);

  QWidget* window() const { return window_; }
  QSize design_size() const { return design_; }
  double design_font() const { return font_points_; }
  std::vector<DesignControl>& controls() { return controls_; }
  const std::vector<DesignControl>& controls() const { return controls_; }
  DesignControl* Find(const QWidget* w);

  // Window size, position and font applied by the last layout.
  QRect applied_window;
  double applied_window_font = 0;
  // The main window's share of its height left to its own controls: 0.9
  // while the spot area takes the bottom of the window. Every main layout
  // keeps to it, so a size change does not cover the area.
  double vertical_share = 1.0;

 private:
  QPointer<QWidget> window_;
  QSize design_;
  double font_points_;
  std::vector<DesignControl> controls_;
};

// Scale factors of a target against the design screen.
struct ScaleFactors {
  double w = 1.0;
  double h = 1.0;
};
ScaleFactors FactorsFor(QSize target_pixels);

// Style A (contact editing, station setup, Cabrillo summary).
void ScaleFormToScreen(DesignForm& form, const ScreenGeometry& screen);
// Style B (WinKey setup). `target` is in pixels, the design size in twips
// (normally kDesignScreenWidth x kDesignScreenHeight). It scales from the
// window's current layout (its design size before any layout), and centres
// the window on a target whose top left corner is 0,0.
void ScaleFormProportional(DesignForm& form, QSize target, int design_width, int design_height,
                           bool exact, double font_damping, const QString& font_name);
// Style C (CW setup, voice keyer, graph, rig interface, band privileges, code practice).
// With fill_work_area (band privileges) the window covers the whole work
// area from its top left corner instead of its design share of it.
void ScaleFormWorkArea(DesignForm& form, const ScreenGeometry& screen, bool fill_work_area = false);
// Style D (voice navigation, CW strings, DX spotting, spectrum map, frequency test, rig tune).
void ScaleFormScreenCapped(DesignForm& form, const ScreenGeometry& screen);

// Main window layouts. Creation: the whole screen, controls by W and H, fonts
// by the smaller factor. Percent: P % of the screen, centred. Full: at 100 %
// the work area (taskbar = true) or the whole screen, at the top left corner.
void LayoutMainAtCreation(DesignForm& form, const ScreenGeometry& screen);
void LayoutMainPercent(DesignForm& form, const ScreenGeometry& screen, int percent);
void LayoutMainFull(DesignForm& form, const ScreenGeometry& screen, bool taskbar);

// Opens (share 0.9) or closes (1.0) the main window's spot area: the tops
// and heights of the controls the main layouts scale, and the vertical ends
// of its lines, are multiplied by new share / old share.
void SetMainVerticalShare(DesignForm& form, double share);
// The spot area in client pixels: from the lowest bottom edge of those
// controls to `client`'s bottom, 1 % of its width from the left and 97 % wide.
QRect MainSpotArea(const DesignForm& form, QSize client);

// Sizes the columns of a list view to its applied_columns; for windows that
// create their columns after the layout has run.
void ApplyColumnWidths(const DesignControl& control);

// "&Form Size": the typed answer as a percentage 30..100, rounded; false when
// the answer is not numeric (nothing is to change then).
bool ParseFormSizePercent(const QString& answer, int& percent);

}  // namespace vantrel::ui
