// Vantrel: VHF/UHF contest logger. The program runs in the folder it was
// started from; that folder holds log.txt and the settings files.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "platform/std_folder_environment.h"
#include "settings/command_line.h"
#include "ui/form1.h"
#include "ui/logo_window.h"
#include "ui/program_start.h"
#include "ui/prompter.h"
#include "ui/run_state.h"
#include "ui/widget_text.h"

int main(int argc, char** argv) {
  using namespace vantrel;
  // Read before QApplication, which needs a display: --help must not.
  CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (command.action) {
    case CommandLine::Action::kHelp:
      std::cout << HelpText();
      return 0;
    case CommandLine::Action::kVersion:
      std::cout << VersionText();
      return 0;
    case CommandLine::Action::kUsageError:
      std::cerr << "vantrel: " << command.error << "\nTry 'vantrel --help' for more information.\n";
      return kUsageExitStatus;
    case CommandLine::Action::kRun:
      break;
  }
  // DIR becomes the working folder, so every file of the log is where the
  // folder rule says, whichever way it was started.
  if (!command.folder.empty()) {
    std::error_code ec;
    std::filesystem::current_path(command.folder, ec);
    if (ec) {
      std::cerr << "vantrel: cannot log in " << command.folder << ": " << ec.message() << "\n";
      return 1;
    }
  }
  std::vector<char*> toolkit_argv{argv[0]};
  for (std::string& arg : command.toolkit_args) toolkit_argv.push_back(arg.data());
  int toolkit_argc = static_cast<int>(toolkit_argv.size());
  toolkit_argv.push_back(nullptr);

  QApplication app(toolkit_argc, toolkit_argv.data());
  QApplication::setApplicationName("Vantrel");
  QApplication::setOrganizationName("QX9ZZ_Software");
  QFont font = QApplication::font();
  font.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  QApplication::setFont(font);

  ui::QtPrompter prompter;
  RunState state;
  const ui::ScreenGeometry screen = ui::ScreenGeometry::Primary();

  StdFolderEnvironment folders;
  folders.set_reporter([&prompter](const std::string& title, const std::string& text) {
    prompter.Message(nullptr, QString::fromLocal8Bit(title.c_str()),
                     QString::fromLocal8Bit(text.c_str()), ui::MessageIcon::kCritical);
  });
  const std::string working_dir = QFile::encodeName(QDir::currentPath()).toStdString();
  // Held until the program ends; a second copy stops here, before any file.
  LogLock lock(working_dir + "/log.txt");
  if (!ui::ClaimWorkingFolder(lock, prompter, working_dir)) return 1;
  ui::PrepareRunState(state, working_dir, folders, ui::LocateDataDirectory().toStdString());

  // The logo shows while the main window loads; it never waits.
  const QString splash = ui::PathText(state.SharedDataDirectory) + "/splash.jpg";
  auto* logo = new ui::LogoWindow(QFileInfo(splash).isFile() ? splash : QString(), screen);
  logo->show();

  ui::Form1 form(state, prompter, screen);
  form.set_terminate_handler([](int) {});
  if (!form.Load() || form.terminate_requested()) return 1;
  form.set_terminate_handler([](int code) { QCoreApplication::exit(code); });
  form.show();
  return QApplication::exec();
}
