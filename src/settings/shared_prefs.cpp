#include "settings/shared_prefs.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vantrel {

namespace {

std::string UpperKey(std::string_view key) {
  std::string out(key);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

void SharedPreferences::Load(const std::string& path) {
  path_ = path;
  text_.assign(kSharedPrefsDeclaration);
  std::string content;
  // Opening a folder succeeds and only the read fails, by throwing.
  try {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return;
  } catch (const std::exception&) {
    return;
  }
  // The last save ended the text with CR LF, and Save adds it back. A file
  // edited by hand may end in a lone LF or none; only a line end is dropped.
  if (content.ends_with("\r\n"))
    content.resize(content.size() - 2);
  else if (content.ends_with('\n') || content.ends_with('\r'))
    content.pop_back();
  // An empty file has nothing to keep; starting it afresh keeps the
  // declaration first.
  if (content.empty()) content.assign(kSharedPrefsDeclaration);
  text_ = std::move(content);
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
  namespace fs = std::filesystem;
  if (path_.empty()) return false;
  const fs::path target(path_);
  fs::path temp = target;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    out.write("\r\n", 2);
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
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
