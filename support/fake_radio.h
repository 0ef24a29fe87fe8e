// Radios that answer in their family's wire format, for tests and for the
// pseudo-terminal harness (PtyRadio): request bytes in, reply bytes out, from
// a dial the test sets. Faults are injected by wrapping one in FaultyRadio.
//
// Respond gets the bytes as they came off the line, one read at a time: a
// command may arrive in pieces or several in one read, so a responder that
// needs whole commands keeps the unfinished rest itself. Under PtyRadio it
// runs on the harness thread only. An empty answer sends nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vantrel {

class FakeRadio {
 public:
  virtual ~FakeRadio() = default;
  // The bytes the radio sends after receiving `request` (one or several
  // whole commands); empty when it has nothing to say.
  virtual std::string Respond(std::string_view request) = 0;
};

enum class RadioMode { kLsb, kUsb, kCw, kAm, kFm };

struct RadioDial {
  int64_t hz = 14250000;
  RadioMode mode = RadioMode::kUsb;
  int vfo = 0;  // 0 A, 1 B
};

class DialRadio : public FakeRadio {
 public:
  RadioDial dial;
};

// The radio a rig type talks to; nullptr for "None", "Other" and the Pegasus
// (which answers through a file, see PegasusOutText).
std::unique_ptr<DialRadio> MakeFakeRadio(std::string_view rig_type);

// PEGASUS.OUT as the Pegasus control program writes it.
std::string PegasusOutText(double mhz, std::string_view mode);

// The mode text the logger should show for `mode` on `rig_type`.
std::string ExpectedRigMode(std::string_view rig_type, RadioMode mode);

enum class RadioFault {
  kNone,
  kSilence,  // answers nothing
  kGarbage,  // answers noise bytes (NUL and 8-bit) instead
  kCut,      // cuts the next answer: first half now, the rest before the one after
  kEcho,     // sends the request back before the answer
};

class FaultyRadio : public FakeRadio {
 public:
  explicit FaultyRadio(FakeRadio& inner) : inner_(inner) {}
  void set_fault(RadioFault fault) { fault_ = fault; }
  // Noise short enough and odd enough that no family reads it as an answer.
  void set_garbage(std::string bytes) { garbage_ = std::move(bytes); }
  std::string Respond(std::string_view request) override;
  // The held-back half of a cut answer, for a harness that sends it later.
  std::string TakeRest();

 private:
  FakeRadio& inner_;
  RadioFault fault_ = RadioFault::kNone;
  std::string garbage_ = std::string("\x00\x8F\xFF\xFE", 4);
  std::string rest_;
};

}  // namespace vantrel
