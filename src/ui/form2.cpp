#include "ui/form2.h"
#include "ui/accessible_names.h"

#include <QFile>
#include <QValidator>
#include <array>

#include "common/text.h"
#include "contest/bands.h"
#include "export/export_text.h"
#include "ui/form1.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

// Design geometry in twips: option frames on the left, the texts on the right.
constexpr int kDesignWidth = 9120;
constexpr int kDesignHeight = 6720;
constexpr int kFrameLeft = 120;
constexpr int kFrameWidth = 3000;
constexpr int kOptionLeft = 120;
constexpr int kOptionWidth = 2760;
constexpr int kOptionHeight = 255;
constexpr int kTextLeft = 3360;
constexpr int kTextWidth = 5640;
constexpr int kLabelHeight = 240;
constexpr int kTextHeight = 315;

// Section abbreviations are upper case; only a..z are changed, as typed.
class UpperCaseLetters : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& c : input)
      if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return Acceptable;
  }
};

std::string ToLatin1(const QString& text) {
  return text.toLatin1().toStdString();
}

struct RememberedField {
  QLineEdit* Form2::*box;
  const char* registry_key;
  const char* shared_key;
};

// The order is the order of storing: registry first, then shared preferences.
constexpr std::array<RememberedField, 6> kRemembered = {{
    {&Form2::Text5, "UserAddressName", "OWN_ADDRESS_NAME"},
    {&Form2::Text6, "UserAddressLine1", "OWN_ADDRESS_Line1"},
    {&Form2::Text7, "UserAddressLine2", "OWN_ADDRESS_Line2"},
    {&Form2::Text8, "UserEMail", "OWN_EMAIL"},
    {&Form2::Text1, "UserARRLSection", "OWN_ARRL_SECTION"},
    {&Form2::Text10, "UserClubName", "OWN_CLUB_NAME"},
}};

}  // namespace

Form2::Form2(Context context, const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  setObjectName("Form2");
  setWindowTitle("Summary Sheet Information");
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  Form_Load(screen);
}

Form2::~Form2() = default;

QGroupBox* Form2::AddFrame(const char* name, const QString& caption, int left, int top, int width,
                           int height) {
  auto* frame = new QGroupBox(caption, this);
  frame->setObjectName(name);
  design_->Add(frame, ControlKind::kFrame, left, top, width, height);
  return frame;
}

QRadioButton* Form2::AddOption(QGroupBox* frame, const char* name, const QString& caption,
                               int top) {
  auto* option = new QRadioButton(caption, frame);
  option->setObjectName(name);
  design_->Add(option, ControlKind::kOptionButton, kOptionLeft, top, kOptionWidth, kOptionHeight);
  return option;
}

QLabel* Form2::AddLabel(const char* name, const QString& caption, int top) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(name);
  design_->Add(label, ControlKind::kLabel, kTextLeft, top, kTextWidth, kLabelHeight);
  return label;
}

QLineEdit* Form2::AddTextBox(const char* name, int top, int width) {
  auto* box = new QLineEdit(this);
  box->setObjectName(name);
  design_->Add(box, ControlKind::kTextBox, kTextLeft, top, width, kTextHeight);
  return box;
}

void Form2::BuildControls() {
  // Option tops are relative to their frame, as the frame is their parent.
  Frame3 = AddFrame("Frame3", "Operator:", kFrameLeft, 120, kFrameWidth, 2160);
  Option1 = AddOption(Frame3, "Option1", "Single", 300);
  Option2 = AddOption(Frame3, "Option2", "Single Op Portable", 600);
  Option3 = AddOption(Frame3, "Option3", "Rover", 900);
  Option6 = AddOption(Frame3, "Option6", "Multi-Limited", 1200);
  Option7 = AddOption(Frame3, "Option7", "Multi-Unlimited", 1500);
  Option4 = AddOption(Frame3, "Option4", "Checklog", 1800);
  Option1->setChecked(true);

  Frame1 = AddFrame("Frame1", "Band Category:", kFrameLeft, 2400, kFrameWidth, 1560);
  Option8 = AddOption(Frame1, "Option8", "All", 300);
  Option5 = AddOption(Frame1, "Option5", "Limited", 600);
  Option12 = AddOption(Frame1, "Option12", "3 Band", 900);
  Option13 = AddOption(Frame1, "Option13", "FM Only", 1200);
  Option8->setChecked(true);

  Frame6 =
      AddFrame("Frame6", "Power Category (Single Op Only):", kFrameLeft, 4080, kFrameWidth, 960);
  Option18 = AddOption(Frame6, "Option18", "High", 300);
  Option19 = AddOption(Frame6, "Option19", "Low", 600);
  Option19->setChecked(true);

  Frame2 = AddFrame("Frame2", "Mode:", kFrameLeft, 5160, kFrameWidth, 1260);
  Option11 = AddOption(Frame2, "Option11", "Mixed", 300);
  Option10 = AddOption(Frame2, "Option10", "CW", 600);
  Option9 = AddOption(Frame2, "Option9", "SSB", 900);
  Option11->setChecked(true);

  Label1 = AddLabel("Label1", "Your ARRL/RAC Section Abbreviation:", 120);
  Text1 = AddTextBox("Text1", 360, 1200);
  Text1->setValidator(new UpperCaseLetters(Text1));
  Label2 = AddLabel("Label2", "If multioperator, list calls of all operators:", 780);
  Text2 = AddTextBox("Text2", 1020, kTextWidth);
  Label11 = AddLabel("Label11", "Club Name (if club participation):", 1440);
  Text10 = AddTextBox("Text10", 1680, kTextWidth);
  Label6 = AddLabel("Label6", "Your Name:", 2100);
  Text5 = AddTextBox("Text5", 2340, kTextWidth);
  Label9 = AddLabel("Label9", "Address Line 1:", 2760);
  Text6 = AddTextBox("Text6", 3000, kTextWidth);
  Label8 = AddLabel("Label8", "Address Line 2:", 3420);
  Text7 = AddTextBox("Text7", 3660, kTextWidth);
  Label7 = AddLabel("Label7", "Email Address:", 4080);
  Text8 = AddTextBox("Text8", 4320, kTextWidth);
  Label12 = AddLabel("Label12",
                     "Soapbox (Add any comments you would like to make about the contest):", 4740);
  Text11 = AddTextBox("Text11", 4980, kTextWidth);

  Command4 = new QPushButton("Write Cabrillo Log File", this);
  Command4->setObjectName("Command4");
  Command4->setAutoDefault(false);
  design_->Add(Command4, ControlKind::kButton, kTextLeft, 5760, 3000, 495);
  Command3 = new QPushButton("Done", this);
  Command3->setObjectName("Command3");
  Command3->setAutoDefault(false);
  design_->Add(Command3, ControlKind::kButton, kTextLeft + 3240, 5760, 2400, 495);

  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

  // Each field is read by its caption above it.
  NameControls({{Text1, {}, {}, Label1},
                {Text2, {}, {}, Label2},
                {Text10, {}, {}, Label11},
                {Text5, {}, {}, Label6},
                {Text6, {}, {}, Label9},
                {Text7, {}, {}, Label8},
                {Text8, {}, {}, Label7},
                {Text11, {}, {}, Label12}});
}

void Form2::Form_Load(const ScreenGeometry& screen) {
  ScaleFormToScreen(*design_, screen);
  const ProgramPrefs& prefs = context_.state.prefs;
  if (prefs.RoverStation == 1) Option3->setChecked(true);
  if (prefs.ContestId == kCqContestId) {
    Option1->setText("Single Op");
    Option2->setText("Single Op QRP");
    Option3->setText("Single Op 6M");
    Option6->setText("Single Op 2M");
    Option7->setText("Multi Op");
    Option4->setText("Rover");
    Label1->hide();
    Text1->hide();
    if (prefs.RoverStation == 1) Option4->setChecked(true);
    Frame6->setTitle("Category Assisted:");
    Option19->setText("ASSISTED");
    Option18->setText("NON-ASSISTED");
    Option18->setChecked(true);
    Frame1->setEnabled(false);
    Option8->setEnabled(false);
    Option5->setEnabled(false);
  }
  for (const RememberedField& field : kRemembered) {
    (this->*field.box)
        ->setText(Latin1(
            context_.settings.Get(kSettingsApplication, kSettingsSection, field.registry_key, "")));
  }
}

CabrilloSheet Form2::Sheet() const {
  CabrilloSheet sheet;
  if (Option2->isChecked())
    sheet.op = OperatorChoice::Option2;
  else if (Option3->isChecked())
    sheet.op = OperatorChoice::Option3;
  else if (Option6->isChecked())
    sheet.op = OperatorChoice::Option6;
  else if (Option7->isChecked())
    sheet.op = OperatorChoice::Option7;
  else if (Option4->isChecked())
    sheet.op = OperatorChoice::Option4;
  if (Option5->isChecked())
    sheet.band = BandChoice::Option5;
  else if (Option12->isChecked())
    sheet.band = BandChoice::Option12;
  else if (Option13->isChecked())
    sheet.band = BandChoice::Option13;
  sheet.power = Option18->isChecked() ? PowerChoice::Option18 : PowerChoice::Option19;
  sheet.Section = ToLatin1(Text1->text());
  sheet.Operators = ToLatin1(Text2->text());
  sheet.Club = ToLatin1(Text10->text());
  sheet.Name = ToLatin1(Text5->text());
  sheet.Address1 = ToLatin1(Text6->text());
  sheet.Address2 = ToLatin1(Text7->text());
  sheet.Email = ToLatin1(Text8->text());
  sheet.Soapbox = ToLatin1(Text11->text());
  return sheet;
}

QString Form2::ProposedPath() const {
  // Folder names are the system's file-name bytes, not log text.
  return QFile::decodeName(context_.state.UserDataDirectory.c_str()) + "/" +
         Latin1(CallForFileName(context_.state.prefs.OwnCall)) + ".log";
}

void Form2::Command4_Click() {
  RunState& state = context_.state;
  state.prefs.OwnCall = std::string(TrimBlanks(state.prefs.OwnCall));
  const SaveFileHook choose = context_.choose_file ? context_.choose_file : QtSaveFileDialog();
  const QString path = choose(this, ProposedPath(), "ADIF Files (*.log)");
  if (path.isEmpty()) return;

  CabrilloStation station;
  station.OwnCall = state.prefs.OwnCall;
  station.ContestId = state.prefs.ContestId;
  station.MainCaption =
      ToLatin1(context_.main_caption.isEmpty() ? Form1::Caption() : context_.main_caption);
  station.ClaimedScore = ToLatin1(context_.claimed_score);
  if (!WriteExportFile(this, context_.prompter, path, FormatCabrillo(state.log, station, Sheet())))
    return;

  const QString base = Latin1(CallForFileName(state.prefs.OwnCall));
  context_.prompter.Message(
      this, "File Written Successfully.",
      "The file " + base + ".log was successfully written to the directory:\n\n" + path +
          ".\n\nAttach this file to an e-mail addressed for contest submission.  If you wish to "
          "print this file, you can open it with Notepad or Wordpad to print.",
      MessageIcon::kInformation);
  context_.prompter.Message(
      this, "  Thanks!",
      "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a friend!",
      MessageIcon::kInformation);
  Command3->setFocus();
  StoreRememberedFields();
}

void Form2::StoreRememberedFields() {
  for (const RememberedField& field : kRemembered) {
    context_.settings.Save(kSettingsApplication, kSettingsSection, field.registry_key,
                           TrimBlanks(ToLatin1((this->*field.box)->text())));
  }
  for (size_t i = 0; i < kRemembered.size(); ++i) {
    const RememberedField& field = kRemembered[i];
    // One file write, with the last key.
    context_.state.shared.Set(field.shared_key, TrimBlanks(ToLatin1((this->*field.box)->text())),
                              i + 1 == kRemembered.size());
  }
}

void Form2::Command3_Click() {
  hide();
  done(QDialog::Accepted);
}

void mnuWriteSumm(QWidget* parent, const Form2::Context& context, const ScreenGeometry& screen) {
  auto form = std::make_unique<Form2>(context, screen, parent);
  form->exec();
}

}  // namespace vantrel::ui
