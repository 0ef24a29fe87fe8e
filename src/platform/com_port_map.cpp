#include "platform/com_port_map.h"

#include <cstdlib>

namespace vantrel {

namespace {
constexpr std::string_view kPortsSection = "Ports";

std::string Key(int number) {
  return "COM" + std::to_string(number);
}
}  // namespace

EnvironmentLookup ProcessEnvironment() {
  return [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  };
}

ComPortMap::ComPortMap(SettingsStore& settings, EnvironmentLookup environment)
    : settings_(settings), environment_(std::move(environment)) {}

std::string ComPortMap::EnvironmentName(int number) {
  return "VANTREL_" + Key(number);
}

std::string ComPortMap::DefaultPath(int number) {
  if (number < 1) return {};
  return "/dev/ttyS" + std::to_string(number - 1);
}

std::optional<std::string> ComPortMap::EnvironmentOverride(int number) const {
  if (number < 1 || !environment_) return std::nullopt;
  auto value = environment_(EnvironmentName(number));
  if (value && value->empty()) return std::nullopt;
  return value;
}

std::string ComPortMap::Stored(int number) const {
  if (number < 1) return {};
  return settings_.Get(kSettingsApplication, kPortsSection, Key(number), "");
}

void ComPortMap::Store(int number, std::string_view path) {
  if (number < 1) return;
  settings_.Save(kSettingsApplication, kPortsSection, Key(number), path);
}

std::string ComPortMap::DevicePath(int number) const {
  if (number < 1) return {};
  if (auto env = EnvironmentOverride(number)) return *env;
  std::string stored = Stored(number);
  return stored.empty() ? DefaultPath(number) : stored;
}

}  // namespace vantrel
