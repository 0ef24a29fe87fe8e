// The settings store as INI files under ~/.config: one file per application
// name, one group per section.
#pragma once

#include <QString>

#include "settings/settings_store.h"

namespace vantrel {

class QtSettingsStore : public SettingsStore {
 public:
  // `folder` overrides the configuration folder (tests); empty means the
  // user's standard one.
  explicit QtSettingsStore(QString folder = {}) : folder_(std::move(folder)) {}

  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view fallback) const override;
  void Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override;

 private:
  QString FilePath(std::string_view app) const;
  QString folder_;
};

}  // namespace vantrel
