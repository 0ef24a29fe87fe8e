#include "ui/form1_band_map.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "common/text.h"
#include "rig/rig_command.h"
#include "spots/spot_settings.h"
#include "ui/accessible_names.h"
#include "ui/all_bands_map.h"
#include "ui/form1.h"
#include "ui/form1_spots.h"
#include "ui/packet_spotfrm.h"
#include "ui/rig_controlfrm.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const QColor kPanelBlue(0, 0, 128);
constexpr double kAreaShare = 0.9;

void SetTextColour(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

QColor ToColour(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

}  // namespace

Form1BandMap::Form1BandMap(Form1& form) : QObject(&form), f_(form) {
  setObjectName("Form1BandMap");
  lblDX = new QLabel(f_.client());
  lblDX->setObjectName("lblDX");
  lblDX->setAutoFillBackground(true);
  QPalette panel = lblDX->palette();
  panel.setColor(QPalette::Window, kPanelBlue);
  lblDX->setPalette(panel);
  lblDX->installEventFilter(this);
  LineDX = new QFrame(lblDX);
  LineDX->setObjectName("LineDX");
  LineDX->setFrameShape(QFrame::HLine);
  LineDX->setFrameShadow(QFrame::Plain);
  LineDX->setStyleSheet("color: white; background: white;");
  for (size_t k = 0; k < lblFreqSpot.size(); ++k) {
    auto* l = new QLabel(lblDX);
    l->setObjectName(QString("lblFreqSpot%1").arg(k));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColour(l, Qt::white);
    lblFreqSpot[k] = l;
  }
  for (size_t i = 0; i < lblDXSpot.size(); ++i) {
    auto* l = new QLabel(lblDX);
    l->setObjectName(QString("lblDXSpot%1").arg(i));
    l->setAlignment(Qt::AlignCenter);
    l->setMouseTracking(true);
    l->installEventFilter(this);
    l->hide();
    lblDXSpot[i] = l;
    colours_[i] = kSpotRecent;
    SetTextColour(l, ToColour(kSpotRecent));
  }
  lblDX->hide();
  client_ = f_.client();
  client_->installEventFilter(this);  // window size changes move the area
  QTreeWidget* list = f_.spots().txtDX;
  connect(list, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ListClicked(item); });
  connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSpectrumMap(); });
  NameControls({{list, "Spot list", "Newest spot first; a click takes its call and frequency"},
                {lblDX, "Band map",
                 "Spots on the current band; Alt+Period and Alt+Comma take the next spot up "
                 "or down the band"}});
  connect(f_.mnuViewSpectrumMap, &QAction::triggered, this, [this] { OpenSpectrumMap(); });
}

void Form1BandMap::PacketResize() {
  const SpotSettings& s = f_.spots().Window().settings();
  PacketResize(SpotSourceOf(s.Source) != SpotSource::kNone, s.ListDisplay);
}

void Form1BandMap::PacketResize(bool source_set, bool list_mode) {
  QWidget* list = f_.spots().txtDX;
  if (source_set && !open_) {
    SetMainVerticalShare(f_.design(), kAreaShare);
    open_ = true;
    list_mode_ = list_mode;
    PlaceArea();
    list->setVisible(list_mode_);
    lblDX->setVisible(!list_mode_);
    DisplayBandMapLabels();
  } else if (source_set && list_mode != list_mode_) {
    list_mode_ = list_mode;
    list->setVisible(list_mode_);
    lblDX->setVisible(!list_mode_);
    DisplayBandMapLabels();
  } else if (!source_set && open_) {
    SetMainVerticalShare(f_.design(), 1.0);
    open_ = false;
    list->hide();
    lblDX->hide();
  }
}

Axis Form1BandMap::axis() const {
  const int half_label = lblDXSpot[0]->width() / 2;
  return {half_label, lblDX->width() - half_label, lblDX->height() / 2};
}

void Form1BandMap::PlaceArea() {
  const QRect area = MainSpotArea(f_.design(), f_.client()->size());
  f_.spots().txtDX->setGeometry(area);
  lblDX->setGeometry(area);
  const QFontMetrics fm(lblDX->font());
  const QSize spot(fm.horizontalAdvance("WW9WW") + 4, fm.height() + 2);
  for (QLabel* l : lblDXSpot) l->resize(spot);
  const Axis a = axis();
  LineDX->setGeometry(a.x1, a.y, a.x2 - a.x1, 1);
  const QSize caption(fm.horizontalAdvance("10500.000") + 6, fm.height() + 2);
  const int below = a.y + static_cast<int>(0.004 * f_.height() + 0.5);
  for (size_t k = 0; k < lblFreqSpot.size(); ++k)
    lblFreqSpot[k]->setGeometry(ScaleCaptionLeft(static_cast<int>(k), a, caption.width()), below,
                                caption.width(), caption.height());
}

void Form1BandMap::DisplayBandMapLabels() {
  if (lblDX->isHidden()) return;
  if (const auto edges = BandMapEdges(f_.state_.contest.CurrentBand)) edges_ = *edges;
  const SpotSlots& spots = f_.spots().book().store().spots();
  for (QLabel* l : lblDXSpot)
    if (!l->isHidden()) l->hide();
  const ScaleCaptions scale = MakeScaleCaptions(ZoomToSpots(edges_, spots));
  for (size_t k = 0; k < lblFreqSpot.size(); ++k) {
    const QString text = QString::fromStdString(scale.text[k]);
    if (lblFreqSpot[k]->text() != text) lblFreqSpot[k]->setText(text);
  }
  shown_ = PlaceOnBandMap(spots, scale.shown, f_.clock().Now());
  const Axis a = axis();
  const int gap = static_cast<int>(0.004 * f_.height() + 0.5);
  const float offset = f_.state_.prefs.UtcOffsetHours;
  // Oldest first, so each raise leaves the newest label in front.
  for (auto p = shown_.rbegin(); p != shown_.rend(); ++p) {
    const Spot& s = spots[p->slot];
    QLabel* l = lblDXSpot[p->slot];
    l->setToolTip(Latin1(SpotTip(s, offset)));
    const QString label = Latin1(s.label);
    if (l->text() != label) l->setText(label);
    const LabelPlace at = SpotLabelPlace(s.frequency, scale.shown, a, l->width(), l->height(), gap);
    l->move(at.left, at.top);
    if (!(colours_[p->slot] == p->colour)) {
      colours_[p->slot] = p->colour;
      SetTextColour(l, ToColour(p->colour));
    }
    l->show();
    l->raise();
  }
}

void Form1BandMap::SpotStored() {
  DisplayBandMapLabels();
  if (spectrum_) spectrum_->BandMapLabelDisplay();
}

void Form1BandMap::OpenSpectrumMap() {
  if (spectrum_) return;
  SpectrumHandoff handoff;
  handoff.take = [this](size_t slot) {
    const Spot s = f_.spots().book().store()[slot];
    const SpotClick click = ClickOnSpot(s, true);
    f_.RigWindow().ChangeFrequency(click.hz);
    f_.txtCall->setText(Latin1(click.call));
  };
  handoff.dismiss = [this](size_t slot) { f_.spots().book().store().Dismiss(slot); };
  SpectrumMap map(f_.spots().book().store(), f_.clock(), f_.state_.prefs.UtcOffsetHours, f_.screen_,
                  std::move(handoff), &f_);
  spectrum_ = &map;
  map.exec();
  spectrum_ = nullptr;
  f_.txtCall->setFocus();
  DisplayBandMapLabels();  // a dismissal there shows here too
}

void Form1BandMap::SpotPressed(size_t slot, Qt::MouseButton button) {
  const Spot s = f_.spots().book().store()[slot];
  const SpotClick click = ClickOnSpot(s, button == Qt::RightButton);
  if (click.dismiss) {
    f_.spots().book().store().Dismiss(slot);
    DisplayBandMapLabels();
    return;
  }
  f_.RigWindow().ChangeFrequency(click.hz);
  f_.txtCall->setFocus();
  f_.txtCall->setText(Latin1(click.call));
  // On to the next field as if the operator had typed the call and Tab.
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(f_.txtCall, &tab);
}

void Form1BandMap::ListClicked(QTreeWidgetItem* item) {
  f_.txtCall->setFocus();
  if (!item) return;
  const std::optional<Hertz> hz = ParseMhz(item->text(1).toStdString());
  if (hz && !EqualsNoCase(f_.state_.prefs.RigType, "None")) f_.RigWindow().ChangeFrequency(*hz);
  f_.txtCall->setText(item->text(0));
}

bool Form1BandMap::Key(QKeyEvent* key) {
  const int k = key->key();
  // Alt with the arrows moves the grid map; "<" and ">" share these keys.
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier ||
      (k != Qt::Key_Period && k != Qt::Key_Comma))
    return false;
  if (!open_ || lblDX->isHidden()) return false;
  DisplayBandMapLabels();
  const SpotSlots& spots = f_.spots().book().store().spots();
  const bool up = k == Qt::Key_Period;
  const double from = key_mhz_.value_or(up ? edges_.low : edges_.high);
  const std::optional<size_t> slot = NextShownSpot(spots, shown_, from, up);
  if (!slot) return true;
  key_mhz_ = spots[*slot].frequency;
  f_.lblDupe->setText(lblDXSpot[*slot]->toolTip());
  SpotPressed(*slot, Qt::RightButton);
  return true;
}

bool Form1BandMap::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == client_) {
    if (type == QEvent::Resize && open_) {
      PlaceArea();
      DisplayBandMapLabels();
    }
    return false;
  }
  if (watched == lblDX) {
    if (type == QEvent::MouseButtonDblClick) {
      OpenSpectrumMap();
      return true;
    }
    if (type == QEvent::MouseButtonPress) f_.spots().ShowWindow();
    return false;
  }
  auto* label = qobject_cast<QLabel*>(watched);
  const auto it = std::find(lblDXSpot.begin(), lblDXSpot.end(), label);
  if (it == lblDXSpot.end()) return false;
  const size_t slot = static_cast<size_t>(it - lblDXSpot.begin());
  if (type == QEvent::Enter || type == QEvent::MouseMove) {
    if (f_.lblDupe->text() != label->toolTip()) f_.lblDupe->setText(label->toolTip());
    return false;
  }
  if (type == QEvent::MouseButtonPress) {
    SpotPressed(slot, static_cast<QMouseEvent*>(event)->button());
    return true;
  }
  return false;
}

void Form1::RedrawBandMap() {
  band_map_->DisplayBandMapLabels();
}

void Form1::RefreshBandMapSpots() {
  band_map_->DisplayBandMapLabels();
}

}  // namespace vantrel::ui
