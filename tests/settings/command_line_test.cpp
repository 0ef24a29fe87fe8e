// The command line is read before any window exists: what each form of it
// asks for, what it hands on to the window toolkit, and what it refuses.
#include "settings/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vantrel {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
  const char* name;
  std::vector<std::string> args;
  Action action;
  std::string folder;
  std::vector<std::string> toolkit_args;
  std::string error_part;  // a part of the error text, for kUsageError
};

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, ActionFolderAndToolkitOptions) {
  const ParseCase& c = GetParam();
  const CommandLine got = ParseCommandLine(c.args);
  EXPECT_EQ(got.action, c.action);
  EXPECT_EQ(got.folder, c.folder);
  EXPECT_EQ(got.toolkit_args, c.toolkit_args);
  if (c.action == Action::kUsageError)
    EXPECT_NE(got.error.find(c.error_part), std::string::npos) << got.error;
  else
    EXPECT_EQ(got.error, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseCommandLineTest,
    ::testing::Values(
        ParseCase{"Nothing", {}, Action::kRun, "", {}, ""},
        ParseCase{"Folder", {"june"}, Action::kRun, "june", {}, ""},
        ParseCase{"Help", {"--help"}, Action::kHelp, "", {}, ""},
        ParseCase{"ShortHelp", {"-h"}, Action::kHelp, "", {}, ""},
        ParseCase{"Version", {"--version"}, Action::kVersion, "", {}, ""},
        ParseCase{"HelpAfterFolder", {"june", "--help"}, Action::kHelp, "june", {}, ""},
        ParseCase{"FirstRequestWins", {"--version", "--help"}, Action::kVersion, "", {}, ""},
        ParseCase{"Unknown", {"--helpme"}, Action::kUsageError, "", {}, "'--helpme'"},
        ParseCase{"UnknownShort", {"-x"}, Action::kUsageError, "", {}, "unrecognized option '-x'"},
        ParseCase{"UnknownBeforeHelp", {"--foo", "--help"}, Action::kUsageError, "", {}, "--foo"},
        ParseCase{"DashDashFolder", {"--", "--help"}, Action::kRun, "--help", {}, ""},
        ParseCase{"DashDashThenFolder", {"--", "june"}, Action::kRun, "june", {}, ""},
        ParseCase{"SingleDashIsAFolder", {"-"}, Action::kRun, "-", {}, ""},
        ParseCase{"TwoFolders", {"june", "sept"}, Action::kUsageError, "", {}, "'sept'"},
        ParseCase{"TwoFoldersAfterDashDash", {"--", "a", "b"}, Action::kUsageError, "", {}, "'b'"},
        ParseCase{"EmptyFolder", {""}, Action::kUsageError, "", {}, "empty"},
        ParseCase{"ToolkitValue",
                  {"-platform", "offscreen", "june"},
                  Action::kRun,
                  "june",
                  {"-platform", "offscreen"},
                  ""},
        ParseCase{"ToolkitTwoDashesAndEquals",
                  {"--style=fusion", "-reverse"},
                  Action::kRun,
                  "",
                  {"--style=fusion", "-reverse"},
                  ""},
        // The value of a toolkit option is never taken for DIR or an option.
        ParseCase{"ToolkitValueLooksLikeOption",
                  {"-title", "--help"},
                  Action::kRun,
                  "",
                  {"-title", "--help"},
                  ""},
        ParseCase{
            "ToolkitValueMissing", {"-platform"}, Action::kUsageError, "", {}, "needs a value"},
        ParseCase{
            "ToolkitFlagWithValue", {"-reverse=1"}, Action::kUsageError, "", {}, "-reverse=1"},
        ParseCase{
            "ToolkitOptionAfterDashDash", {"--", "-reverse"}, Action::kRun, "-reverse", {}, ""}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Roff text back to plain words, enough to compare with the help.
std::string Unroff(std::string line) {
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"\\-", "-"}, {"\\e", "\\"}, {"\\&", ""}}) {
    for (auto at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
      line.replace(at, from.size(), to);
  }
  return line;
}

TEST(HelpText, FitsATerminalAndNamesWhatOperatorsNeed) {
  const std::string help = HelpText();
  for (const std::string& line : Lines(help)) EXPECT_LE(line.size(), 79u) << line;
  for (const char* part : {"Usage: vantrel [OPTION]... [DIR]", "--help", "--version", "log.txt",
                           "BACKUP", "VANTREL_COM<n>", "/dev/ttyUSB0", "current folder"})
    EXPECT_NE(help.find(part), std::string::npos) << part;
  EXPECT_EQ(VersionText().rfind("Vantrel ", 0), 0u);
}

TEST(ManPage, CarriesEveryLineOfTheHelpAndOnlyKnownRequests) {
  std::string man;
  for (const std::string& line : Lines(ManPage())) {
    if (!line.empty() && line.front() == '.') {
      const std::string request = line.substr(0, line.find(' '));
      EXPECT_TRUE(request == ".TH" || request == ".SH" || request == ".TP" || request == ".B")
          << line;
    }
    man += Unroff(line) + "\n";
  }
  // Each help line's text, less its layout, is somewhere in the page.
  for (std::string line : Lines(HelpText())) {
    line.erase(0, line.find_first_not_of(' '));
    if (line.empty() || line.starts_with("Usage:") || line.ends_with(":")) continue;
    const auto gap = line.find("  ");
    if (gap != std::string::npos) {
      EXPECT_NE(man.find(line.substr(0, gap)), std::string::npos) << line;
      line.erase(0, line.find_first_not_of(' ', gap));
    }
    if (line.starts_with("Vantrel, a ")) line.erase(0, 11), line.pop_back();
    EXPECT_NE(man.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace vantrel
