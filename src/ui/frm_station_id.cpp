#include "ui/frm_station_id.h"
#include "ui/accessible_names.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QValidator>
#include <array>
#include <cmath>
#include <limits>

#include "common/locator.h"
#include "common/quoted_value.h"
#include "contest/grid_math.h"
#include "contest/tallies.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 5640;
constexpr int kDesignHeight = 4920;
constexpr int kLabelLeft = 120;
constexpr int kLabelWidth = 2760;
constexpr int kTextLeft = 3000;
constexpr int kRowHeight = 315;
constexpr int kOptionLeft = 120;
constexpr int kOptionHeight = 255;

QString FromLatin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text) {
  return text.toLatin1().toStdString();
}

// The typing limit of a field. Unlike QLineEdit's own maximum it never cuts
// a longer value put there from the stored profile, which would change the
// value on the next Done; it only stops the text from growing past the limit.
class TypingLimit : public QValidator {
 public:
  TypingLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit) {
    // The line edit already holds the proposed text while validating, so the
    // length before the edit is remembered here.
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { length_ = text.size(); });
  }
  State validate(QString& input, int&) const override {
    if (input.size() > limit_ && input.size() > length_) return Invalid;
    return Acceptable;
  }

 private:
  int limit_;
  qsizetype length_ = 0;
};

// Only spaces count as the blanks around a grid; tabs never get typed there.
std::string TrimSpaces(std::string s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

constexpr std::array<int, 5> kContestOfOption = {1, 2, 3, 4, 5};

}  // namespace

bool IsNumericText(const QString& text, double* value) {
  const std::string s = ToLatin1(text.trimmed());
  double v = 0;
  if (s.empty() || !ParseNumber(s, v) || !std::isfinite(v)) return false;
  if (value) *value = v;
  return true;
}

frmStationID::frmStationID(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                           QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter) {
  setObjectName("frmStationID");
  setWindowTitle(" Amateur Station I.D.");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormToScreen(*design_, screen);
  Form_Load();
}

frmStationID::~frmStationID() = default;

void frmStationID::BuildControls() {
  auto row = [this](const char* label_name, const QString& caption, const char* text_name, int top,
                    int width, int limit, QLabel*& label, QLineEdit*& text) {
    label = new QLabel(caption, this);
    label->setObjectName(label_name);
    design_->Add(label, ControlKind::kLabel, kLabelLeft, top + 30, kLabelWidth, 255);
    text = new QLineEdit(this);
    text->setObjectName(text_name);
    if (limit > 0) text->setValidator(new TypingLimit(text, limit));
    text->installEventFilter(this);
    design_->Add(text, ControlKind::kTextBox, kTextLeft, top, width, kRowHeight);
  };
  row("Label1", "Please Enter your Call Sign:", "Text1", 120, 2400, 0, Label1, Text1);
  row("Label4", "Your Grid Square:", "Text5", 540, 900, 4, Label4, Text5);
  row("Label7", "Hours added for UTC:", "Text6", 960, 900, 6, Label7, Text6);
  row("Label3", "Latitude:", "Text3", 1380, 900, 6, Label3, Text3);
  row("Label2", "Longitude:", "Text2", 1800, 900, 6, Label2, Text2);

  auto frame = [this](const char* name, const QString& caption, int left, int width, int height) {
    auto* f = new QGroupBox(caption, this);
    f->setObjectName(name);
    design_->Add(f, ControlKind::kFrame, left, 2280, width, height);
    return f;
  };
  auto option = [this](QGroupBox* parent, const char* name, const QString& caption, int top,
                       int width) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    design_->Add(o, ControlKind::kOptionButton, kOptionLeft, top, width, kOptionHeight);
    return o;
  };
  // Option tops are relative to their frame, their parent.
  Frame1 = frame("Frame1", "Contest:", 120, 3480, 1980);
  Option1 = option(Frame1, "Option1", "ARRL January VHF Sweepstakes", 300, 3240);
  Option2 = option(Frame1, "Option2", "ARRL June VHF QSO Party", 600, 3240);
  Option3 = option(Frame1, "Option3", "ARRL UHF Contest", 900, 3240);
  Option4 = option(Frame1, "Option4", "ARRL September VHF QSO Party", 1200, 3240);
  Option7 = option(Frame1, "Option7", "CQ World Wide VHF", 1500, 3240);
  Frame2 = frame("Frame2", "Station:", 3720, 1800, 960);
  Option5 = option(Frame2, "Option5", "Fixed", 300, 1560);
  Option6 = option(Frame2, "Option6", "Rover", 600, 1560);
  Option5->setChecked(true);

  Command1 = new QPushButton("Done", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  design_->Add(Command1, ControlKind::kButton, 3960, 3720, 1200, 495);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  NameControls({
      {Text1, "Call sign", {}, Label1},
      {Text5, "Grid square", "Two letters A to R and two digits", Label4},
      {Text6, "Hours added for UTC", {}, Label7},
      {Text3, "Latitude", {}, Label3},
      {Text2, "Longitude", {}, Label2},
  });
}

void frmStationID::Form_Load() {
  const ProgramPrefs& p = state_.prefs;
  Text1->setText(FromLatin1(p.OwnCall));
  Text2->setText(FromLatin1(FormatDouble(p.OwnLongitude)));
  Text3->setText(FromLatin1(FormatDouble(p.OwnLatitude)));
  Text5->setText(FromLatin1(p.OwnGrid));
  Text6->setText(FromLatin1(FormatSingle(p.UtcOffsetHours)));

  const std::array<QRadioButton*, 5> options = {Option1, Option2, Option3, Option4, Option7};
  // Auto-exclusive buttons refuse to be cleared, so that is lifted meanwhile.
  for (QRadioButton* o : options) {
    o->setAutoExclusive(false);
    o->setChecked(false);
  }
  for (size_t i = 0; i < options.size(); ++i)
    if (state_.contest.ContestId == kContestOfOption[i]) options[i]->setChecked(true);
  for (QRadioButton* o : options) o->setAutoExclusive(true);

  if (state_.contest.RoverStation != 0)
    Option6->setChecked(true);
  else
    Option5->setChecked(true);
}

int frmStationID::SelectedContest() const {
  const std::array<QRadioButton*, 5> options = {Option1, Option2, Option3, Option4, Option7};
  for (size_t i = 0; i < options.size(); ++i)
    if (options[i]->isChecked()) return kContestOfOption[i];
  return 0;
}

void frmStationID::Command1_Click() {
  // Every contact carries the own grid and the rover's score counts it: only
  // a real locator (or none yet) is taken, and the window stays open.
  const std::string grid = TrimSpaces(ToLatin1(Text5->text()));
  if (!grid.empty() && !IsValidLocator(grid)) {
    prompter_.Beep();
    prompter_.Message(this, FromLatin1(kOwnGridTitle), FromLatin1(kOwnGridMessage),
                      MessageIcon::kNone);
    Text5->setFocus();
    Text5->selectAll();
    return;
  }
  for (QLineEdit* t : {Text6, Text3, Text2})
    if (!IsNumericText(t->text())) t->setText("0");
  SharedPreferences& shared = state_.shared;
  shared.Set("OWN_CALL", ToLatin1(Text1->text()), false);
  shared.Set("OWN_UTC", ToLatin1(Text6->text()), false);
  shared.Set("OWN_GRID", ToLatin1(Text5->text()), false);
  shared.Set("OWN_LONGITUDE", ToLatin1(Text2->text()), false);
  shared.Set("OWN_LATITUDE", ToLatin1(Text3->text()), true);
  hide();
  done(QDialog::Accepted);
}

void frmStationID::Text6_LostFocus() {
  if (checking_text6_ || IsNumericText(Text6->text())) return;
  // The message box takes the focus too; that must not ask again.
  checking_text6_ = true;
  prompter_.Beep();
  prompter_.Message(this, "Numeric value required.", "Please enter a numeric value!",
                    MessageIcon::kNone);
  Text6->setFocus();
  checking_text6_ = false;
}

bool frmStationID::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (!field) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut && field == Text6) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Only the operator moving on counts as leaving, not another window
    // coming up or this one closing.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
      Text6_LostFocus();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int k = key->key();
  if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    if (field == Text1 || field == Text5 || field == Text6) Command1->click();
    return true;  // the position fields have no default button
  }
  const QString text = key->text();
  if (text.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
    return false;
  const QChar c = text.at(0);
  if (c.unicode() < 32 && c != QChar(8)) return false;  // Tab and the like move on
  if (field == Text6) {
    // Backspace and "-" to "9" in code order: - . / and the digits.
    if (c == QChar(8)) return false;
    return c < QLatin1Char('-') || c > QLatin1Char('9');
  }
  if ((field == Text1 || field == Text5) && c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
    field->insert(QString(QChar(c.unicode() - 32)));
    return true;
  }
  return false;
}

void frmStationID::keyPressEvent(QKeyEvent* event) {
  // There is no Cancel: Esc closes the window as its close box does, which
  // keeps the profile in force.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmStationID::closeEvent(QCloseEvent* event) {
  // Closing without Done keeps the profile: the window shows the values in
  // force again, which is what the caller then takes over.
  Form_Load();
  QDialog::closeEvent(event);
}

StationSetupRefresh TakeStationSetup(const frmStationID& window, RunState& state) {
  StationSetupRefresh refresh;
  ProgramPrefs& prefs = state.prefs;
  ContestState& contest = state.contest;
  const bool was_derived =
      PositionFollowsGrid(prefs.OwnGrid, prefs.OwnLatitude, prefs.OwnLongitude);
  const double shown_latitude = prefs.OwnLatitude, shown_longitude = prefs.OwnLongitude;
  // The profile; an offset that is not a number keeps the one in force.
  prefs.OwnCall = ToLatin1(window.Text1->text());
  prefs.OwnGrid = TrimSpaces(ToLatin1(window.Text5->text()));
  double offset = 0;
  if (IsNumericText(window.Text6->text(), &offset) &&
      std::fabs(offset) <= std::numeric_limits<float>::max())
    prefs.UtcOffsetHours = static_cast<float>(offset);
  // No contest chosen keeps the contest in force.
  if (const int selected = window.SelectedContest(); selected != 0) contest.ContestId = selected;
  contest.RoverStation = window.Option6->isChecked() ? 1 : 0;
  if (IsCqRover(contest.ContestId, contest.RoverStation))
    refresh.list_tooltip = FromLatin1(kRoverFontTooltip);
  refresh.Label30 = FromLatin1(contest.CurrentMode);
  refresh.Label2 = FromLatin1(prefs.OwnCall);
  refresh.Label4 = FromLatin1(prefs.OwnGrid);
  // A coordinate that is not a number counts as 0, which the own grid then
  // fills in; a grid that does not read leaves the position as entered.
  double value = 0;
  prefs.OwnLongitude = IsNumericText(window.Text2->text(), &value) ? value : 0;
  prefs.OwnLatitude = IsNumericText(window.Text3->text(), &value) ? value : 0;
  // A position derived from the grid, left as the window showed it, follows
  // the grid: the rover's bearings and map move with it. One the operator
  // typed stays. A grid that does not read leaves the position as entered.
  if (was_derived && prefs.OwnLatitude == shown_latitude && prefs.OwnLongitude == shown_longitude &&
      LocatorCentre(prefs.OwnGrid)) {
    prefs.OwnLatitude = 0;
    prefs.OwnLongitude = 0;
  }
  OwnPositionFromGrid(prefs.OwnGrid, prefs.OwnLatitude, prefs.OwnLongitude);
  refresh.reload_log = contest.ContestId == kCqContestId;
  return refresh;
}

StationSetupRefresh RunStationSetup(QWidget* parent, RunState& state, Prompter& prompter,
                                    const ScreenGeometry& screen) {
  auto window = std::make_unique<frmStationID>(state, prompter, screen, parent);
  window->exec();
  StationSetupRefresh refresh = TakeStationSetup(*window, state);
  window.reset();
  return refresh;
}

}  // namespace vantrel::ui
