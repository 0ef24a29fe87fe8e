// A radio as a function from what it hears to what it answers, for tests
// that put it on a pseudo-terminal (PtyRadio).
//
// Respond gets the bytes as they came off the line, one read at a time: a
// command may arrive in pieces or several in one read, so a responder that
// needs whole commands keeps the unfinished rest itself. It runs on the
// harness thread only. An empty answer sends nothing.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class FakeRadio {
 public:
  virtual ~FakeRadio() = default;
  virtual std::string Respond(std::string_view request) = 0;
};

}  // namespace vantrel
