#include "ui/blind_frm.h"

#include <QDir>

#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {
constexpr int kDesignWidth = 6000;
constexpr int kDesignHeight = 3900;
}  // namespace

BlindFrm::BlindFrm(RunState& state, const ScreenGeometry& screen,
                   std::unique_ptr<WavePlayer> player, const MillisecondClock& clock,
                   std::function<bool()> save_prefs, QWidget* parent)
    : QDialog(parent),
      state_(state),
      player_(std::move(player)),
      announcer_(*player_, clock),
      save_prefs_(std::move(save_prefs)) {
  setObjectName("BlindFrm");
  setWindowTitle("Voice Navigation Settings");
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  announcer_.SetFolder(state_.WorkingDirectory);
  tmrAnnounce = new QTimer(this);
  tmrAnnounce->setObjectName("tmrAnnounce");
  tmrAnnounce->setInterval(kAnnouncementTickMs);
  connect(tmrAnnounce, &QTimer::timeout, this, [this] {
    announcer_.Tick();
    if (!announcer_.Busy()) tmrAnnounce->stop();
  });
  BuildControls();
  ScaleFormWorkArea(*design_, screen);
  const int level = state_.prefs.VoiceNavLevel;
  QRadioButton* stored = level == 1 ? Option2 : level == 2 ? Option3 : Option1;
  stored->setChecked(true);
}

BlindFrm::~BlindFrm() {
  tmrAnnounce->stop();
  player_->Close();
}

void BlindFrm::BuildControls() {
  Label1 = new QLabel("Put the audio wave files in this program's working directory: " +
                          PathText(state_.WorkingDirectory),
                      this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  design_->Add(Label1, ControlKind::kLabel, 120, 120, 5760, 600);
  Label2 = new QLabel(
      "Copy the announcement files Call.wav, RstRcvd.wav, RstSnt.wav, Grid.wav, Dupe.wav, "
      "NavEn.wav and NavDis.wav into the working directory of the program.  Each entry field "
      "announces itself when it receives the focus.",
      this);
  Label2->setObjectName("Label2");
  Label2->setWordWrap(true);
  design_->Add(Label2, ControlKind::kLabel, 120, 780, 5760, 900);
  auto option = [this](const char* name, const char* caption, int top, int level) {
    auto* o = new QRadioButton(caption, this);
    o->setObjectName(name);
    design_->Add(o, ControlKind::kOptionButton, 360, top, 3000, 255);
    connect(o, &QRadioButton::toggled, this, [this, level](bool on) {
      if (on) Chosen(level);
    });
    return o;
  };
  Option1 = option("Option1", "Off", 1800, 0);
  Option2 = option("Option2", "Call Only", 2160, 1);
  Option3 = option("Option3", "All Data Fields", 2520, 2);
  Command1 = new QPushButton("Done", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  design_->Add(Command1, ControlKind::kButton, 4200, 3240, 1560, 375);
  connect(Command1, &QPushButton::clicked, this, &BlindFrm::Command1_Click);
  // The three options stand without a frame to name their group.
  NameControls({
      {Option1, "Voice navigation off"},
      {Option2, "Voice navigation: call only"},
      {Option3, "Voice navigation: all data fields"},
  });
}

void BlindFrm::Chosen(int level) {
  // A blind operator hears the level as it is chosen.
  announcer_.AnnounceInTurn(LevelAnnouncements(level));
  KeepTicking();
}

void BlindFrm::Announce(std::string_view name) {
  announcer_.Announce(name);
  KeepTicking();
}

bool BlindFrm::WhenQuiet(std::function<void()> then) {
  const bool waits = announcer_.WhenQuiet(std::move(then));
  KeepTicking();
  return waits;
}

void BlindFrm::KeepTicking() {
  if (announcer_.Busy() && !tmrAnnounce->isActive()) tmrAnnounce->start();
}

void BlindFrm::Command1_Click() {
  state_.prefs.VoiceNavLevel = Option2->isChecked() ? 1 : Option3->isChecked() ? 2 : 0;
  hide();
  if (!state_.WorkingDirectory.empty()) QDir::setCurrent(PathText(state_.WorkingDirectory));
  if (save_prefs_) save_prefs_();
}

}  // namespace vantrel::ui
