// Settings strings and I/O addresses as users type them, and elapsed time
// across the wrap of the millisecond count.
#include "common/ports.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct SettingsRow {
  const char* text;
  std::optional<SerialSettings> expected;
};

TEST(SerialSettingsText, ParsesTheFourItemsAndRefusesTheRest) {
  const SettingsRow rows[] = {
      {"9600,N,8,1", SerialSettings{9600, Parity::kNone, 8, 1}},
      {"1200,O,7,2", SerialSettings{1200, Parity::kOdd, 7, 2}},
      {"56000,E,8,1", SerialSettings{56000, Parity::kEven, 8, 1}},
      {"4800,n,8,2", SerialSettings{4800, Parity::kNone, 8, 2}},
      {"14400,e,7,1", SerialSettings{14400, Parity::kEven, 7, 1}},
      {"", std::nullopt},
      {"9600", std::nullopt},
      {"9600,N,8", std::nullopt},
      {"9600,N,8,1,", std::nullopt},
      {"9600,N,8,1,1", std::nullopt},
      {"9600 ,N,8,1", std::nullopt},  // the rig window trims the padded baud first
      {" 9600,N,8,1", std::nullopt},
      {"+9600,N,8,1", std::nullopt},
      {"-9600,N,8,1", std::nullopt},
      {"0,N,8,1", std::nullopt},
      {",N,8,1", std::nullopt},
      {"96x0,N,8,1", std::nullopt},
      {"99999999999999999999,N,8,1", std::nullopt},
      {"9600,M,8,1", std::nullopt},
      {"9600,S,8,1", std::nullopt},
      {"9600,NN,8,1", std::nullopt},
      {"9600,,8,1", std::nullopt},
      {"9600,N,6,1", std::nullopt},
      {"9600,N,9,1", std::nullopt},
      {"9600,N,08,1", std::nullopt},
      {"9600,N,8,0", std::nullopt},
      {"9600,N,8,1.5", std::nullopt},
      {"9600,N,8,3", std::nullopt},
      {"9600;N;8;1", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseSerialSettings(row.text), row.expected);
  }
}

TEST(SerialSettingsText, FormatReadsBack) {
  for (const char* text : {"9600,N,8,1", "1200,O,7,2", "56000,E,8,2", "300,N,7,1"}) {
    const auto parsed = ParseSerialSettings(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_EQ(FormatSerialSettings(*parsed), text);
  }
}

struct AddressRow {
  const char* text;
  std::optional<std::uint16_t> expected;
};

TEST(IoAddressText, HexAfterAmpersandHOrDecimal) {
  const AddressRow rows[] = {
      {"&H378", 0x378}, {"&h378", 0x378},   {"&H3bc", 0x3BC}, {"&H278", 0x278}, {"888", 888},
      {"0", 0},         {"&HFFFF", 0xFFFF}, {"65535", 65535}, {"&H10000", {}},  {"65536", {}},
      {"", {}},         {"&H", {}},         {"&", {}},        {"H378", {}},     {"0x378", {}},
      {"&H37G", {}},    {"&H 378", {}},     {" 888", {}},     {"888 ", {}},     {"-1", {}},
      {"&H-1", {}},     {"+888", {}},       {"&H378&H", {}},  {"&O777", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseIoAddress(row.text), row.expected);
  }
}

TEST(MillisecondCount, ElapsedTimeSurvivesTheWrap) {
  struct Row {
    std::uint32_t then, now, elapsed;
  };
  const Row rows[] = {
      {0, 0, 0},
      {1000, 1050, 50},
      {0xFFFFFFFFu, 0, 1},
      {0xFFFFFFF0u, 0x10, 0x20},
      {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu},  // a count that went back reads as nearly a wrap
  };
  for (const auto& row : rows) EXPECT_EQ(MillisecondsSince(row.then, row.now), row.elapsed);
}

}  // namespace
}  // namespace vantrel
