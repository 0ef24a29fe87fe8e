// COM numbers to devices, the parallel port through recorded ppdev calls (no
// test machine has a printer port), and the millisecond clock.
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <vector>

#include "platform/com_port_map.h"
#include "platform/ppdev_parallel_port.h"
#include "platform/steady_millisecond_clock.h"
#include "support/memory_settings_store.h"

namespace vantrel {
namespace {

TEST(ComPortMap, EnvironmentThenSettingsThenTheSerialDevice) {
  MemorySettingsStore settings;
  std::map<std::string, std::string> env{
      {"VANTREL_COM2", "/dev/ttyUSB0"}, {"VANTREL_COM5", ""}, {"VANTREL_COM7", "/dev/pts/9"}};
  ComPortMap map(settings, [&](const std::string& name) -> std::optional<std::string> {
    auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  });
  map.Store(5, "/dev/ttyACM0");
  map.Store(7, "/dev/ttyUSB3");
  map.Store(8, "/dev/ttyUSB1");
  map.Store(8, "");  // cleared again
  struct Row {
    int number;
    const char* path;
  };
  const Row rows[] = {
      {1, "/dev/ttyS0"}, {2, "/dev/ttyUSB0"}, {5, "/dev/ttyACM0"},  // an empty variable is unset
      {7, "/dev/pts/9"}, {8, "/dev/ttyS7"},   {10, "/dev/ttyS9"},  {0, ""}, {-1, ""},
  };
  for (const auto& row : rows) EXPECT_EQ(map.DevicePath(row.number), row.path) << row.number;
  EXPECT_EQ(settings.Get("QX9ZZ_Software", "Ports", "COM5", "?"), "/dev/ttyACM0");
  EXPECT_EQ(map.Stored(7), "/dev/ttyUSB3");
  EXPECT_EQ(map.EnvironmentOverride(7), "/dev/pts/9");
  EXPECT_EQ(map.EnvironmentOverride(5), std::nullopt);
}

// Every call the parallel port makes, with scripted outcomes.
struct RecordedPpdev {
  std::map<std::string, int> devices;  // path -> descriptor; others fail to open
  bool claim_fails = false;
  std::vector<std::string> log;

  PpdevCalls Calls() {
    PpdevCalls calls;
    calls.open = [this](const std::string& path) {
      log.push_back("open " + path);
      auto it = devices.find(path);
      return it == devices.end() ? -1 : it->second;
    };
    calls.ioctl = [this](int fd, unsigned long request, unsigned char* value) {
      std::string what = request == PPCLAIM      ? "claim"
                         : request == PPRELEASE  ? "release"
                         : request == PPWCONTROL ? "control"
                         : request == PPWDATA    ? "data"
                                                 : "other";
      if (value) what += " " + std::to_string(*value);
      log.push_back(std::to_string(fd) + " " + what);
      return request == PPCLAIM && claim_fails ? -1 : 0;
    };
    calls.close = [this](int fd) { log.push_back("close " + std::to_string(fd)); };
    return calls;
  }
};

TEST(PpdevParallelPort, AddressesReachTheirDeviceAndRegister) {
  MemorySettingsStore settings;
  settings.Save("QX9ZZ_Software", "Ports", "LPT2F8", "/dev/parport3");
  RecordedPpdev pp;
  pp.devices = {
      {"/dev/parport0", 10}, {"/dev/parport1", 11}, {"/dev/parport2", 12}, {"/dev/parport3", 13}};
  {
    PpdevParallelPort port(settings, pp.Calls());
    port.Write(0x37A, 0x0B);  // &H378 + 2
    port.Write(0x37A, 0x00);  // claimed once, kept
    port.Write(0x378, 0x55);  // the data register
    port.Write(0x379, 0x01);  // status is read-only
    port.Write(0x27A, 0x01);
    port.Write(0x3BE, 0x02);
    port.Write(0x2FA, 0x04);   // mapped in the settings
    port.Write(0x1234, 0x08);  // nothing there
    port.Write(0x0000, 0x08);
  }
  const std::vector<std::string> expected = {
      "open /dev/parport0", "10 claim",           "10 control 11", "10 control 0",
      "10 data 85",         "open /dev/parport1", "11 claim",      "11 control 1",
      "open /dev/parport2", "12 claim",           "12 control 2",  "open /dev/parport3",
      "13 claim",           "13 control 4",       "10 release",    "close 10",
      "11 release",         "close 11",           "12 release",    "close 12",
      "13 release",         "close 13",
  };
  EXPECT_EQ(pp.log, expected);
}

TEST(PpdevParallelPort, WithoutHardwareWritesDoNothing) {
  MemorySettingsStore settings;
  settings.Save("QX9ZZ_Software", "Ports", "LPT378", "/dev/lp-elsewhere");
  {
    RecordedPpdev pp;  // no device opens
    PpdevParallelPort port(settings, pp.Calls());
    for (int i = 0; i < 3; ++i) port.Write(0x37A, 1);
    // Remapped, and tried once only.
    EXPECT_EQ(pp.log, std::vector<std::string>{"open /dev/lp-elsewhere"});
  }
  {
    RecordedPpdev pp;  // held by another program: the claim fails
    pp.devices = {{"/dev/parport1", 7}};
    pp.claim_fails = true;
    {
      PpdevParallelPort port(settings, pp.Calls());
      port.Write(0x27A, 1);
      port.Write(0x27A, 0);
    }
    EXPECT_EQ(pp.log, (std::vector<std::string>{"open /dev/parport1", "7 claim", "close 7"}));
  }
  // The real calls on a machine without a printer port.
  PpdevParallelPort real(settings);
  real.Write(0x27A, 1);
  real.Write(0x3BE, 1);
}

TEST(SteadyMillisecondClock, CountsTheMonotonicClockInThirtyTwoBits) {
  SteadyMillisecondClock clock;
  using namespace std::chrono;
  const auto before = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  const std::uint32_t ms = clock.Milliseconds();
  const auto after = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  EXPECT_LE(MillisecondsSince(static_cast<std::uint32_t>(before), ms),
            static_cast<std::uint32_t>(after - before));
  clock.RaiseTimerResolution();
  clock.Sleep(0);
  clock.ReleaseTimerResolution();
}

}  // namespace
}  // namespace vantrel
