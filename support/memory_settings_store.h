// Settings kept in memory, for tests and tools that must not touch the
// user's INI file.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "settings/settings_store.h"

namespace vantrel {

class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view fallback) const override {
    auto it = values_.find({std::string(app), std::string(section), std::string(key)});
    return it == values_.end() ? std::string(fallback) : it->second;
  }
  void Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override {
    values_[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace vantrel
