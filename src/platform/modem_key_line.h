// Keys the transmitter on the DTR or RTS line of a serial port that the UI
// thread opened (through QtSerialPort, CWSetup).
//
// QSerialPort belongs to the UI thread, so the keying thread never calls it.
// The line takes its own dup() of the port's descriptor when it is made (on
// the UI thread) and switches the modem bit with ioctl(TIOCMBIS/TIOCMBIC):
// one system call per edge, safe from any thread, and the duplicate stays
// valid even if the UI closes the port after a device error, so a number
// reused by another open file is never touched. A device that vanished makes
// the ioctl fail and Set return false. The owner swaps or destroys the line
// only while the engine is idle.
#pragma once

#include <functional>

#include "keying/key_line.h"

namespace vantrel {

enum class ModemLine { kDtr, kRts };

struct ModemCalls {
  std::function<int(int fd)> dup;
  std::function<int(int fd, unsigned long request, int* bits)> ioctl;
  std::function<void(int fd)> close;
  static ModemCalls System();
};

class ModemKeyLine : public KeyLine {
 public:
  // `fd` is the open port's descriptor; -1 keys nothing (and fails).
  ModemKeyLine(int fd, ModemLine line, ModemCalls calls = ModemCalls::System());
  ~ModemKeyLine() override;
  ModemKeyLine(const ModemKeyLine&) = delete;
  ModemKeyLine& operator=(const ModemKeyLine&) = delete;

  bool Set(bool down) override;

 private:
  ModemCalls calls_;
  int fd_ = -1;
  int bit_;
};

}  // namespace vantrel
