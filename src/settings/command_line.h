// The command line: which folder to log in, or a request for the help or
// the version. Read before the window system is touched, so --help works
// without a display; the help text and the man page come from one source.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

// Exit status for a command line the program cannot follow.
inline constexpr int kUsageExitStatus = 2;

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  std::string folder;                     // DIR; empty means the current folder
  std::vector<std::string> toolkit_args;  // the window toolkit's own options, in order
  std::string error;                      // one line, for kUsageError
};

// `args` excludes the program name. Options are read in order and the first
// help, version or error decides; "--" makes every later word a DIR.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();
// The same text as HelpText() as a roff man page, with no date in it, so a
// rebuild gives the same bytes.
std::string ManPage();

}  // namespace vantrel
