#include "voice/voice_settings.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(VoiceSettingsFile, ThirteenLinesRoundTrip) {
  VoiceSettings s;
  s.files[0] = "/home/op/cq.wav";
  s.files[8] = "/home/op/my call.wav";
  s.port = "3";
  s.line = PttLine::kDtr;
  s.repeat = "10";
  s.parallel = "&H278";
  const std::string text = FormatVoiceSettings(s);
  EXPECT_EQ(text,
            "\"/home/op/cq.wav\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
            "\"/home/op/my call.wav\"\r\n\"3\"\r\n1\r\n\"10\"\r\n\"&H278\"\r\n");
  EXPECT_EQ(ParseVoiceSettings(text), s);
}

TEST(VoiceSettingsFile, NoLineChosenIsAnEmptyLine) {
  VoiceSettings s;
  const std::string text = FormatVoiceSettings(s);
  EXPECT_NE(text.find("\"0\"\r\n\r\n\"0\""), std::string::npos);
  EXPECT_EQ(ParseVoiceSettings(text), s);
}

TEST(VoiceSettingsFile, ReadsLfBlanksAndShortOrDamagedFiles) {
  // File names lose their blanks; a short file keeps the defaults for what
  // it lacks; a damaged line keeps its default and spoils nothing else.
  VoiceSettings s = ParseVoiceSettings("\"  a.wav \"\n\"b.wav\"\n");
  EXPECT_EQ(s.files[0], "a.wav");
  EXPECT_EQ(s.files[1], "b.wav");
  EXPECT_EQ(s.port, "0");
  EXPECT_EQ(s.parallel, "&H378");
  EXPECT_FALSE(s.line);

  s = ParseVoiceSettings(
      "\"\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"\"\n\"2\"\n7\n\"x\"y\n\"&H3BC\"\n");
  EXPECT_EQ(s.port, "2");
  EXPECT_FALSE(s.line) << "7 names no line";
  EXPECT_EQ(s.repeat, "0") << "malformed quoted value";
  EXPECT_EQ(s.parallel, "&H3BC");

  EXPECT_EQ(ParseVoiceSettings(""), VoiceSettings{});
}

TEST(VoiceSettingsFile, LineNumbersAreNotTheCwKeyingNumbers) {
  // 0 RTS, 1 DTR, 2 Parallel here; the CW keying line has RTS 1 and DTR 2.
  EXPECT_EQ(PttLineFromNumber(0), PttLine::kRts);
  EXPECT_EQ(PttLineFromNumber(1), PttLine::kDtr);
  EXPECT_EQ(PttLineFromNumber(2), PttLine::kParallel);
  EXPECT_FALSE(PttLineFromNumber(3));
  EXPECT_FALSE(PttLineFromNumber(-1));
  VoiceSettings s;
  for (int n = 0; n < 3; ++n) {
    s.line = PttLineFromNumber(n);
    const std::string text = FormatVoiceSettings(s);
    EXPECT_NE(text.find("\"0\"\r\n" + std::to_string(n) + "\r\n"), std::string::npos);
  }
}

TEST(VoiceSettingsFields, RepeatPeriodAndPortNumber) {
  const struct {
    const char* text;
    std::optional<int> ms;
  } repeat[] = {{"0", 0},           {"10", 10000},           {"59.9", 59900},
                {"0.5", 500},       {"60", std::nullopt},    {"-1", std::nullopt},
                {"", std::nullopt}, {"1.2.3", std::nullopt}, {" 5 ", 5000}};
  for (const auto& row : repeat) EXPECT_EQ(VoiceRepeatPeriodMs(row.text), row.ms) << row.text;

  const struct {
    const char* text;
    int number;
  } ports[] = {{"0", 0}, {"1", 1}, {"12", 12}, {"abc", 0}, {"", 0}, {"-3", 0}, {" 4", 4}};
  for (const auto& row : ports) EXPECT_EQ(PttPortNumber(row.text), row.number) << row.text;

  for (char c : std::string("0123456789.\b")) EXPECT_TRUE(RepeatFieldAccepts(c));
  for (char c : std::string("a -,e")) EXPECT_FALSE(RepeatFieldAccepts(c));
}

}  // namespace
}  // namespace vantrel
