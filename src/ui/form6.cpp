#include "ui/form6.h"

#include <QColorDialog>

namespace vantrel::ui {

namespace {
constexpr int kDesignWidth = 5280;
constexpr int kDesignHeight = 2760;
}  // namespace

ColourDialog QtColourDialog() {
  return [](QWidget* parent, const QColor& initial) -> std::optional<QColor> {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
}

Form6::Form6(ProgramPrefs& prefs, const ScreenGeometry& screen, ColourDialog choose,
             QWidget* parent)
    : QDialog(parent), prefs_(prefs), choose_(choose ? std::move(choose) : QtColourDialog()) {
  setObjectName("Form6");
  setWindowTitle(" Modify Multiplier Color Selections");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);

  auto label = [this](const char* name, const QString& caption, int top) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    design_->Add(l, ControlKind::kLabel, 120, top, 2760, 300, 10.0);
    return l;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, 2160, 420);
    return b;
  };
  Label1 = label("Label1", "Appearance of multiplier worked", 240);
  Label2 = label("Label2", "Appearance of multiplier remaining", 900);
  Command3 = button("Command3", "Change \"Worked\" Color", 3000, 180);
  Command1 = button("Command1", "Change \"Remaining\" Color", 3000, 840);
  Command6 = button("Command6", "Done", 1560, 1920);
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] {
    hide();
    done(QDialog::Accepted);
  });

  ScaleFormToScreen(*design_, screen);
  SetTextColour(Label1, FromBgr(prefs_.WorkedColor));
  SetTextColour(Label2, FromBgr(prefs_.RemainingColor));
}

Form6::~Form6() = default;

void Form6::Command3_Click() {
  const auto chosen = choose_(this, FromBgr(prefs_.WorkedColor));
  if (!chosen) return;
  prefs_.WorkedColor = ToBgr(*chosen);
  SetTextColour(Label1, FromBgr(prefs_.WorkedColor));
}

void Form6::Command1_Click() {
  const auto chosen = choose_(this, FromBgr(prefs_.RemainingColor));
  if (!chosen) return;
  prefs_.RemainingColor = ToBgr(*chosen);
  SetTextColour(Label2, FromBgr(prefs_.RemainingColor));
}

void mnuColors(QWidget* parent, ProgramPrefs& prefs, const ScreenGeometry& screen,
               ColourDialog choose) {
  auto window = std::make_unique<Form6>(prefs, screen, std::move(choose), parent);
  window->exec();
}

}  // namespace vantrel::ui
