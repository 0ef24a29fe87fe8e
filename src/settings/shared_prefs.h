// SharedUserPreferences.xml: station and address keys shared with the other
// programs of the same vendor. The file is a declaration line followed by one
// <KEY>value</KEY> line per key, kept and edited as plain text: no root
// element, no nesting, no escaping, so the other programs read what they wrote.
//
// Responsibilities: hold the file's text; set and get keys; give the bytes
// to write. Text only: reading and the durable rewrite belong to the
// platform layer (platform/shared_prefs_file), which installs the saver.
// Collaborations: station setup and the Cabrillo window (which set keys),
// start-up (which loads the file from the shared folder).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kSharedPrefsDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

class SharedPreferences {
 public:
  // Writes the whole file: receives FileText(), true when it is on disk.
  using Saver = std::function<bool(std::string_view file_text)>;

  // Takes the content of the file as read. An empty text (a missing,
  // unreadable or empty file) leaves the declaration line alone; the CR LF
  // the last save put after the text is dropped.
  void Parse(std::string_view file_text);

  // The bytes of the file: the text and a final CR LF.
  std::string FileText() const;

  void set_saver(Saver saver) { saver_ = std::move(saver); }

  // Sets one key (upper-cased) to `value`, stored exactly as given. With
  // `save_now` the file is written too; callers setting several keys save
  // with the last one only. Returns false only when a requested save failed.
  bool Set(std::string_view key, std::string_view value, bool save_now);

  // Hands FileText() to the saver. Failures are not reported to the
  // operator; false tells the caller (also when there is no saver).
  bool Save() const;

  // The value of the first element named `key` (upper-cased), if there is one.
  std::optional<std::string> Get(std::string_view key) const;

  const std::string& text() const { return text_; }

 private:
  std::string text_{kSharedPrefsDeclaration};
  Saver saver_;
};

}  // namespace vantrel
