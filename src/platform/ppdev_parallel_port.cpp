#include "platform/ppdev_parallel_port.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

namespace vantrel {

std::string ParallelDevicePath(std::uint16_t base, const SettingsStore& settings) {
  char key[16];
  std::snprintf(key, sizeof key, "LPT%X", unsigned(base));
  std::string stored = settings.Get(kSettingsApplication, "Ports", key, "");
  if (!stored.empty()) return stored;
  switch (base) {
    case 0x378:
      return "/dev/parport0";
    case 0x278:
      return "/dev/parport1";
    case 0x3BC:
      return "/dev/parport2";
    default:
      return {};
  }
}

PpdevCalls PpdevCalls::System() {
  PpdevCalls calls;
  calls.open = [](const std::string& path) { return ::open(path.c_str(), O_RDWR | O_CLOEXEC); };
  calls.ioctl = [](int fd, unsigned long request, unsigned char* value) {
    return value ? ::ioctl(fd, request, value) : ::ioctl(fd, request);
  };
  calls.close = [](int fd) { ::close(fd); };
  return calls;
}

PpdevParallelPort::PpdevParallelPort(const SettingsStore& settings, PpdevCalls calls)
    : settings_(settings), calls_(std::move(calls)) {}

PpdevParallelPort::~PpdevParallelPort() {
  for (const auto& [path, fd] : devices_) {
    if (fd < 0) continue;
    calls_.ioctl(fd, PPRELEASE, nullptr);
    calls_.close(fd);
  }
}

int PpdevParallelPort::Device(const std::string& path) {
  auto it = devices_.find(path);
  if (it != devices_.end()) return it->second;
  int fd = calls_.open(path);
  if (fd >= 0 && calls_.ioctl(fd, PPCLAIM, nullptr) != 0) {
    calls_.close(fd);
    fd = -1;
  }
  devices_.emplace(path, fd);
  return fd;
}

const PpdevParallelPort::Route& PpdevParallelPort::RouteFor(std::uint16_t address) {
  auto it = routes_.find(address);
  if (it != routes_.end()) return it->second;
  Route route;
  if (address >= 2) route.path = ParallelDevicePath(address - 2, settings_);
  if (!route.path.empty()) {
    route.request = PPWCONTROL;
  } else if (!(route.path = ParallelDevicePath(address, settings_)).empty()) {
    route.request = PPWDATA;
  }  // else no port there, or the read-only status register
  return routes_.emplace(address, std::move(route)).first->second;
}

void PpdevParallelPort::Write(std::uint16_t address, std::uint8_t value) {
  const Route& route = RouteFor(address);
  if (route.request == 0) return;
  const int fd = Device(route.path);
  if (fd < 0) return;
  unsigned char byte = value;
  calls_.ioctl(fd, route.request, &byte);
}

}  // namespace vantrel
