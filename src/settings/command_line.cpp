#include "settings/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <string_view>

#ifndef VANTREL_VERSION
#define VANTREL_VERSION "0"
#endif

namespace vantrel {

namespace {

// Options the window toolkit reads itself; they are passed on so that, for
// example, `vantrel -platform offscreen` keeps working.
struct ToolkitOption {
  std::string_view name;
  bool takes_value;
};
constexpr std::array kToolkitOptions{
    ToolkitOption{"platform", true},
    ToolkitOption{"platformpluginpath", true},
    ToolkitOption{"platformtheme", true},
    ToolkitOption{"plugin", true},
    ToolkitOption{"qwindowgeometry", true},
    ToolkitOption{"geometry", true},
    ToolkitOption{"qwindowtitle", true},
    ToolkitOption{"title", true},
    ToolkitOption{"qwindowicon", true},
    ToolkitOption{"icon", true},
    ToolkitOption{"session", true},
    ToolkitOption{"display", true},
    ToolkitOption{"name", true},
    ToolkitOption{"style", true},
    ToolkitOption{"stylesheet", true},
    ToolkitOption{"reverse", false},
    ToolkitOption{"widgetcount", false},
    ToolkitOption{"nograb", false},
    ToolkitOption{"dograb", false},
    ToolkitOption{"sync", false},
};

// The toolkit accepts its options with one dash or two, and a value either
// as the next word or after "=".
const ToolkitOption* FindToolkitOption(std::string_view arg, bool& value_attached) {
  arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
  const auto eq = arg.find('=');
  value_attached = eq != std::string_view::npos;
  const std::string_view name = arg.substr(0, eq);
  for (const auto& option : kToolkitOptions)
    if (option.name == name && (option.takes_value || !value_attached)) return &option;
  return nullptr;
}

CommandLine Error(std::string text) {
  CommandLine result;
  result.action = CommandLine::Action::kUsageError;
  result.error = std::move(text);
  return result;
}

// One source for --help and the man page. Texts are broken into lines for
// the terminal; roff refills them.
struct Entry {
  std::string_view term;
  std::string_view text;
};
struct Section {
  std::string_view title;
  std::string_view intro;
  std::span<const Entry> entries;
};

constexpr std::string_view kName = "vantrel";
constexpr std::string_view kSummary = "contest logger for the North-American VHF/UHF contests";
constexpr std::string_view kSynopsis = "[OPTION]... [DIR]";

constexpr std::array kOptions{
    Entry{"-h, --help", "show this help and end"},
    Entry{"--version", "show the version and end"},
    Entry{"--", "take what follows as DIR, even when it begins\nwith \"-\""},
};
constexpr std::array kFiles{
    Entry{"DIR/log.txt", "the contacts, each one on disk as it is logged"},
    Entry{"DIR/vhfpref.txt", "station, contest and window settings of this log"},
    Entry{
        "~/.config/QX9ZZ_Software.ini",
        "program settings: the radio, the serial ports and\nothers kept from one log to the next"},
    Entry{"DOCS/QX9ZZ Software/VHF/BACKUP",
          "backups and archives of the log; DOCS is the XDG\ndocuments folder, else "
          "~/Documents, else\n~/.local/share"},
    Entry{"PREFIX/share/vantrel", "the default data files for a fresh folder"},
};
constexpr std::array kEnvironment{
    Entry{"VANTREL_COM<n>",
          "the device of serial port n, e.g.\nVANTREL_COM1=/dev/ttyUSB0; when unset, the one "
          "chosen\nin the \"Serial Ports\" window, else /dev/ttyS<n-1>"},
    Entry{"VANTREL_DATA_DIR",
          "a folder of default data files to use instead of\nthe installed ones"},
};
constexpr std::array kExit{
    Entry{"0", "the program ended normally"},
    Entry{"1", "the folder or its log could not be used"},
    Entry{"2", "the command line was wrong"},
};

constexpr std::string_view kDescription =
    "Vantrel logs in one folder: DIR when it is given, else the current folder.\n"
    "That folder holds log.txt, vhfpref.txt and the other files of one contest,\n"
    "so keep each contest in a folder of its own. In a folder that holds neither\n"
    "vhfpref.txt nor log.txt, the default data files are copied in first. Only\n"
    "one copy of Vantrel at a time can use a folder.";

const std::array kSections{
    Section{"Options", "The window toolkit's own options (-platform, -style ...) pass on.",
            kOptions},
    Section{"Files", "", kFiles},
    Section{"Environment", "", kEnvironment},
    Section{"Exit status", "", kExit},
};

constexpr std::size_t kTermColumn = 24;

std::string Upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

// Escapes a line of text for roff: backslashes, hyphens (so they stay
// minus signs that can be searched for) and a leading control character.
std::string Roff(std::string_view text) {
  std::string out;
  if (!text.empty() && (text.front() == '.' || text.front() == '\'')) out += "\\&";
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  bool operands_only = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool is_option = !operands_only && arg.size() > 1 && arg.front() == '-';
    if (!is_option) {
      if (arg.empty()) return Error("the folder name is empty");
      if (!result.folder.empty())
        return Error("only one folder can be given, not also '" + arg + "'");
      result.folder = arg;
      continue;
    }
    if (arg == "--") {
      operands_only = true;
    } else if (arg == "-h" || arg == "--help") {
      result.action = CommandLine::Action::kHelp;
      return result;
    } else if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
      return result;
    } else {
      bool value_attached = false;
      const ToolkitOption* option = FindToolkitOption(arg, value_attached);
      if (!option) return Error("unrecognized option '" + arg + "'");
      result.toolkit_args.push_back(arg);
      if (option->takes_value && !value_attached) {
        if (i + 1 == args.size()) return Error("option '" + arg + "' needs a value");
        result.toolkit_args.push_back(args[++i]);
      }
    }
  }
  return result;
}

std::string VersionText() {
  return "Vantrel " VANTREL_VERSION "\n";
}

std::string HelpText() {
  std::string out = "Usage: " + std::string(kName) + " " + std::string(kSynopsis) + "\n";
  out += "Vantrel, a " + std::string(kSummary) + ".\n\n";
  out += std::string(kDescription) + "\n";
  for (const Section& section : kSections) {
    out += "\n" + std::string(section.title) + ":\n";
    if (!section.intro.empty()) out += "  " + std::string(section.intro) + "\n";
    for (const Entry& entry : section.entries) {
      std::string line = "  " + std::string(entry.term);
      // A long term puts its text on the next line, as GNU tools do.
      line += line.size() + 2 > kTermColumn ? "\n" + std::string(kTermColumn, ' ')
                                            : std::string(kTermColumn - line.size(), ' ');
      for (char c : entry.text) {
        line += c;
        if (c == '\n') line += std::string(kTermColumn, ' ');
      }
      out += line + "\n";
    }
  }
  return out;
}

std::string ManPage() {
  auto lines = [](std::string_view text) {
    std::string out;
    while (!text.empty()) {
      const auto nl = text.find('\n');
      out += Roff(text.substr(0, nl)) + "\n";
      text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    }
    return out;
  };
  std::string out = ".TH " + Upper(kName) + " 1 \"\" \"" + Roff("Vantrel " VANTREL_VERSION) +
                    "\" \"User Commands\"\n";
  out += ".SH NAME\n" + std::string(kName) + " \\- " + Roff(kSummary) + "\n";
  out += ".SH SYNOPSIS\n.B " + std::string(kName) + "\n" + Roff(kSynopsis) + "\n";
  out += ".SH DESCRIPTION\n" + lines(kDescription);
  for (const Section& section : kSections) {
    out += ".SH " + Upper(section.title) + "\n";
    if (!section.intro.empty()) out += lines(section.intro);
    for (const Entry& entry : section.entries)
      out += ".TP\n.B " + Roff(entry.term) + "\n" + lines(entry.text);
  }
  return out;
}

}  // namespace vantrel
