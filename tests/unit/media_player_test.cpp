#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <vector>

#include "platform/fluidsynth/midi_file_player.h"
#include "platform/fluidsynth/smf_timing.h"
#include "platform/fluidsynth/soundfont.h"

namespace vesko {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes chunk(const char* id, const Bytes& body) {
  Bytes out(id, id + 4);
  std::size_t n = body.size();
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<unsigned char>(n >> s));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes header(int format, int tracks, int division) {
  return chunk("MThd", {0, static_cast<unsigned char>(format), 0, static_cast<unsigned char>(tracks),
                        static_cast<unsigned char>(division >> 8), static_cast<unsigned char>(division)});
}

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Division 480. Track 0 is the tempo map: 120 bpm, then 60 bpm from tick 960
// (1 s in), end at tick 1440 (1 s later). The two other tracks hold notes, the
// last of which ends at tick 1440 too. 2000 ms in all.
const Bytes kThreeTracks = cat({
    header(1, 3, 480),
    chunk("MTrk", {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,    // 500000 us per quarter
                   0x87, 0x40, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // +960: 1000000
                   0x83, 0x60, 0xFF, 0x2F, 0x00}),                // +480: end
    chunk("MTrk", {0x00, 0xC0, 0x00,                             // piano
                   0x00, 0x90, 0x3C, 0x7F, 0x83, 0x60, 0x80, 0x3C, 0x00,  // note 0..480
                   0x83, 0x60, 0x90, 0x40, 0x7F,                  // 960, running status below
                   0x83, 0x38, 0x40, 0x00,                        // +440: off at 1400
                   0x00, 0xFF, 0x2F, 0x00}),
    chunk("MTrk", {0x89, 0x30, 0x91, 0x43, 0x7F,                  // 1200
                   0x81, 0x70, 0x81, 0x43, 0x00,                  // +240: off at 1440
                   0x00, 0xFF, 0x2F, 0x00}),
});

TEST(MediaPlayerSmfTiming, LengthAndTimesFollowTheTempoMapOfAllTracks) {
  std::string error;
  auto t = readSmfTiming(kThreeTracks, &error);
  ASSERT_TRUE(t) << error;
  EXPECT_EQ(t->tracks, 3);
  EXPECT_EQ(t->division, 480);
  EXPECT_EQ(t->totalTicks, 1440);
  EXPECT_DOUBLE_EQ(t->lengthMs(), 2000);
  struct Case {
    std::int64_t tick;
    double ms;
  };
  for (const Case& c : {Case{0, 0}, Case{480, 500}, Case{960, 1000}, Case{1200, 1500}, Case{1440, 2000}}) {
    EXPECT_DOUBLE_EQ(t->msAt(c.tick), c.ms) << "tick " << c.tick;
    EXPECT_EQ(t->tickAt(c.ms), c.tick) << "ms " << c.ms;
  }
  EXPECT_EQ(t->tickAt(1499.9), 1199);
}

TEST(MediaPlayerSmfTiming, TempoInALaterTrackCountsAndUnknownChunksAreSkipped) {
  // Format 1 with the tempo change in the second track, 96 ticks per quarter,
  // and a foreign chunk between the tracks.
  Bytes file = cat({header(1, 2, 96), chunk("MTrk", {0x60, 0xFF, 0x2F, 0x00}), chunk("XFIH", {1, 2, 3}),
                    chunk("MTrk", {0x30, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // +48: 250000
                                   0x60, 0x90, 0x3C, 0x40})});                 // +96, no end event
  auto t = readSmfTiming(file);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->totalTicks, 144);
  EXPECT_DOUBLE_EQ(t->lengthMs(), 250 + 250);
}

TEST(MediaPlayerSmfTiming, RefusesWhatIsNotAPlayableFile) {
  const Bytes track = chunk("MTrk", {0x00, 0xFF, 0x2F, 0x00});
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"empty", {}},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}},
      {"header only", header(1, 1, 480)},
      {"header cut short", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}},
      {"no tracks", cat({header(1, 0, 480), track})},
      {"time-code division", cat({header(0, 1, 0xE250), track})},
      {"division 0", cat({header(0, 1, 0), track})},
      {"fewer tracks than announced", cat({header(1, 2, 480), track})},
      {"chunk longer than the file", cat({header(0, 1, 480), Bytes{'M', 'T', 'r', 'k', 0, 0, 1, 0, 0x00}})},
      {"event cut short", cat({header(0, 1, 480), chunk("MTrk", {0x00, 0x90, 0x3C})})},
      {"data without status", cat({header(0, 1, 480), chunk("MTrk", {0x00, 0x3C, 0x40})})},
      {"endless delta", cat({header(0, 1, 480), chunk("MTrk", {0xFF, 0xFF, 0xFF, 0xFF, 0x7F})})},
      {"meta cut short", cat({header(0, 1, 480), chunk("MTrk", {0x00, 0xFF, 0x51, 0x03, 0x07})})},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(readSmfTiming(c.bytes, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

std::string writeTemp(const std::string& name, const Bytes& bytes) {
  std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("vesko_media_" + std::to_string(::getpid()) + "_" + name);  // ctest runs cases side by side
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return p.string();
}

// The small SoundFont loads in a few tens of milliseconds; the timing cases
// work without any (the song then runs silently).
std::string testSoundFont() {
  const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  if (std::filesystem::is_regular_file(small)) return small;
  return findGeneralMidiSoundFont();
}

class MediaPlayerTest : public ::testing::Test {
 protected:
  MidiFilePlayer player{MidiFilePlayer::Options{testSoundFont(), false, 44100}};
  std::string song = writeTemp("three_tracks.mid", kThreeTracks);

  void TearDown() override { std::remove(song.c_str()); }
};

TEST_F(MediaPlayerTest, NothingOpenTellsNothing) {
  EXPECT_EQ(player.position(), -1);
  EXPECT_EQ(player.length(), 0);
  EXPECT_FALSE(player.play(-1));
  EXPECT_FALSE(player.pauseOrResume());
  EXPECT_FALSE(player.stop());
  EXPECT_FALSE(player.close());
}

TEST_F(MediaPlayerTest, RefusesMissingAndJunkFilesAndClosesThePreviousOne) {
  std::string junk = writeTemp("junk.mid", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0, 'x', 'y'});
  std::string text = writeTemp("text.mid", Bytes{'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'});
  for (const std::string& bad : {std::string("/nonexistent/song.mid"), junk, text,
                                 std::filesystem::temp_directory_path().string()}) {
    ASSERT_TRUE(player.open(song));
    ASSERT_TRUE(player.play(-1));
    player.renderMs(100);
    EXPECT_FALSE(player.open(bad)) << bad;
    EXPECT_FALSE(player.lastError().empty()) << bad;
    EXPECT_EQ(player.position(), -1) << bad;
    EXPECT_EQ(player.length(), 0) << bad;
    EXPECT_FALSE(player.play(-1)) << bad;
  }
  std::remove(junk.c_str());
  std::remove(text.c_str());
}

TEST_F(MediaPlayerTest, PositionFollowsRenderingPausesResumesAndEndsAtTheLength) {
  ASSERT_TRUE(player.open(song)) << player.lastError();
  EXPECT_EQ(player.length(), 2000);
  EXPECT_EQ(player.position(), 0);
  player.renderMs(300);  // not playing yet: time passes, the song does not
  EXPECT_EQ(player.position(), 0);

  ASSERT_TRUE(player.play(-1));
  player.renderMs(500);
  EXPECT_NEAR(player.position(), 500, 5);

  ASSERT_TRUE(player.pauseOrResume());
  int paused = player.position();
  player.renderMs(1000);
  EXPECT_EQ(player.position(), paused);

  ASSERT_TRUE(player.pauseOrResume());
  player.renderMs(500);
  EXPECT_NEAR(player.position(), 1000, 5);
  ASSERT_TRUE(player.pauseOrResume());
  ASSERT_TRUE(player.play(-1));  // play goes on from a pause as resume does
  player.renderMs(600);          // into the slower tempo: the file's ticks and its clock agree
  EXPECT_NEAR(player.position(), 1600, 5);

  // Polled as the progress tick does, the position meets the length exactly.
  int waited = 0;
  while (player.position() != player.length() && waited < 1000) {
    player.renderMs(50);
    waited += 50;
  }
  EXPECT_EQ(player.position(), 2000);
  EXPECT_GE(waited, 400 - 50);
  EXPECT_LE(waited, 400 + 50);
  // And stays there through the player's grace period after the last event.
  player.renderMs(3000);
  EXPECT_EQ(player.position(), player.length());
}

TEST_F(MediaPlayerTest, StopRewindsAndPlayStartsWhereItIsTold) {
  ASSERT_TRUE(player.open(song)) << player.lastError();
  ASSERT_TRUE(player.play(-1));
  player.renderMs(700);
  ASSERT_TRUE(player.stop());
  EXPECT_EQ(player.position(), 0);
  player.renderMs(200);
  EXPECT_EQ(player.position(), 0);
  ASSERT_TRUE(player.play(-1));
  player.renderMs(300);
  EXPECT_NEAR(player.position(), 300, 5);

  ASSERT_TRUE(player.play(1500));
  EXPECT_EQ(player.position(), 1500);
  player.renderMs(200);
  EXPECT_NEAR(player.position(), 1700, 5);
  ASSERT_TRUE(player.stop());  // stop also rewinds a stopped-and-seeked song
  ASSERT_TRUE(player.play(-1));
  player.renderMs(100);
  EXPECT_NEAR(player.position(), 100, 5);
}

TEST_F(MediaPlayerTest, PlayAfterTheEndStartsAgainAndReopeningStartsFresh) {
  ASSERT_TRUE(player.open(song)) << player.lastError();
  ASSERT_TRUE(player.play(-1));
  player.renderMs(2100);
  ASSERT_EQ(player.position(), player.length());
  ASSERT_TRUE(player.play(-1));
  player.renderMs(250);
  EXPECT_NEAR(player.position(), 250, 5);

  ASSERT_TRUE(player.open(song));
  EXPECT_EQ(player.position(), 0);
  ASSERT_TRUE(player.play(-1));
  player.renderMs(400);
  EXPECT_NEAR(player.position(), 400, 5);
  EXPECT_TRUE(player.close());
  EXPECT_EQ(player.position(), -1);
  EXPECT_EQ(player.length(), 0);
}

TEST_F(MediaPlayerTest, SoundsWhilePlayingAndFallsSilentWhenPaused) {
  if (testSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed (fluid-soundfont-gm)";
  ASSERT_TRUE(player.open(song)) << player.lastError();
  ASSERT_TRUE(player.hasSoundFont());
  EXPECT_LT(player.renderMs(200), 1e-6f);  // opened, not playing
  ASSERT_TRUE(player.play(-1));
  EXPECT_GT(player.renderMs(200), 0.01f);
  ASSERT_TRUE(player.pauseOrResume());
  player.renderMs(3000);  // reverb tails die away
  EXPECT_LT(player.renderMs(100), 1e-6f);
  ASSERT_TRUE(player.pauseOrResume());
  player.renderMs(700);  // the note at 960 ms
  EXPECT_GT(player.renderMs(200), 0.01f);
}

}  // namespace
}  // namespace vesko
