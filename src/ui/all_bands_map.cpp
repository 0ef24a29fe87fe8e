#include "ui/all_bands_map.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const QColor kStripBlue(0, 0, 128);

void SetTextColour(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

}  // namespace

SpectrumMap::SpectrumMap(const SpotStore& store, const Clock& clock, float utc_offset_hours,
                         const ScreenGeometry& screen, SpectrumHandoff handoff, QWidget* parent)
    : QDialog(parent),
      store_(store),
      clock_(clock),
      utc_offset_(utc_offset_hours),
      handoff_(std::move(handoff)) {
  setObjectName("SpectrumMap");
  setWindowTitle(" HF Spectrum Map");
  design_ = std::make_unique<DesignForm>(this, QSize(9480, 6795), 8.0);
  for (size_t b = 0; b < kSpectrumStrips; ++b) {
    const int y = static_cast<int>(b) * 600;
    auto* strip = new QLabel(this);
    strip->setObjectName(QString("lblHFSpots%1").arg(b));
    strip->setAutoFillBackground(true);
    QPalette p = strip->palette();
    p.setColor(QPalette::Window, kStripBlue);
    strip->setPalette(p);
    strip->setAccessibleName(QString("%1 band").arg(kSpectrumBands[b].name));
    design_->Add(strip, ControlKind::kLabel, 120, 120 + y, 9255, 495);
    lblHFSpots[b] = strip;
    auto* line = new QFrame(this);
    line->setObjectName(QString("lineHF%1").arg(b));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet("color: white; background: white;");
    design_->AddLine(line, 360, 360 + y, 9120, 360 + y);
    lineHF[b] = line;
  }
  for (size_t k = 0; k < lblFreqSpot.size(); ++k) {
    auto* l = new QLabel(this);
    l->setObjectName(QString("lblFreqSpot%1").arg(k));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColour(l, Qt::white);
    design_->Add(l, ControlKind::kLabel, 0, 0, 840, 180, 6.75);
    lblFreqSpot[k] = l;
  }
  for (size_t i = 0; i < lblDXSpot.size(); ++i) {
    auto* l = new QLabel("DXLBL", this);
    l->setObjectName(QString("lblDXSpot%1").arg(i));
    l->setAlignment(Qt::AlignCenter);
    QFont serif = l->font();
    serif.setStyleHint(QFont::Serif);
    serif.setFamily("Serif");
    l->setFont(serif);
    l->setMouseTracking(true);
    // Tab walks the shown spots; Enter takes one, Delete removes it, so the
    // map needs no pointer.
    l->setFocusPolicy(Qt::StrongFocus);
    l->setAccessibleName("Spot");
    l->installEventFilter(this);
    l->hide();
    design_->Add(l, ControlKind::kLabel, 0, 0, 615, 195, 6.75);
    lblDXSpot[i] = l;
  }
  // The map opens over the whole work area, its controls stretched with it.
  ScaleFormWorkArea(*design_, screen, true);
  for (QLabel* l : lblDXSpot) {
    QFont f = l->font();
    f.setStyleHint(QFont::Serif);
    f.setFamily("Serif");
    l->setFont(f);
  }
  lblDXSpot.back()->raise();
  ComputeScales();
  NameControls({{this, " HF Spectrum Map",
                 "Spots on eleven bands; right-click a spot, or Tab to it and press "
                 "Enter, to tune to it; any other button, or Delete, removes it"}});
  BandMapLabelDisplay();
}

SpectrumMap::~SpectrumMap() = default;

Axis SpectrumMap::StripAxis(size_t strip) const {
  const QRect g = lineHF[strip]->geometry();
  return {g.left(), g.right() + 1, g.top() + g.height() / 2};
}

void SpectrumMap::ComputeScales() {
  scales_ = SpectrumScales(store_.spots());
  const int below = static_cast<int>(std::lround(0.004 * height()));
  for (size_t b = 0; b < kSpectrumStrips; ++b) {
    const Axis a = StripAxis(b);
    for (size_t k = 0; k < 5; ++k) {
      QLabel* l = lblFreqSpot[5 * b + k];
      const QString text = QString::fromStdString(scales_[b].text[k]);
      if (l->text() != text) l->setText(text);
      l->move(ScaleCaptionLeft(static_cast<int>(k), a, l->width()), a.y + below);
      l->show();
    }
  }
}

void SpectrumMap::BandMapLabelDisplay() {
  setCursor(Qt::WaitCursor);
  for (QLabel* l : lblDXSpot)
    if (!l->isHidden()) l->hide();
  ComputeScales();
  const SpotSlots& spots = store_.spots();
  const std::vector<PlacedSpot> placed = PlaceOnSpectrumMap(spots, clock_.Now());
  for (auto p = placed.rbegin(); p != placed.rend(); ++p) {  // oldest first: newest in front
    const Spot& s = spots[p->slot];
    QLabel* l = lblDXSpot[p->slot];
    l->setToolTip(Latin1(SpotTip(s, utc_offset_)));
    l->setAccessibleName(Latin1(s.call) + " " + Latin1(FormatScaleMhz(s.frequency)) + " MHz");
    l->setText(Latin1(s.label));
    const size_t b = static_cast<size_t>(p->strip);
    const LabelPlace at =
        SpotLabelPlace(s.frequency, scales_[b].shown, StripAxis(b), l->width(), l->height(), 0);
    l->move(at.left, at.top);
    SetTextColour(l, QColor(p->colour.r, p->colour.g, p->colour.b));
    l->show();
    l->raise();
  }
  setCursor(Qt::ArrowCursor);
}

void SpectrumMap::SpotPressed(size_t slot, Qt::MouseButton button) {
  const SpotClick click = ClickOnSpot(store_[slot], button == Qt::RightButton);
  if (click.tune) {
    if (handoff_.take) handoff_.take(slot);
    hide();
    done(QDialog::Accepted);
    return;
  }
  if (handoff_.dismiss) handoff_.dismiss(slot);
  BandMapLabelDisplay();
}

void SpectrumMap::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) BandMapLabelDisplay();
}

bool SpectrumMap::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  const auto it = std::find(lblDXSpot.begin(), lblDXSpot.end(), label);
  if (it == lblDXSpot.end()) return QDialog::eventFilter(watched, event);
  const auto slot = static_cast<size_t>(it - lblDXSpot.begin());
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      SpotPressed(slot, static_cast<QMouseEvent*>(event)->button());
      return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      // The spot with the focus is boxed, as a button with the focus is.
      label->setFrameShape(event->type() == QEvent::FocusIn ? QFrame::Box : QFrame::NoFrame);
      return false;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        SpotPressed(slot, Qt::RightButton);
        return true;
      }
      if (key == Qt::Key_Delete) {
        SpotPressed(slot, Qt::LeftButton);
        focusNextChild();
        return true;
      }
      return false;
    }
    default:
      return QDialog::eventFilter(watched, event);
  }
}

}  // namespace vantrel::ui
