#include "platform/std_folder_environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace vantrel {

namespace {

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string StripTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

std::string StdFolderEnvironment::Profile() {
  return GetEnv("HOME");
}

std::string StdFolderEnvironment::MyDocuments() {
  const std::string home = StripTrailingSlashes(Profile());
  if (home.empty()) return {};
  std::string config = GetEnv("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') config = home + "/.config";
  std::ifstream in(std::filesystem::path(config) / "user-dirs.dirs");
  if (!in) return {};
  // Lines read XDG_DOCUMENTS_DIR="$HOME/Documents" or an absolute path;
  // the last assignment wins, as when the shell sources the file.
  std::string result;
  std::string line;
  const std::string_view key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string_view v(line);
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    if (!v.starts_with(key)) continue;
    v.remove_prefix(key.size());
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    if (v.starts_with("$HOME") && (v.size() == 5 || v[5] == '/'))
      result = home + std::string(v.substr(5));
    else if (v.starts_with("/"))
      result = std::string(v);
    else
      result.clear();
  }
  result = StripTrailingSlashes(result);
  if (result == home) return {};
  return result;
}

std::string StdFolderEnvironment::Documents() {
  const std::string home = StripTrailingSlashes(Profile());
  return home.empty() ? std::string() : JoinPath(home, "Documents");
}

std::string StdFolderEnvironment::AppData() {
  std::string data = GetEnv("XDG_DATA_HOME");
  if (!data.empty() && data.front() == '/') {
    data = StripTrailingSlashes(data);
  } else {
    const std::string home = StripTrailingSlashes(Profile());
    if (home.empty()) return {};
    data = JoinPath(home, ".local/share");
  }
  // The per-user data folder is the user's to have; a fresh account may not
  // have it yet, and only its last level would be created below it.
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  return data;
}

std::string StdFolderEnvironment::FallbackBase() {
  const std::string home = StripTrailingSlashes(Profile());
  if (!home.empty()) return JoinPath(home, "Documents");
  // No home at all: the working directory is the one place known to be ours.
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  return ec ? std::string() : JoinPath(cwd.string(), "Documents");
}

bool StdFolderEnvironment::FolderExists(const std::string& path) {
  // Throws on a folder that cannot be examined, which the caller reports.
  return std::filesystem::is_directory(std::filesystem::path(path));
}

bool StdFolderEnvironment::CreateFolder(const std::string& path, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directory(std::filesystem::path(path), ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  return true;
}

void StdFolderEnvironment::Report(const std::string& title, const std::string& text) {
  if (reporter_) {
    reporter_(title, text);
    return;
  }
  std::cerr << title << ": " << text << '\n';
}

}  // namespace vantrel
