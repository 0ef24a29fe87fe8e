#include "settings/user_folders.h"

#include <exception>

namespace vantrel {

namespace {

constexpr const char* kAccessErrorTitle = "User Access Directory Error";

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

}  // namespace

std::string JoinPath(std::string_view base, std::string_view sub) {
  while (!sub.empty() && (sub.front() == '/' || sub.front() == '\\')) sub.remove_prefix(1);
  std::string out(base);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  if (!out.empty() && out.back() != '/') out += '/';
  out += sub;
  return out;
}

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

}  // namespace vantrel
