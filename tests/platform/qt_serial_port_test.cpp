// The serial port against a fake device on a pseudo-terminal: bytes both
// ways through the event loop, failures to open, and a pulled cable.
//
// A pseudo-terminal has no modem lines: switching DTR or RTS on one is
// refused (SetDtr/SetRts answer false) and the port stays usable, which is
// what a USB adapter without those lines does too. Whether the lines really
// move is left to the rig window's own tests with a recording port.
#include "platform/qt_serial_port.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <vector>

#include "support/memory_settings_store.h"
#include "support/pty_radio.h"

namespace vantrel {
namespace {

constexpr int kWaitMs = 5000;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

// Answers "FA;" with a frequency and echoes anything else.
class EchoRadio : public FakeRadio {
 public:
  std::string Respond(std::string_view request) override {
    if (request == "FA;") return "FA00144200000;";
    return std::string(request);
  }
};

class QtSerialPortTest : public ::testing::Test {
 protected:
  QtSerialPortTest()
      : radio_(echo_), map_(settings_, [](const std::string&) { return std::nullopt; }) {
    EnsureApplication();
    map_.Store(3, radio_.Path());
  }

  std::unique_ptr<QtSerialPort> MakePort() {
    auto port = std::make_unique<QtSerialPort>(map_);
    port->SetPortNumber(3);
    port->SetSettings("9600,N,8,1");
    port->OnDataArrived([this, p = port.get()] {
      ++arrivals_;
      received_ += p->ReadAvailable();
    });
    port->OnFailed([this](const std::string& why) { failures_.push_back(why); });
    return port;
  }

  bool WaitForBytes(size_t count) {
    return QTest::qWaitFor([&] { return received_.size() >= count; }, kWaitMs);
  }

  EchoRadio echo_;
  PtyRadio radio_;
  MemorySettingsStore settings_;
  ComPortMap map_;
  std::string received_;
  int arrivals_ = 0;
  std::vector<std::string> failures_;
};

TEST_F(QtSerialPortTest, ExchangesBytesThroughTheEventLoop) {
  ASSERT_TRUE(radio_.Plugged());
  auto port = MakePort();
  const OpenResult opened = port->Open();
  ASSERT_TRUE(opened) << opened.error;
  EXPECT_TRUE(port->IsOpen());
  EXPECT_EQ(port->DevicePath(), radio_.Path());
  EXPECT_EQ(port->ReadAvailable(), "");  // nothing yet, and no wait

  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  // Handed to the driver before Write returns, not at the next event-loop pass.
  EXPECT_EQ(port->PendingOutput(), 0u);
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_EQ(received_, "FA00144200000;");
  EXPECT_EQ(radio_.Received(), "FA;");
  EXPECT_GE(arrivals_, 1);
  EXPECT_EQ(port->CountAvailable(), 0u);

  // Counting leaves the bytes for the next read.
  port->OnDataArrived({});
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return port->CountAvailable() >= 14; }, kWaitMs));
  EXPECT_EQ(port->ReadAvailable(), "FA00144200000;");
  EXPECT_EQ(port->CountAvailable(), 0u);

  port->Close();
  EXPECT_FALSE(port->IsOpen());
  EXPECT_FALSE(port->Write(std::string_view("FA;")));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(QtSerialPortTest, EveryByteValuePassesUntranslated) {
  auto port = MakePort();
  ASSERT_TRUE(port->Open());
  // NUL, CR, LF, XON, XOFF, Ctrl-C, DEL and the 8-bit half, in one write.
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[size_t(i)] = std::uint8_t(i);
  ASSERT_TRUE(port->Write(std::span<const std::uint8_t>(all)));
  ASSERT_TRUE(WaitForBytes(256));
  ASSERT_EQ(received_.size(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(std::uint8_t(received_[size_t(i)]), i) << i;
  EXPECT_EQ(radio_.Received(), received_);
}

TEST_F(QtSerialPortTest, EveryHandshakingAndRigBaudRateOpens) {
  const Handshaking kinds[] = {Handshaking::kNone, Handshaking::kXonXoff, Handshaking::kRtsCts,
                               Handshaking::kRtsCtsXonXoff};
  for (Handshaking kind : kinds) {
    for (const char* settings : {"1200,N,8,1", "4800,N,8,2", "14400,E,7,1", "56000,O,8,1"}) {
      SCOPED_TRACE(settings);
      auto port = MakePort();
      port->SetHandshaking(kind);
      port->SetSettings(settings);
      const OpenResult opened = port->Open();
      EXPECT_TRUE(opened) << opened.error;
      EXPECT_EQ(port->GetHandshaking(), kind);
    }
  }
  EXPECT_TRUE(failures_.empty());
}

TEST_F(QtSerialPortTest, RefusedOpensLeaveThePortClosed) {
  auto holder = MakePort();
  ASSERT_TRUE(holder->Open());
  map_.Store(4, "/dev/vantrel-no-such-port");
  struct Row {
    const char* what;
    int number;
    const char* settings;
  };
  const Row rows[] = {
      {"missing device", 4, "9600,N,8,1"},     {"port in use", 3, "9600,N,8,1"},
      {"malformed settings", 3, "9600,X,8,1"}, {"settings with blanks", 3, "9600, N,8,1"},
      {"no port number", 0, "9600,N,8,1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto port = MakePort();
    port->SetPortNumber(row.number);
    port->SetSettings(row.settings);
    const OpenResult opened = port->Open();
    EXPECT_FALSE(opened);
    EXPECT_FALSE(opened.error.empty());
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(port->Write(std::string_view("FA;")));
    EXPECT_EQ(port->ReadAvailable(), "");
    EXPECT_EQ(port->PendingOutput(), 0u);
  }
  // An open port refuses a second Open until it is closed.
  EXPECT_FALSE(holder->Open());
  EXPECT_TRUE(holder->IsOpen());
  holder->Close();
  auto next = MakePort();
  EXPECT_TRUE(next->Open());
  QCoreApplication::processEvents();
  EXPECT_TRUE(failures_.empty());  // a refused Open answers for itself
}

TEST_F(QtSerialPortTest, ModemLinesOfAPseudoTerminalAreRefusedQuietly) {
  auto port = MakePort();
  EXPECT_TRUE(port->SetDtr(true));  // kept for the next Open
  EXPECT_TRUE(port->SetRts(false));
  ASSERT_TRUE(port->Open());
  EXPECT_FALSE(port->SetDtr(true));
  EXPECT_FALSE(port->SetRts(true));
  EXPECT_TRUE(port->IsOpen());
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(QtSerialPortTest, FaultsReachThePortAsTheRadioSendsThem) {
  auto port = MakePort();
  ASSERT_TRUE(port->Open());
  // Silence: the request is heard and nothing comes back, so the first
  // bytes to arrive are the answer to the next request.
  radio_.SetFault(PtyRadio::Fault::kSilence);
  ASSERT_TRUE(port->Write(std::string_view("ID;")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return radio_.Received() == "ID;"; }, kWaitMs));
  radio_.SetFault(PtyRadio::Fault::kNone);
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_EQ(received_, "FA00144200000;");
  EXPECT_EQ(radio_.Replies(), 1u);

  // Bytes the radio sends unasked (a turned dial, with auto-information on).
  received_.clear();
  radio_.Send("FA00144210000;");
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_EQ(received_, "FA00144210000;");

  // A reply cut in two arrives in two parts.
  received_.clear();
  arrivals_ = 0;
  radio_.SetFault(PtyRadio::Fault::kSplit);
  radio_.SetSplitPause(std::chrono::milliseconds(300));
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(7));
  EXPECT_EQ(received_, "FA00144");
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_EQ(received_, "FA00144200000;");
  EXPECT_GE(arrivals_, 2);

  radio_.SetFault(PtyRadio::Fault::kGarbage);
  radio_.SetGarbage(std::string("\0\xFE?", 3));
  received_.clear();
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(3));
  EXPECT_EQ(received_, std::string("\0\xFE?", 3));
}

TEST_F(QtSerialPortTest, APulledCableIsReportedOnceAndThePortOpensAgainLater) {
  auto port = MakePort();
  ASSERT_TRUE(port->Open());
  radio_.SetFault(PtyRadio::Fault::kSplit);
  radio_.SetSplitPause(std::chrono::seconds(30));
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(7));  // mid-reply

  radio_.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !failures_.empty(); }, kWaitMs));
  EXPECT_FALSE(port->IsOpen());
  // Writing into the dead port and more event-loop passes add no report.
  EXPECT_FALSE(port->Write(std::string_view("FA;")));
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find(radio_.Path()), std::string::npos) << failures_[0];
  EXPECT_EQ(received_, "FA00144");

  // Gone devices do not open; back in, the same number works again.
  EXPECT_FALSE(port->Open());
  ASSERT_TRUE(radio_.Plug());
  radio_.SetFault(PtyRadio::Fault::kNone);
  received_.clear();
  const OpenResult reopened = port->Open();
  ASSERT_TRUE(reopened) << reopened.error;
  ASSERT_TRUE(port->Write(std::string_view("FA;")));
  ASSERT_TRUE(WaitForBytes(14));
  EXPECT_EQ(received_, "FA00144200000;");

  // The report is armed again by the new session.
  radio_.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return failures_.size() == 2; }, kWaitMs));
}

}  // namespace
}  // namespace vantrel
