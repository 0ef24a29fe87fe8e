#include "platform/qt_wave_player.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/qt_voice_timers.h"
#include "support/private_pulse_server.h"
#include "support/recording_serial_port.h"
#include "support/scratch_folder.h"
#include "support/wav_writer.h"

namespace vantrel {
namespace {

void EnsureApp() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

struct NoParallel : ParallelPort {
  void Write(std::uint16_t, std::uint8_t) override {}
};

class RealPlayback : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new PrivatePulseServer;
    EnsureApp();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    if (!server_->ok()) GTEST_SKIP() << "no sound server for real playback: " << server_->why();
  }
  std::string Path(const char* name) const { return folder_.path() + "/" + name; }

  static PrivatePulseServer* server_;
  ScratchFolder folder_;
};
PrivatePulseServer* RealPlayback::server_ = nullptr;

TEST_F(RealPlayback, OneSecondPlaysForAboutASecondInsidePtt) {
  ASSERT_TRUE(WriteToneWav(Path("one.wav"), 1000));
  QtWavePlayer player;
  RecordingSerialPort serial;
  NoParallel parallel;
  QtVoiceTimers timers;
  VoiceKeyer keyer(player, serial, parallel, timers);
  timers.Attach(&keyer);
  keyer.settings().files[0] = Path("one.wav");
  keyer.settings().port = "1";
  keyer.settings().line = PttLine::kRts;

  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(keyer.FKeyPhone(112));
  EXPECT_TRUE(serial.rts) << "PTT is on before the first sample";
  qint64 playing_ms = -1;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        if (playing_ms < 0 && !player.IsPlaying()) {
          playing_ms = clock.elapsed();
          EXPECT_TRUE(serial.rts) << "PTT still on at the very end";
        }
        return !keyer.PttOn();
      },
      4000));
  EXPECT_FALSE(serial.rts);
  RecordProperty("playing_ms", static_cast<int>(playing_ms));
  EXPECT_GE(playing_ms, 950);
  EXPECT_LE(playing_ms, 1400);
  EXPECT_LE(clock.elapsed() - playing_ms, 200) << "PTT off within a poll or two of the end";
}

TEST_F(RealPlayback, TwoPlayersAreIndependentAndStopAtOnce) {
  ASSERT_TRUE(WriteToneWav(Path("long.wav"), 1000, 44100));
  ASSERT_TRUE(WriteToneWav(Path("short.wav"), 200, 22050));
  QtWavePlayer keyer_player, announcements;
  int first_frames = 0;
  keyer_player.OnFirstFrame([&] { ++first_frames; });
  ASSERT_TRUE(keyer_player.Open(Path("long.wav")));
  ASSERT_TRUE(keyer_player.Play());
  ASSERT_TRUE(announcements.Open(Path("short.wav")));
  ASSERT_TRUE(announcements.Play());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !announcements.IsPlaying(); }, 2000));
  EXPECT_TRUE(keyer_player.IsPlaying());
  EXPECT_EQ(first_frames, 1);
  keyer_player.Stop();
  EXPECT_FALSE(keyer_player.IsPlaying());
  // Playing the same file again starts over.
  ASSERT_TRUE(announcements.Play());
  EXPECT_TRUE(announcements.IsPlaying());
  announcements.Close();
  EXPECT_FALSE(announcements.IsPlaying());
}

TEST_F(RealPlayback, FilesThatWillNotPlay) {
  std::ofstream(Path("empty.wav")).flush();
  std::ofstream(Path("text.wav")) << "RIFX but not really a wave file at all, just text";
  ASSERT_TRUE(WriteToneWav(Path("cut.wav"), 100));
  std::filesystem::resize_file(Path("cut.wav"), 30);
  std::filesystem::create_directory(Path("folder.wav"));
  for (const char* name : {"empty.wav", "text.wav", "cut.wav", "folder.wav", "missing.wav"}) {
    QtWavePlayer player;
    const PlayResult r = player.Open(Path(name));
    EXPECT_EQ(r.kind, PlayResult::Kind::kBadFile) << name;
    EXPECT_FALSE(r.error.empty()) << name;
    EXPECT_EQ(player.Play().kind, PlayResult::Kind::kBadFile) << name;
    EXPECT_FALSE(player.IsPlaying());
  }

  // 2 GB (sparse): the header is read, not the file; it plays until stopped.
  ASSERT_TRUE(WriteToneWav(Path("huge.wav"), 100));
  {
    std::fstream f(Path("huge.wav"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(40);
    const char size[4] = {'\x00', '\xFF', '\xFF', '\x7F'};
    f.write(size, 4);
  }
  std::filesystem::resize_file(Path("huge.wav"), 0x80000000ull);
  QtWavePlayer player;
  ASSERT_TRUE(player.Open(Path("huge.wav")));
  EXPECT_GT(player.info()->DurationMs(), 100000u);
  ASSERT_TRUE(player.Play());
  QTest::qWait(100);
  EXPECT_TRUE(player.IsPlaying());
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
}

TEST(NoSoundServer, PlayingSaysThereIsNoDevice) {
  // In a fresh process, so the sound system meets the dead address first.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ScratchFolder folder;
  const std::string path = folder.path() + "/one.wav";
  ASSERT_TRUE(WriteToneWav(path, 100));
  EXPECT_EXIT(
      {
        setenv("PULSE_SERVER", "unix:/nonexistent/vantrel/socket", 1);
        setenv("PULSE_CLIENTCONFIG", "/dev/null", 1);
        EnsureApp();
        QtWavePlayer player;
        const bool opened = static_cast<bool>(player.Open(path));
        const PlayResult r = player.Play();
        std::exit(opened && r.kind == PlayResult::Kind::kNoDevice && !player.IsPlaying() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vantrel
