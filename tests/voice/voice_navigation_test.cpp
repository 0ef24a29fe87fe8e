#include "voice/voice_navigation.h"

#include <gtest/gtest.h>

#include "support/fake_wave_player.h"
#include "support/manual_millisecond_clock.h"

namespace vantrel {
namespace {

TEST(VoiceNavigation, WhatEachLevelSays) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(LevelAnnouncements(0), V{"NavDis"});
  EXPECT_EQ(LevelAnnouncements(1), (V{"NavEn", "Call"}));
  EXPECT_EQ(LevelAnnouncements(2), V{"NavEn"});
  EXPECT_EQ(LevelAnnouncements(3), V{});
  EXPECT_FALSE(DupeWaitsForAnnouncement(0));
  EXPECT_TRUE(DupeWaitsForAnnouncement(1));
  EXPECT_TRUE(DupeWaitsForAnnouncement(2));
  EXPECT_EQ(AnnouncementPath("/w", "Dupe"), "/w/Dupe.wav");
  EXPECT_EQ(AnnouncementPath("/w/", "Grid"), "/w/Grid.wav");
}

class AnnouncerTest : public ::testing::Test {
 protected:
  AnnouncerTest() {
    announcer.SetFolder("/w");
    player.lengths = {{"/w/NavEn.wav", 600}, {"/w/Call.wav", 300}, {"/w/Dupe.wav", 400}};
  }
  void Run(int ms) {
    for (int t = 0; t < ms; t += 40) {
      clock.Advance(40);
      if (announcer.Busy()) announcer.Tick();
    }
  }
  ManualMillisecondClock clock;
  FakeWavePlayer player{clock};
  Announcer announcer{player, clock};
};

TEST_F(AnnouncerTest, CallOnlyPlaysNavEnToItsEndThenCall) {
  announcer.AnnounceInTurn(LevelAnnouncements(1));
  Run(560);
  EXPECT_EQ(player.events, std::vector<std::string>{"play /w/NavEn.wav"});
  Run(80);
  EXPECT_EQ(player.events.back(), "play /w/Call.wav");
  Run(400);
  EXPECT_FALSE(announcer.Busy());
}

TEST_F(AnnouncerTest, ANewAnnouncementCutsOffTheOldAndItsQueue) {
  announcer.AnnounceInTurn(LevelAnnouncements(1));
  Run(200);
  announcer.Announce("Dupe");
  Run(2000);
  EXPECT_EQ(player.events,
            (std::vector<std::string>{"play /w/NavEn.wav", "close", "play /w/Dupe.wav"}));
}

TEST_F(AnnouncerTest, MissingFilesAreSilentAndNobodyWaits) {
  announcer.AnnounceInTurn({"Grid", "RstSnt"});
  EXPECT_FALSE(announcer.Busy());
  bool ran = false;
  EXPECT_FALSE(announcer.WhenQuiet([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

TEST_F(AnnouncerTest, WaitersRunInOrderAfterTheEnd) {
  std::vector<int> order;
  announcer.Announce("Dupe");
  EXPECT_TRUE(announcer.WhenQuiet([&] { order.push_back(1); }));
  EXPECT_TRUE(announcer.WhenQuiet([&] {
    order.push_back(2);
    announcer.Announce("Call");  // the focus announcement that follows
  }));
  Run(360);
  EXPECT_TRUE(order.empty());
  Run(80);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(player.events.back(), "play /w/Call.wav");
}

TEST_F(AnnouncerTest, AWaitEndsEvenIfThePlayerNeverDoes) {
  player.lengths["/w/Dupe.wav"] = FakeWavePlayer::kForever;
  bool ran = false;
  announcer.Announce("Dupe");
  announcer.WhenQuiet([&] { ran = true; });
  Run(kLongestAnnouncementMs - 40);
  EXPECT_FALSE(ran);
  Run(80);
  EXPECT_TRUE(ran);
  EXPECT_EQ(player.events.back(), "stop");
}

}  // namespace
}  // namespace vantrel
