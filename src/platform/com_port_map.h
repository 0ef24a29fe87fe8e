// Which device a COM port number stands for. The environment variable
// VANTREL_COM<n> wins (a quick override for one run), then the settings key
// Ports/COM<n> that the "Serial Ports" window edits, then /dev/ttyS<n-1>.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace vantrel {

// Value of an environment variable; nothing when unset or empty.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
EnvironmentLookup ProcessEnvironment();

inline constexpr int kMaxComPort = 10;

class ComPortMap {
 public:
  explicit ComPortMap(SettingsStore& settings,
                      EnvironmentLookup environment = ProcessEnvironment());

  // The device to open for COM<number>; empty for numbers below 1.
  std::string DevicePath(int number) const;

  std::optional<std::string> EnvironmentOverride(int number) const;
  // The stored mapping; empty when none is stored.
  std::string Stored(int number) const;
  // Stores `path`; empty text removes the mapping.
  void Store(int number, std::string_view path);

  static std::string DefaultPath(int number);
  static std::string EnvironmentName(int number);

 private:
  SettingsStore& settings_;
  EnvironmentLookup environment_;
};

}  // namespace vantrel
