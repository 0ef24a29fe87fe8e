// The recording port double, and through it the rule every port shares: a
// failure reaches the owner once per Open.
#include "support/recording_serial_port.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(RecordingSerialPort, FailureIsReportedOncePerOpen) {
  RecordingSerialPort port;
  std::vector<std::string> failures;
  std::string received;
  port.OnFailed([&](const std::string& why) { failures.push_back(why); });
  port.OnDataArrived([&] { received += port.ReadAvailable(); });
  port.SetPortNumber(4);
  port.SetSettings("4800,N,8,2");
  ASSERT_TRUE(port.Open());
  port.SetRts(true);
  port.Arrive(std::string("FA\0\xFF;", 5));
  EXPECT_EQ(received, std::string("FA\0\xFF;", 5));

  port.Vanish("pulled");
  port.ReportAgain("read error");
  port.Vanish("again");
  EXPECT_EQ(failures, std::vector<std::string>{"pulled"});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.rts);  // lines drop with the port

  ASSERT_TRUE(port.Open());
  port.ReportAgain("read error");
  EXPECT_EQ(failures, (std::vector<std::string>{"pulled", "read error"}));
  EXPECT_EQ(port.events, (std::vector<std::string>{"open COM4 4800,N,8,2", "RTS on", "close",
                                                   "open COM4 4800,N,8,2"}));
}

TEST(RecordingSerialPort, RefusedOpensStayClosed) {
  RecordingSerialPort port;
  port.refuse_open = "in use";
  EXPECT_EQ(port.Open().error, "in use");
  port.refuse_open.clear();
  port.SetSettings("9600,N,9,1");
  EXPECT_FALSE(port.Open());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.Write(std::string_view("x")));
}

}  // namespace
}  // namespace vantrel
