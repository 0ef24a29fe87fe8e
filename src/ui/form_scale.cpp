#include "ui/form_scale.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantrel::ui {

namespace {

constexpr double kFontCap = 1.5;  // styles C and D never grow fonts beyond this

// One control's geometry (pixels), font (points) and column widths (pixels).
// Every layout derives a fresh state from the design state, so running a
// layout again lands on the same pixels instead of drifting.
struct ControlState {
  QRectF rect;
  double font = 0;
  std::vector<double> columns;
};

ControlState DesignState(const DesignControl& c) {
  ControlState s;
  s.rect = QRectF(c.rect.left() / kTwipsPerPixel, c.rect.top() / kTwipsPerPixel,
                  c.rect.width() / kTwipsPerPixel, c.rect.height() / kTwipsPerPixel);
  s.font = c.font_points;
  for (int twips : c.column_twips) s.columns.push_back(twips / kTwipsPerPixel);
  return s;
}

bool LaidOut(const DesignForm& form) {
  return form.applied_window.isValid();
}

// The state the last layout left, or the design when none has run yet (a
// window is at its design size until it is first laid out).
ControlState CurrentState(const DesignForm& form, const DesignControl& c) {
  if (!LaidOut(form)) return DesignState(c);
  ControlState s;
  s.rect = c.applied;
  s.font = CarriesText(c.kind) ? c.applied_font : c.font_points;
  s.columns = c.applied_columns;
  return s;
}

// Scales x values (left, width; for lines x1, x2) by kx and y values by ky;
// the stored layout of lines makes both cases the same arithmetic.
ControlState Scaled(ControlState s, double kx, double ky, double kfont) {
  s.rect = QRectF(s.rect.left() * kx, s.rect.top() * ky, s.rect.width() * kx, s.rect.height() * ky);
  s.font *= kfont;
  for (double& col : s.columns) col *= kx;
  return s;
}

int Px(double v) {
  return static_cast<int>(std::lround(v));
}

void SetFont(QWidget* w, double points, const QString& family) {
  if (!w || points <= 0) return;
  QFont f = w->font();
  if (!family.isEmpty()) {
    f.setFamily(family);
    f.setStyleHint(QFont::SansSerif);  // stands in when the named face is absent
  }
  f.setPointSizeF(points);
  w->setFont(f);
}

// A line is drawn as a thin widget spanning its end points; it needs enough
// thickness for its frame style to show.
int LineThickness(const QWidget* w) {
  const auto* frame = qobject_cast<const QFrame*>(w);
  if (!frame) return 1;
  const int t = frame->frameShadow() == QFrame::Plain
                    ? frame->lineWidth()
                    : 2 * frame->lineWidth() + frame->midLineWidth();
  return std::max(1, t);
}

void PlaceLine(QWidget* w, const QRectF& ends) {
  const int x1 = Px(ends.left());
  const int y1 = Px(ends.top());
  const int x2 = Px(ends.width());
  const int y2 = Px(ends.height());
  const int t = LineThickness(w);
  int left = std::min(x1, x2);
  int top = std::min(y1, y2);
  int width = std::abs(x2 - x1);
  int height = std::abs(y2 - y1);
  if (width < t) {
    left -= (t - 1) / 2;
    width = t;
  }
  if (height < t) {
    top -= (t - 1) / 2;
    height = t;
  }
  w->setGeometry(left, top, width, height);
}

void Commit(DesignControl& c, const ControlState& s, const QString& family = {}) {
  c.applied = s.rect;
  c.applied_font = CarriesText(c.kind) ? s.font : 0;
  c.applied_columns = s.columns;
  QWidget* w = c.widget;
  if (!w) return;  // the control is gone; keep the arithmetic, skip the widget
  if (CarriesText(c.kind)) SetFont(w, s.font, family);
  if (c.kind == ControlKind::kLine) {
    PlaceLine(w, s.rect);
  } else {
    QRect r(Px(s.rect.left()), Px(s.rect.top()), Px(s.rect.width()), Px(s.rect.height()));
    if (c.kind == ControlKind::kComboBox) {
      // A combo box is as tall as its font needs.
      r.setHeight(w->sizeHint().height());
      c.applied.setHeight(r.height());
    }
    w->setGeometry(r);
  }
  if (c.kind == ControlKind::kListView) ApplyColumnWidths(c);
}

// Sizes and places the window; `centre` centres it in `target`, otherwise it
// goes to the target's top left corner.
void PlaceWindow(DesignForm& form, QSizeF size, const QRect& target, bool centre, double font,
                 const QString& family = {}) {
  const QSize px(Px(size.width()), Px(size.height()));
  QPoint pos = target.topLeft();
  if (centre) pos += QPoint((target.width() - px.width()) / 2, (target.height() - px.height()) / 2);
  form.applied_window = QRect(pos, px);
  form.applied_window_font = font;
  QWidget* w = form.window();
  if (!w) return;
  // The window font goes first so controls given their own font keep it.
  SetFont(w, font, family);
  w->resize(px);
  if (w->isWindow()) w->move(pos);
}

// 1, or the factor below 1 that brings `size` inside the work area.
double FitFactor(QSizeF size, const ScreenGeometry& screen) {
  const QRect area = screen.workArea.isValid() ? screen.workArea : screen.screen;
  if (size.width() <= 0 || size.height() <= 0 || area.width() <= 0 || area.height() <= 0)
    return 1.0;
  return std::min({1.0, area.width() / size.width(), area.height() / size.height()});
}

QSizeF DesignPixels(const DesignForm& form) {
  return QSizeF(form.design_size().width() / kTwipsPerPixel,
                form.design_size().height() / kTwipsPerPixel);
}

// Styles A and D share the screen factors; they differ in the font factor and
// in D leaving hidden controls at their design place.
void ScaleByScreen(DesignForm& form, const ScreenGeometry& screen, bool capped) {
  ScaleFactors f = FactorsFor(screen.screen.size());
  const QSizeF design = DesignPixels(form);
  // A window designed wider or taller than the design screen would reach past
  // the real one and hide its right-hand buttons: such a window shrinks as a
  // whole until it fits the work area.
  const double fit = FitFactor(QSizeF(design.width() * f.w, design.height() * f.h), screen);
  f.w *= fit;
  f.h *= fit;
  const QSizeF size(design.width() * f.w, design.height() * f.h);
  const double window_font =
      capped ? form.design_font() * (form.design_size().width() * f.w / kDesignScreenWidth)
             : form.design_font() * f.h;
  PlaceWindow(form, size, screen.screen, true, window_font);
  const double font_factor = capped ? std::min(f.w, kFontCap) : std::min(f.w, f.h);
  for (DesignControl& c : form.controls()) {
    QWidget* w = c.widget;
    if (capped && w && !w->isVisibleTo(w->window())) {
      Commit(c, DesignState(c));
      continue;
    }
    Commit(c, Scaled(DesignState(c), f.w, f.h, font_factor));
  }
}

// Main window kinds that the creation and percentage layouts scale; the
// others keep their design geometry until the full-size layout.
bool MainScales(ControlKind kind) {
  switch (kind) {
    case ControlKind::kListBox:
    case ControlKind::kListView:
    case ControlKind::kButton:
    case ControlKind::kTextBox:
    case ControlKind::kLabel:
    case ControlKind::kLine:
      return true;
    default:
      return false;
  }
}

ControlState MainCreationState(const DesignForm& form, const DesignControl& c, ScaleFactors f) {
  if (!MainScales(c.kind)) return DesignState(c);
  return Scaled(DesignState(c), f.w, f.h * form.vertical_share, std::min(f.w, f.h));
}

}  // namespace

ScreenGeometry ScreenGeometry::Primary() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (!s) {
    const QRect design(0, 0, static_cast<int>(kDesignScreenWidth / kTwipsPerPixel),
                       static_cast<int>(kDesignScreenHeight / kTwipsPerPixel));
    return {design, design};
  }
  return {s->geometry(), s->availableGeometry()};
}

bool CarriesText(ControlKind kind) {
  return kind != ControlKind::kImage && kind != ControlKind::kLine;
}

DesignForm::DesignForm(QWidget* window, QSize design_twips, double font_points)
    : window_(window), design_(design_twips), font_points_(font_points) {}

DesignControl& DesignForm::Add(QWidget* control, ControlKind kind, int left, int top, int width,
                               int height, double font_points) {
  DesignControl c;
  c.widget = control;
  c.kind = kind;
  c.rect = QRect(left, top, width, height);
  c.font_points = font_points;
  controls_.push_back(std::move(c));
  return controls_.back();
}

DesignControl& DesignForm::AddLine(QWidget* line, int x1, int y1, int x2, int y2) {
  return Add(line, ControlKind::kLine, x1, y1, x2, y2, 0);
}

DesignControl& DesignForm::AddListView(QWidget* view, int left, int top, int width, int height,
                                       std::vector<int> column_twips, double font_points) {
  DesignControl& c = Add(view, ControlKind::kListView, left, top, width, height, font_points);
  c.column_twips = std::move(column_twips);
  return c;
}

DesignControl* DesignForm::Find(const QWidget* w) {
  for (DesignControl& c : controls_)
    if (c.widget == w) return &c;
  return nullptr;
}

ScaleFactors FactorsFor(QSize target_pixels) {
  return {target_pixels.width() * kTwipsPerPixel / kDesignScreenWidth,
          target_pixels.height() * kTwipsPerPixel / kDesignScreenHeight};
}

void ApplyColumnWidths(const DesignControl& control) {
  QWidget* w = control.widget;
  QHeaderView* header = nullptr;
  if (auto* tree = qobject_cast<QTreeView*>(w))
    header = tree->header();
  else if (auto* table = qobject_cast<QTableView*>(w))
    header = table->horizontalHeader();
  if (!header) return;
  const int n = std::min(header->count(), static_cast<int>(control.applied_columns.size()));
  for (int i = 0; i < n; ++i) header->resizeSection(i, Px(control.applied_columns[i]));
}

void ScaleFormToScreen(DesignForm& form, const ScreenGeometry& screen) {
  ScaleByScreen(form, screen, false);
}

void ScaleFormProportional(DesignForm& form, QSize target, int design_width, int design_height,
                           bool exact, double font_damping, const QString& font_name) {
  if (design_width <= 0 || design_height <= 0) return;
  const bool laid_out = LaidOut(form);
  const QSizeF old = laid_out ? QSizeF(form.applied_window.size()) : DesignPixels(form);
  if (old.width() <= 0 || old.height() <= 0) return;
  const QSizeF size = exact
                          ? QSizeF(target)
                          : QSizeF(old.width() * target.width() * kTwipsPerPixel / design_width,
                                   old.height() * target.height() * kTwipsPerPixel / design_height);
  const double rw = size.width() / old.width();
  const double rh = size.height() / old.height();
  // Growing fonts may be held back by the damping; shrinking ones never are.
  const double f = rh > 1 ? (std::min(rw, rh) - 1) * font_damping + 1 : std::min(rw, rh);

  // Collect the current states first: they read the applied values that the
  // commits below overwrite.
  std::vector<ControlState> current;
  current.reserve(form.controls().size());
  for (const DesignControl& c : form.controls()) current.push_back(CurrentState(form, c));
  const double window_font = (laid_out ? form.applied_window_font : form.design_font()) * f;
  PlaceWindow(form, size, QRect(QPoint(0, 0), target), true, window_font, font_name);
  for (std::size_t i = 0; i < current.size(); ++i)
    Commit(form.controls()[i], Scaled(current[i], rw, rh, f), font_name);
}

void ScaleFormWorkArea(DesignForm& form, const ScreenGeometry& screen, bool fill_work_area) {
  const QRect& work = screen.workArea;
  const QSizeF design = DesignPixels(form);
  if (design.width() <= 0 || design.height() <= 0) return;
  const ScaleFactors wf = FactorsFor(work.size());
  const QSizeF size =
      fill_work_area ? QSizeF(work.size()) : QSizeF(design.width() * wf.w, design.height() * wf.h);
  const double window_font =
      form.design_font() * (size.width() * kTwipsPerPixel / kDesignScreenWidth);
  PlaceWindow(form, size, work, !fill_work_area, window_font);
  const double kx = size.width() / design.width();
  const double ky = size.height() / design.height();
  const double font_factor = std::min(FactorsFor(screen.screen.size()).w, kFontCap);
  for (DesignControl& c : form.controls()) Commit(c, Scaled(DesignState(c), kx, ky, font_factor));
}

void ScaleFormScreenCapped(DesignForm& form, const ScreenGeometry& screen) {
  ScaleByScreen(form, screen, true);
}

void LayoutMainAtCreation(DesignForm& form, const ScreenGeometry& screen) {
  const ScaleFactors f = FactorsFor(screen.screen.size());
  PlaceWindow(form, QSizeF(screen.screen.size()), screen.screen, false, form.design_font() * f.h);
  for (DesignControl& c : form.controls()) Commit(c, MainCreationState(form, c, f));
}

// The percentage layout shrinks what the creation layout made: every factor
// P/100 applies on top of the screen factors, so at P % a control ends at
// design x W (or H) x P/100 and a label font at design x min(W, H) x P/100.
// It is computed from the design each time, so repeating it does not compound.
void LayoutMainPercent(DesignForm& form, const ScreenGeometry& screen, int percent) {
  const double p = std::clamp(percent, 30, 100) / 100.0;
  const ScaleFactors f = FactorsFor(screen.screen.size());
  const QSizeF size(screen.screen.width() * p, screen.screen.height() * p);
  PlaceWindow(form, size, screen.screen, true, form.design_font() * f.h * p);
  for (DesignControl& c : form.controls()) {
    const ControlState created = MainCreationState(form, c, f);
    Commit(c, MainScales(c.kind) ? Scaled(created, p, p, p) : created);
  }
}

// The full-size layout follows the creation layout, which made the window
// the whole screen: its ratios new / old size are therefore target / screen,
// and fonts stay as created.
void LayoutMainFull(DesignForm& form, const ScreenGeometry& screen, bool taskbar) {
  const QRect target = taskbar ? screen.workArea : screen.screen;
  if (screen.screen.width() <= 0 || screen.screen.height() <= 0) return;
  const double rx = static_cast<double>(target.width()) / screen.screen.width();
  const double ry = static_cast<double>(target.height()) / screen.screen.height();
  const ScaleFactors f = FactorsFor(screen.screen.size());
  // Hold repaints so the controls are not seen half moved.
  QWidget* w = form.window();
  const bool updates = w && w->updatesEnabled();
  if (w) w->setUpdatesEnabled(false);
  PlaceWindow(form, QSizeF(target.size()), target, false, form.design_font() * f.h);
  for (DesignControl& c : form.controls())
    Commit(c, Scaled(MainCreationState(form, c, f), rx, ry, 1.0));
  if (w) w->setUpdatesEnabled(updates);
}

void SetMainVerticalShare(DesignForm& form, double share) {
  if (share <= 0 || share == form.vertical_share) return;
  const double ratio = share / form.vertical_share;
  form.vertical_share = share;
  for (DesignControl& c : form.controls()) {
    if (!MainScales(c.kind)) continue;
    // Fonts and columns stay; only the vertical geometry gives way.
    Commit(c, Scaled(CurrentState(form, c), 1.0, ratio, 1.0));
  }
}

QRect MainSpotArea(const DesignForm& form, QSize client) {
  double bottom = 0;
  for (const DesignControl& c : form.controls()) {
    if (!MainScales(c.kind)) continue;
    const QRectF& r = c.applied;
    bottom = std::max(bottom, c.kind == ControlKind::kLine ? std::max(r.top(), r.height())
                                                           : r.top() + r.height());
  }
  const int top = std::min(Px(bottom), client.height());
  return QRect(Px(client.width() * 0.01), top, Px(client.width() * 0.97), client.height() - top);
}

bool ParseFormSizePercent(const QString& answer, int& percent) {
  static const QRegularExpression kNumber(
      QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
  const QString text = answer.trimmed();
  if (!kNumber.match(text).hasMatch()) return false;
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return false;
  percent = static_cast<int>(std::lround(std::clamp(value, 30.0, 100.0)));
  return true;
}

}  // namespace vantrel::ui
