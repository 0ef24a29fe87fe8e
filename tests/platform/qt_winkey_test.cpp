// The keyer over a pseudo-terminal against the fake WinKey: the open
// handshake and its failures, the bytes each operation puts on the wire,
// flow status from the keyer's replies, and a pulled cable.
#include "platform/qt_winkey.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>

#include "platform/com_port_map.h"
#include "support/memory_settings_store.h"
#include "support/pty_winkey.h"

namespace vantrel {
namespace {

using namespace std::string_literals;
constexpr int kWaitMs = 5000;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

class QtWinKeyTest : public ::testing::Test {
 protected:
  QtWinKeyTest() : map_(settings_, [](const std::string&) { return std::nullopt; }) {
    EnsureApplication();
    map_.Store(5, fake_.Path());
    keyer_ = std::make_unique<QtWinKey>(map_);
    keyer_->set_answer_wait_ms(300);
    keyer_->OnLost([this](const std::string&) { ++lost_; });
  }

  int Open() {
    std::uint8_t version = 99;
    result_ = keyer_->wk_open(version, 5);
    return version;
  }

  MemorySettingsStore settings_;
  ComPortMap map_;
  PtyWinKey fake_;
  std::unique_ptr<QtWinKey> keyer_;
  int result_ = -1;
  int lost_ = 0;
};

TEST_F(QtWinKeyTest, OpenAnswersTheVersionAndEveryCommandReachesTheKeyer) {
  ASSERT_TRUE(fake_.Plugged());
  EXPECT_EQ(Open(), 23);
  EXPECT_EQ(result_, kWkSuccess);
  EXPECT_EQ(fake_.Received(), "\x13\x13\x13\x00\x04U\x00\x02"s);
  std::uint8_t again = 1;
  EXPECT_EQ(keyer_->wk_open(again, 5), kWkAlreadyOpen);
  EXPECT_EQ(again, 0);

  keyer_->wk_wpm(25);
  keyer_->wk_weight(50);
  keyer_->wk_ptt_leadtail(1, 2);
  keyer_->wk_ditdah_ratio(50);
  keyer_->wk_pincfg(6);
  keyer_->wk_setmode(16);
  keyer_->wk_char(0x0A);  // a control code is never text
  keyer_->wk_char('E');
  keyer_->wk_backspace();
  keyer_->wk_clearbuf();
  const std::string want =
      "\x02\x19\x03\x32\x04\x01\x02\x17\x32\x09\x06\x0E\x10"
      "E\x08\x0A"s;
  ASSERT_TRUE(QTest::qWaitFor([&] { return fake_.Session().size() >= want.size(); }, kWaitMs));
  EXPECT_EQ(fake_.Session(), want);
  keyer_->wk_close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fake_.HostOpen(); }, kWaitMs));
  EXPECT_EQ(keyer_->wk_getstatus(), 0);
}

TEST_F(QtWinKeyTest, FlowStatusFollowsBusyAndXoff) {
  fake_.SetCharacterTime(std::chrono::milliseconds(40));
  fake_.SetXoffLevel(3);
  ASSERT_EQ(Open(), 23);
  keyer_->wk_char('A');
  EXPECT_EQ(keyer_->wk_getstatus(), 1);  // before the keyer has said anything
  for (char c : std::string("BCDE")) keyer_->wk_char(std::uint8_t(c));
  ASSERT_TRUE(QTest::qWaitFor([&] { return keyer_->wk_getstatus() >= 5; }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return keyer_->wk_getstatus() == 0; }, kWaitMs));
  EXPECT_EQ(fake_.Keyed(), "ABCDE");
}

TEST_F(QtWinKeyTest, OpenFailsCleanly) {
  struct Row {
    PtyWinKey::Fault fault;
    int result;
  };
  const Row rows[] = {
      {PtyWinKey::Fault::kSilence, kWkNoEchoResponse},
      {PtyWinKey::Fault::kGarbage, kWkEchoMismatch},
  };
  for (const Row& r : rows) {
    fake_.SetFault(r.fault);
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(result_, r.result);
    EXPECT_FALSE(keyer_->is_open());
    keyer_->wk_char('X');  // dropped, never written to a closed keyer
  }
  fake_.SetFault(PtyWinKey::Fault::kNone);
  fake_.SetVersion(0);
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(result_, kWkNoOpenResponse);
  EXPECT_EQ(fake_.Received().find('X'), std::string::npos);

  fake_.Unplug();
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(result_, kWkComOpenFailed);
}

TEST_F(QtWinKeyTest, PulledCableClosesTheKeyerAndIsReportedOnce) {
  ASSERT_EQ(Open(), 23);
  keyer_->wk_char('A');
  fake_.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return lost_ > 0; }, kWaitMs));
  QTest::qWait(50);
  EXPECT_EQ(lost_, 1);
  EXPECT_FALSE(keyer_->is_open());
  EXPECT_EQ(keyer_->wk_getstatus(), 0);
  ASSERT_TRUE(fake_.Plug());
  EXPECT_EQ(Open(), 23);
}

}  // namespace
}  // namespace vantrel
