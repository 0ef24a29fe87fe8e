#include "settings/user_folders.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace vantrel {

namespace {

constexpr const char* kAccessErrorTitle = "User Access Directory Error";

std::string JoinPath(std::string_view base, std::string_view sub) {
  while (!sub.empty() && (sub.front() == '/' || sub.front() == '\\')) sub.remove_prefix(1);
  std::string out(base);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  if (!out.empty() && out.back() != '/') out += '/';
  out += sub;
  return out;
}

// Lets a platform failure (a thrown exception) in the exists check propagate,
// so ResolveVendorFolder can report it under its own title.
bool EnsureFolderOrThrow(FolderEnvironment& env, const std::string& path, bool report_failures) {
  if (path.empty()) {
    env.Report("Unable to Create Directory", "Invalid Path");
    return false;
  }
  if (env.FolderExists(path)) return true;
  std::string error;
  if (env.CreateFolder(path, error)) return true;
  if (report_failures) env.Report("Unable to create directory.", error + "  " + path);
  return false;
}

// Runs one step of ResolveVendorFolder; a failure is shown and the procedure
// goes on with `fallback` as the step's result.
template <typename Fn, typename T>
T Step(FolderEnvironment& env, Fn&& fn, T fallback) {
  try {
    return fn();
  } catch (const std::exception& e) {
    try {
      env.Report(kAccessErrorTitle, e.what());
    } catch (...) {
    }
  } catch (...) {
    try {
      env.Report(kAccessErrorTitle, "Unknown error");
    } catch (...) {
    }
  }
  return fallback;
}

std::string GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string StripTrailingSlashes(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

std::string ResolveVendorFolder(FolderEnvironment& env, std::string_view vendor,
                                std::string_view program) {
  auto ensure = [&env](const std::string& path, bool report) {
    return Step(
        env, [&] { return EnsureFolderOrThrow(env, path, report); }, false);
  };
  auto exists = [&env](const std::string& path) {
    return Step(
        env, [&] { return env.FolderExists(path); }, false);
  };
  auto get = [&env](std::string (FolderEnvironment::*fn)()) {
    return Step(
        env, [&] { return (env.*fn)(); }, std::string());
  };
  auto vendor_under = [&](const std::string& base) {
    const std::string vendor_path = JoinPath(base, vendor);
    ensure(vendor_path, true);
    ensure(JoinPath(vendor_path, program), true);
    return vendor_path;
  };

  const std::string profile = get(&FolderEnvironment::Profile);
  if (profile.empty()) {
    const std::string base = get(&FolderEnvironment::FallbackBase);
    ensure(base, true);
    return vendor_under(base);
  }

  // An empty "My Documents" means the platform has no such folder; making
  // one would only litter the profile.
  const std::string my_documents = get(&FolderEnvironment::MyDocuments);
  if (!my_documents.empty()) {
    if (ensure(my_documents, false)) return vendor_under(my_documents);
  }

  const std::string documents = get(&FolderEnvironment::Documents);
  if (!documents.empty() && exists(documents)) return vendor_under(documents);

  // Neither documents folder: the profile gets the folders too (other
  // programs of the vendor look there), but the answer is application data.
  vendor_under(profile);
  return vendor_under(get(&FolderEnvironment::AppData));
}

bool EnsureFolder(FolderEnvironment& env, const std::string& path, bool report_failures) {
  try {
    return EnsureFolderOrThrow(env, path, report_failures);
  } catch (const std::exception& e) {
    if (report_failures) {
      try {
        env.Report("Unable to create directory.", std::string(e.what()) + "  " + path);
      } catch (...) {
      }
    }
  } catch (...) {
  }
  return false;
}

std::string CallForFileName(std::string_view text) {
  size_t n = 0;
  while (n < text.size() &&
         ((text[n] >= '0' && text[n] <= '9') || (text[n] >= 'A' && text[n] <= 'Z')))
    ++n;
  if (n == 0) return "YourCall";
  return std::string(text.substr(0, n));
}

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
