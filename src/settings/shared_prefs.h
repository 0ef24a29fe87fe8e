// SharedUserPreferences.xml: station and address keys shared with the other
// programs of the same vendor. The file is a declaration line followed by one
// <KEY>value</KEY> line per key, kept and edited as plain text: no root
// element, no nesting, no escaping, so the other programs read what they wrote.
//
// Responsibilities: hold the file's text and its save path; set keys; save.
// Collaborations: station setup and the Cabrillo window (which set keys),
// start-up (which loads the file from the shared folder).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kSharedPrefsDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

class SharedPreferences {
 public:
  // Remembers `path` as the save path and reads the file; a file that cannot
  // be read counts as missing and leaves the declaration line alone.
  void Load(const std::string& path);

  // Sets one key (upper-cased) to `value`, stored exactly as given. With
  // `save_now` the file is written too; callers setting several keys save
  // with the last one only. Returns false only when a requested save failed.
  bool Set(std::string_view key, std::string_view value, bool save_now);

  // Writes the text and a final CR LF through a temporary file renamed over
  // the old one. Failures are not reported to the operator; false tells the
  // caller.
  bool Save() const;

  // The value of the first element named `key` (upper-cased), if there is one.
  std::optional<std::string> Get(std::string_view key) const;

  const std::string& text() const { return text_; }
  const std::string& path() const { return path_; }

 private:
  std::string text_{kSharedPrefsDeclaration};
  std::string path_;
};

}  // namespace vantrel
