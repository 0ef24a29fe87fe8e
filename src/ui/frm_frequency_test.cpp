#include "ui/frm_frequency_test.h"

#include <QLabel>

#include "rig/rig_command.h"
#include "ui/accessible_names.h"
#include "ui/rig_controlfrm.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const char* const kTitle = "Test Change Frequency Function";

std::string TrimBlanks(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  size_t first = 0;
  while (first < s.size() && s[first] == ' ') ++first;
  return s.substr(first);
}

}  // namespace

frmFrequencyTest::frmFrequencyTest(RigControlfrm& rig, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rig_(rig), prompter_(prompter) {
  setObjectName("frmFrequencyTest");
  setWindowTitle(kTitle);
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(4800, 2520), 8.0);
  auto label = [this](const QString& caption, int top) {
    auto* l = new QLabel(caption, this);
    design_->Add(l, ControlKind::kLabel, 120, top, 4500, 255);
    return l;
  };
  auto button = [this](const char* name, int top) {
    auto* b = new QPushButton("Send", this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, 3600, top, 1000, 375);
    return b;
  };
  QLabel* lblCommand = label("Command to send:", 120);
  Text1 = new QLineEdit("FA00028475000;", this);
  Text1->setObjectName("Text1");
  design_->Add(Text1, ControlKind::kTextBox, 120, 420, 3360, 315);
  Command1 = button("Command1", 390);
  Check1 = new QCheckBox("Convert to Hex", this);
  Check1->setObjectName("Check1");
  design_->Add(Check1, ControlKind::kCheckBox, 120, 840, 2400, 255);
  QLabel* lblFreq = label("Frequency in MHz:", 1320);
  Text2 = new QLineEdit("28.475", this);
  Text2->setObjectName("Text2");
  design_->Add(Text2, ControlKind::kTextBox, 120, 1620, 3360, 315);
  Command2 = button("Command2", 1590);
  ScaleFormWorkArea(*design_, rig.screen());
  // Both buttons say "Send".
  NameControls({
      {Text1, "Command to send", {}, lblCommand},
      {Command1, "Send command"},
      {Text2, "Frequency in MHz", {}, lblFreq},
      {Command2, "Send frequency"},
  });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

frmFrequencyTest::~frmFrequencyTest() = default;

void frmFrequencyTest::Command1_Click() {
  const std::string text = TrimBlanks(Std(Text1->text()));
  if (text.empty()) return;
  std::string bytes = text;
  if (Check1->isChecked()) {
    const auto converted = HexPairsToBytes(text);
    if (!converted) {
      prompter_.Message(this, kTitle,
                        "\"" + Latin1(text) +
                            "\" is not hex pairs. Type bytes as two hex digits each, separated "
                            "by one blank, for example FE FE 64 E0 03 FD.",
                        MessageIcon::kInformation);
      return;
    }
    bytes = *converted;
  }
  if (!rig_.SendRaw(bytes))
    prompter_.Message(this, kTitle,
                      "The rig port is not open. Click Test in the rig window to open it.",
                      MessageIcon::kInformation);
}

void frmFrequencyTest::Command2_Click() {
  const TypedFrequency typed = CheckTypedFrequency(Std(Text2->text()));
  if (!typed.hz) {
    prompter_.Message(this, "Invalid Frequency", Latin1(typed.problem), MessageIcon::kInformation);
    return;
  }
  rig_.ChangeFrequency(*typed.hz);
}

}  // namespace vantrel::ui
