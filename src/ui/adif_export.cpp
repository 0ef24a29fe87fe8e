#include "ui/adif_export.h"

#include <QFile>
#include <QFileDialog>
#include <QLocale>

#include "export/adif.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

// Data files are 8-bit text; what cannot be said in Latin-1 becomes "?".
std::string ToLatin1(const QString& text) {
  return text.toLatin1().toStdString();
}

QString Ask(QWidget* parent, Prompter& prompter, const QString& title, const QString& prompt,
            const QString& initial = {}) {
  return prompter.Input(parent, title, prompt, initial).value_or(QString());
}

}  // namespace

SaveFileHook QtSaveFileDialog() {
  return [](QWidget* parent, const QString& proposed_path, const QString& filter) {
    // QFileDialog confirms an overwrite by default.
    return QFileDialog::getSaveFileName(parent, QString(), proposed_path, filter);
  };
}

bool WriteExportFile(QWidget* parent, Prompter& prompter, const QString& path,
                     const std::string& bytes) {
  std::string error;
  if (ReplaceFileAtomically(QFile::encodeName(path).toStdString(), bytes, error)) return true;
  prompter.Beep();
  prompter.Message(parent, "Unable to write file.", QString::fromLocal8Bit(error),
                   MessageIcon::kCritical);
  return false;
}

bool mnuExportADIF(QWidget* parent, const RunState& state, Prompter& prompter,
                   const AdifExportHooks& hooks) {
  AdifAnswers answers;
  answers.power = ToLatin1(
      Ask(parent, prompter, "Please enter your transmitter output power.",
          "Please enter the power value that you would like to record.  This is an optional value "
          "that will be included in each QSO record and displayed in Brindle's power output "
          "column."));
  answers.phone_mode = ToLatin1(
      Ask(parent, prompter, "Phone Mode?", "Please enter your phone mode.", "SSB").toUpper());
  answers.comment = ToLatin1(
      Ask(parent, prompter, "Please enter a comment.",
          "Please enter a comment that you would like to appear on each QSO record.  This is an "
          "optional description that will be displayed in Brindle's Comments column.",
          Latin1(DefaultAdifComment(state.prefs.ContestId))));

  const SaveFileHook choose = hooks.choose_file ? hooks.choose_file : QtSaveFileDialog();
  // Folder names are the system's file-name bytes, not log text.
  const QString proposed = QFile::decodeName(state.UserDataDirectory.c_str()) + "/VHF.adi";
  const QString path = choose(parent, proposed, "ADIF Files (*.adi)");
  if (path.isEmpty()) return false;

  AdifHeader header;
  header.MainCaption =
      ToLatin1(hooks.main_caption.isEmpty() ? Form1::Caption() : hooks.main_caption);
  const QDateTime now = hooks.now ? hooks.now() : QDateTime::currentDateTime();
  header.ExportedOn = ToLatin1(QLocale::system().toString(now, QLocale::ShortFormat));

  if (!WriteExportFile(parent, prompter, path, FormatAdif(state.log, header, answers)))
    return false;
  // The message names VHF.adi whatever name was chosen; the path tells the truth.
  prompter.Message(parent, "File Written Successfully.",
                   "The file VHF.adi was successfully written to the directory:\n\n" + path + ".",
                   MessageIcon::kInformation);
  return true;
}

}  // namespace vantrel::ui
