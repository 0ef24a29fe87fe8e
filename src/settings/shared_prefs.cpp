#include "settings/shared_prefs.h"

namespace vantrel {

namespace {

std::string UpperKey(std::string_view key) {
  std::string out(key);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

void SharedPreferences::Parse(std::string_view file_text) {
  std::string content(file_text);
  // The last save ended the text with CR LF, and FileText adds it back. A
  // file edited by hand may end in a lone LF or none; only a line end is dropped.
  if (content.ends_with("\r\n"))
    content.resize(content.size() - 2);
  else if (content.ends_with('\n') || content.ends_with('\r'))
    content.pop_back();
  // An empty file has nothing to keep; starting it afresh keeps the
  // declaration first.
  if (content.empty()) content.assign(kSharedPrefsDeclaration);
  text_ = std::move(content);
}

std::string SharedPreferences::FileText() const {
  return text_ + "\r\n";
}

bool SharedPreferences::Set(std::string_view key, std::string_view value, bool save_now) {
  const std::string name = UpperKey(key);
  const std::string open = "<" + name + ">";
  const std::string close = "</" + name + ">";
  const size_t start = text_.find(open);
  if (start != std::string::npos) {
    const size_t from = start + open.size();
    size_t to = text_.find(close, from);
    if (to != std::string::npos) {
      text_.replace(from, to - from, value);
    } else {
      // An element cut short (by hand editing): the rest of its line is
      // taken as the old value, and the closing tag is restored.
      to = text_.find_first_of("\r\n", from);
      if (to == std::string::npos) to = text_.size();
      text_.replace(from, to - from, std::string(value) + close);
    }
  } else {
    text_ += "\r\n";
    text_ += open;
    text_ += value;
    text_ += close;
  }
  return save_now ? Save() : true;
}

bool SharedPreferences::Save() const {
  return saver_ && saver_(FileText());
}

std::optional<std::string> SharedPreferences::Get(std::string_view key) const {
  const std::string name = UpperKey(key);
  const std::string open = "<" + name + ">";
  const size_t start = text_.find(open);
  if (start == std::string::npos) return std::nullopt;
  const size_t from = start + open.size();
  const size_t to = text_.find("</" + name + ">", from);
  if (to == std::string::npos) return std::nullopt;
  return text_.substr(from, to - from);
}

}  // namespace vantrel
