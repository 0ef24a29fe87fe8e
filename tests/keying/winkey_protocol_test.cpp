#include "keying/winkey_protocol.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace std::string_literals;

TEST(WinKeyCommands, BytesOnTheWire) {
  struct Row {
    std::string bytes;
    std::string want;
  };
  const Row rows[] = {
      {winkey::HostOpen(), "\x00\x02"s},
      {winkey::HostClose(), "\x00\x03"s},
      {winkey::EchoTest(), "\x13\x13\x13\x00\x04U"s},
      {winkey::Speed(99), "\x02\x63"s},
      {winkey::Weight(50), "\x03\x32"s},
      {winkey::PttLeadTail(0, 255), "\x04\x00\xFF"s},
      {winkey::Ratio(32), "\x17\x20"s},
      {winkey::PinConfig(6), "\x09\x06"s},
      {winkey::Mode(48), "\x0E\x30"s},
      {winkey::Backspace(), "\x08"s},
      {winkey::ClearBuffer(), "\x0A"s},
      {winkey::Character('!'), "!"},
      {winkey::Character(0xFF), "\xFF"},
      // Control codes would be taken as commands and derail the keyer.
      {winkey::Character(0x0A), ""},
      {winkey::Character(0x1F), ""},
  };
  for (const Row& r : rows) EXPECT_EQ(r.bytes, r.want);
}

TEST(WinKeyReplies, SortedByTopBits) {
  struct Row {
    std::uint8_t byte;
    winkey::Reply want;
  };
  const Row rows[] = {
      {0xC0, {winkey::ReplyKind::kStatus, 0x00}}, {0xC5, {winkey::ReplyKind::kStatus, 0x05}},
      {0xDF, {winkey::ReplyKind::kStatus, 0x1F}}, {0x80, {winkey::ReplyKind::kSpeedPot, 0}},
      {0xBF, {winkey::ReplyKind::kSpeedPot, 63}}, {'A', {winkey::ReplyKind::kEcho, 'A'}},
      {0x00, {winkey::ReplyKind::kEcho, 0x00}},   {0xE0, {winkey::ReplyKind::kEcho, 0xE0}},
  };
  for (const Row& r : rows) EXPECT_EQ(winkey::ClassifyReply(r.byte), r.want) << int(r.byte);
}

TEST(WinKeyReplies, DecoderKeepsTheLatestStateAndCollectsEchoes) {
  winkey::ReplyDecoder d;
  EXPECT_EQ(d.Feed("\xC4"
                   "CQ\x95\xC5"s)
                .size(),
            5u);
  EXPECT_TRUE(d.busy());
  EXPECT_TRUE(d.xoff());
  EXPECT_EQ(d.speed_pot(), 0x15);
  EXPECT_EQ(d.TakeEchoes(), "CQ");
  EXPECT_EQ(d.TakeEchoes(), "");
  d.Feed("\xC0"s);
  EXPECT_FALSE(d.busy());
  EXPECT_FALSE(d.xoff());
  EXPECT_EQ(d.statuses(), 3u);
  d.Feed(std::string(1000, 'E'));
  EXPECT_EQ(d.TakeEchoes().size(), winkey::ReplyDecoder::kMaxEchoes);
}

TEST(WinKeyFlow, StatusNumberForTheSendLoop) {
  struct Row {
    bool open;
    std::uint8_t status;
    std::size_t unconfirmed;
    int want;
  };
  const Row rows[] = {
      {false, 0x05, 3, 0}, {true, 0x00, 0, 0}, {true, 0x00, 1, 1}, {true, 0x04, 0, 1},
      {true, 0x01, 0, 5},  {true, 0x05, 0, 5}, {true, 0x02, 0, 0},  // break-in alone: the paddle,
                                                                    // not our text
  };
  for (const Row& r : rows)
    EXPECT_EQ(FlowStatus(r.open, r.status, r.unconfirmed), r.want) << int(r.status);
}

TEST(WinKeyFields, SentOrReset) {
  struct Row {
    FieldCheck (*check)(std::string_view);
    std::string text;
    FieldCheck want;
  };
  const Row rows[] = {
      {CheckWpm, "18", {18, std::nullopt}},
      {CheckWpm, "99", {99, std::nullopt}},
      {CheckWpm, "0", {0, std::nullopt}},
      {CheckWpm, "120", {}},
      {CheckWpm, "abc", {std::nullopt, "18"}},
      {CheckWpm, "", {std::nullopt, "18"}},
      {CheckWeight, "100", {}},
      {CheckWeight, "x", {std::nullopt, "50"}},
      {CheckRatio, "32", {32, std::nullopt}},
      {CheckRatio, "67", {67, std::nullopt}},
      {CheckRatio, "31", {}},
      {CheckRatio, "68", {}},
      {CheckRatio, "?", {std::nullopt, "50"}},
  };
  for (const Row& r : rows) EXPECT_EQ(r.check(r.text), r.want) << r.text;

  EXPECT_EQ(CheckLeadTail("5", "255").send, (std::pair<std::uint8_t, std::uint8_t>{5, 255}));
  EXPECT_TRUE(CheckLeadTail("256", "0").reset);
  EXPECT_TRUE(CheckLeadTail("1", "").reset);
  EXPECT_FALSE(CheckLeadTail("1", "").send);
  EXPECT_EQ(PortNumberOf("7"), 7);
  EXPECT_EQ(PortNumberOf("COM7"), 0);
}

TEST(WinKeySettingsFile, EightLinesRoundTripAndOlderFilesKeepDefaults) {
  WinKeySettings s;
  s.com_port = 3;
  s.wpm = "25";
  s.ratio = "45";
  s.pin_config = 8;
  s.mode = 32;
  const std::string text = FormatWinKeySettings(s);
  EXPECT_EQ(text, "3\r\n\"25\"\r\n\"50\"\r\n\"0\"\r\n\"0\"\r\n\"45\"\r\n8\r\n32\r\n");
  WinKeySettings back;
  ASSERT_TRUE(ParseWinKeySettings(text, back));
  EXPECT_EQ(back, s);

  WinKeySettings six;
  ASSERT_TRUE(ParseWinKeySettings("2\n\"20\"\n\"55\"\n\"3\"\n\"4\"\n\"60\"\n", six));
  EXPECT_EQ(six.com_port, 2);
  EXPECT_EQ(six.ratio, "60");
  EXPECT_EQ(six.pin_config, 6);
  EXPECT_EQ(six.mode, 0);

  WinKeySettings cut;
  ASSERT_TRUE(ParseWinKeySettings("4\r\n\"30\"\r\n", cut));
  EXPECT_EQ(cut.com_port, 4);
  EXPECT_EQ(cut.wpm, "30");
  EXPECT_EQ(cut.weight, "50");
  WinKeySettings none;
  EXPECT_FALSE(ParseWinKeySettings("", none));
}

}  // namespace
}  // namespace vantrel
