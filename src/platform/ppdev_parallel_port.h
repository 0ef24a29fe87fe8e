// The printer port through the kernel's ppdev driver, so keying needs neither
// root nor raw port I/O. Users still name the port by its I/O address:
// &H378 is /dev/parport0, &H278 /dev/parport1, &H3BC /dev/parport2, and any
// base can be mapped (or remapped) with the settings key Ports/LPT<hex base>,
// e.g. Ports/LPT2F8 = /dev/parport3.
//
// A byte for base + 2 goes to the control register (PPWCONTROL), one for the
// base to the data register (PPWDATA). ppdev passes only the four output
// lines of the control register (strobe, auto feed, init, select); the
// interrupt and direction bits are the driver's. Without the device, or when
// another program holds it, writes do nothing and report nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "common/ports.h"
#include "settings/settings_store.h"

namespace vantrel {

// The device for the port at `base`; empty when none is known.
std::string ParallelDevicePath(std::uint16_t base, const SettingsStore& settings);

// The system calls the port makes, replaceable because no test machine has
// a printer port.
struct PpdevCalls {
  std::function<int(const std::string& path)> open;  // a descriptor, or -1
  std::function<int(int fd, unsigned long request, unsigned char* value)> ioctl;
  std::function<void(int fd)> close;
  static PpdevCalls System();
};

class PpdevParallelPort : public ParallelPort {
 public:
  explicit PpdevParallelPort(const SettingsStore& settings,
                             PpdevCalls calls = PpdevCalls::System());
  ~PpdevParallelPort() override;
  PpdevParallelPort(const PpdevParallelPort&) = delete;
  PpdevParallelPort& operator=(const PpdevParallelPort&) = delete;

  void Write(std::uint16_t address, std::uint8_t value) override;

 private:
  // The claimed descriptor for `path`, or -1. A device is opened and claimed
  // on first use and held until the port object goes; one that failed is not
  // tried again, so a missing port costs nothing per keying element.
  int Device(const std::string& path);

  struct Route {
    unsigned long request = 0;  // 0: nothing at that address
    std::string path;
  };
  // Where a write to `address` goes, looked up once: the settings store
  // reads a file, too slow for every element of a keyed character.
  const Route& RouteFor(std::uint16_t address);

  const SettingsStore& settings_;
  PpdevCalls calls_;
  std::map<std::uint16_t, Route> routes_;
  std::map<std::string, int> devices_;
};

}  // namespace vantrel
