#include "ui/form5.h"
#include "ui/accessible_names.h"

#include "platform/durable_file.h"

namespace vantrel::ui {

namespace {
constexpr int kDesignWidth = 8400;
constexpr int kDesignHeight = 6600;
}  // namespace

Form5::Form5(const std::string& working_directory, const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle("Help Page");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);

  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QPalette p = Text1->palette();
  p.setColor(QPalette::Base, QColor(224, 224, 224));
  p.setColor(QPalette::Text, Qt::black);
  Text1->setPalette(p);
  QFont font = Text1->font();
  font.setStyleHint(QFont::SansSerif);
  Text1->setFont(font);
  design_->Add(Text1, ControlKind::kTextBox, 120, 120, 8160, 5640);

  Command1 = new QPushButton("Close", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  design_->Add(Command1, ControlKind::kButton, 3600, 5910, 1200, 420);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
  NameControls({{Text1, "Help text"}});

  ScaleFormToScreen(*design_, screen);
  Text1->clear();

  const std::string path = working_directory.empty()
                               ? std::string(kHelpFile)
                               : working_directory + "/" + std::string(kHelpFile);
  std::string error;
  if (!ReadWholeFile(path, loaded_, error)) return;  // no help file: an empty page
  // The text box breaks lines at CR LF, LF or CR alike; nothing else changes.
  Text1->setPlainText(QString::fromLatin1(loaded_.data(), static_cast<qsizetype>(loaded_.size())));
}

Form5::~Form5() = default;

void ShowHelpPage(QWidget* parent, const RunState& state, const ScreenGeometry& screen) {
  Form5 window(state.WorkingDirectory, screen, parent);
  window.exec();
}

}  // namespace vantrel::ui
