#include "ui/frm_band_plan.h"

#include <QFont>
#include <algorithm>
#include <cmath>

#include "platform/durable_file.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr double kFontCap = 1.5;
const QColor kCwBlue(0, 0, 255);
const QColor kPhoneGreen(0, 255, 0);

const char* const kChartPrefixes[] = {"blbl", "priv", "bnlb"};

QRect ToPixels(const ChartRect& r) {
  const int left = static_cast<int>(std::lround(r.left));
  const int top = static_cast<int>(std::lround(r.top));
  const int right = static_cast<int>(std::lround(r.left + r.width));
  const int bottom = static_cast<int>(std::lround(r.top + r.height));
  return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

// The established faces are Arial and Arial Narrow; metric twins or the
// system sans-serif stand in where they are absent.
QFont ChartFont(bool narrow, bool bold, double points) {
  QFont f;
  if (narrow)
    f.setFamilies({"Arial Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed"});
  else
    f.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
  f.setStyleHint(QFont::SansSerif);
  f.setBold(bold);
  if (points > 0) f.setPointSizeF(points);
  return f;
}

}  // namespace

frmBandPlan::frmBandPlan(const std::string& working_directory, Prompter& prompter,
                         const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("frmBandPlan");
  setWindowTitle("Frequency Privileges");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignScreenWidth, kDesignScreenHeight), 8.0);
  BuildControls();
  ScaleFormWorkArea(*design_, screen, /*fill_work_area=*/true);
  font_factor_ = std::min(FactorsFor(screen.screen.size()).w, kFontCap);
  Paint(Label4, kPhoneGreen, Qt::black);
  Paint(Label3, kCwBlue, Qt::white);

  const std::string path = working_directory.empty()
                               ? std::string(kBandPlanFile)
                               : working_directory + "/" + std::string(kBandPlanFile);
  if (ReadBandPlan(path)) {
    Label2->setText(kLicenceClasses.back().title);
    DrawChart(kLicenceClasses.back().letter);
  } else {
    prompter_.Message(parent, "Band Data Not Available.", "Band data not available.",
                      MessageIcon::kNone);
  }
}

frmBandPlan::~frmBandPlan() = default;

void frmBandPlan::BuildControls() {
  for (int i = 0; i < kLicenceClassCount; ++i) {
    auto* b = new QPushButton(kLicenceClasses[static_cast<size_t>(i)].button, this);
    b->setObjectName(QString("Command%1").arg(i + 1));
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, 240 + i * 1260, 120, 1140, 375);
    connect(b, &QPushButton::clicked, this, [this, i] { ClassButton_Click(i); });
    classButtons[static_cast<size_t>(i)] = b;
  }
  Command7 = new QPushButton("Done", this);
  Command7->setObjectName("Command7");
  Command7->setAutoDefault(false);
  design_->Add(Command7, ControlKind::kButton, 8160, 120, 1200, 375);
  connect(Command7, &QPushButton::clicked, this, &QDialog::accept);

  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Label2->setAlignment(Qt::AlignCenter);
  design_->Add(Label2, ControlKind::kLabel, 240, 600, 9120, 360, 12.0);
  QFont title = Label2->font();
  title.setBold(true);
  Label2->setFont(title);

  Label1 = new QLabel("Frequencies Effective: ", this);
  Label1->setObjectName("Label1");
  design_->Add(Label1, ControlKind::kLabel, 240, 1020, 5400, 255);

  Label3 = new QLabel("CW", this);
  Label3->setObjectName("Label3");
  Label3->setAlignment(Qt::AlignCenter);
  design_->Add(Label3, ControlKind::kLabel, 6960, 1020, 1080, 255);
  Label4 = new QLabel("Phone", this);
  Label4->setObjectName("Label4");
  Label4->setAlignment(Qt::AlignCenter);
  design_->Add(Label4, ControlKind::kLabel, 8160, 1020, 1080, 255);

  Line1 = new QFrame(this);
  Line1->setObjectName("Line1");
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Plain);
  design_->AddLine(Line1, 240, 1380, 9360, 1380);
}

bool frmBandPlan::ReadBandPlan(const std::string& path) {
  std::string text, error;
  if (!ReadWholeFile(path, text, error)) return false;
  const BandPlanReadResult result = ParseBandPlan(text, plan_);
  // A damaged file keeps what was read before the damage, for the buttons.
  if (!result.ok()) plan_ = result.partial;
  if (result.error != BandPlanReadError::kEmpty)
    Label1->setText("Frequencies Effective: " + Latin1(result.partial.effective));
  data_available_ = result.ok();
  return result.ok();
}

void frmBandPlan::ClassButton_Click(int index) {
  if (index < 0 || index >= kLicenceClassCount) return;
  const LicenceClass& c = kLicenceClasses[static_cast<size_t>(index)];
  Label2->setText(c.title);
  DrawChart(c.letter);
}

void frmBandPlan::RemoveChartElements() {
  const auto children = findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  for (QLabel* child : children) {
    const QString name = child->objectName();
    for (const char* prefix : kChartPrefixes) {
      if (name.startsWith(QLatin1String(prefix))) {
        delete child;
        break;
      }
    }
  }
}

void frmBandPlan::DrawChart(const std::string& cls) {
  try {
    RemoveChartElements();
    const double chart_top = design_->Find(Line1)->applied.top();
    chart_ = LayoutBandChart(plan_, cls, width(), height(), chart_top);

    for (const ChartBar& bar : chart_.bars) {
      auto* l = new QLabel(Latin1(bar.band), this);
      l->setObjectName(QString("blbl%1").arg(bar.number));
      l->setGeometry(ToPixels(bar.rect));
      Paint(l, Qt::black, Qt::black);
      l->setFrameStyle(QFrame::Box | QFrame::Plain);
      l->setAlignment(Qt::AlignCenter);
      l->setToolTip(Latin1(bar.tooltip));
      l->show();
    }
    if (chart_.tagged) {
      for (const ChartBar& bar : chart_.bars) {
        auto* l = new QLabel(Latin1(bar.band), this);
        l->setObjectName(QString("bnlb%1").arg(bar.number));
        l->setGeometry(ToPixels(bar.tag));
        Paint(l, QColor(255, 255, 0), Qt::black);
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(ChartFont(false, true, 8 * font_factor_));
        l->setToolTip(Latin1(bar.tooltip));
        l->show();
      }
    }
    for (const ChartSegment& seg : chart_.segments) {
      auto* l = new QLabel(Latin1(seg.caption), this);
      l->setObjectName(QString("priv%1").arg(seg.number));
      l->setGeometry(ToPixels(seg.rect));
      if (seg.cw)
        Paint(l, kCwBlue, Qt::white);
      else
        Paint(l, kPhoneGreen, Qt::black);
      l->setFrameStyle(QFrame::Box | QFrame::Plain);
      l->setAlignment(Qt::AlignCenter);
      l->setFont(ChartFont(true, false, 7 * font_factor_));
      l->setToolTip(Latin1(seg.tooltip));
      l->show();
      l->raise();
    }
  } catch (...) {
    // Drawing stops silently; what was drawn stays.
  }
}

void ShowBandPrivileges(QWidget* parent, const RunState& state, Prompter& prompter,
                        const ScreenGeometry& screen) {
  frmBandPlan window(state.WorkingDirectory, prompter, screen, parent);
  window.exec();
}

}  // namespace vantrel::ui
