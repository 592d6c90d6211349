#include "playback_fixture.h"

namespace vesko::testing {
namespace {

using PlaybackTest = PlaybackFixture;

TEST_F(PlaybackTest, RecordingPlaysEachTokenOnTimeAndEnds) {
  start();
  playRecording("60@4 ");  // played with the p@2 tail
  tk.advance(49);
  EXPECT_TRUE(sent().empty());
  tk.advance(1);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F"}));
  tk.advance(239);
  EXPECT_EQ(sent().size(), 1u);
  tk.advance(1);  // 290 ms: the rest silences 60
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F", "80 3C 00"}));
  tk.advance(479);
  EXPECT_EQ(sent().size(), 2u);
  EXPECT_TRUE(tk.checked(ctl("播放")));
  EXPECT_EQ(st().playPos, 2);
  tk.advance(1);  // 770 ms: the end silences 60 again
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F", "80 3C 00", "80 3C 00"}));

  EXPECT_EQ(st().playPos, 0);
  EXPECT_EQ(st().lastNote, 0);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_FALSE(tk.disabled(ctl("录音")));
  EXPECT_FALSE(tk.visible(ctl("音波画板")));
  for (const char* t : {"时钟1", "时钟2", "时钟4"}) EXPECT_EQ(tk.period(ctl(t)), 0) << t;
  EXPECT_EQ(tk.picture(key(60)), "key_white_lit");
  EXPECT_EQ(st().litKey, key(60));
  tk.advance(5000);
  EXPECT_EQ(sent().size(), 3u);
}

struct TimelineCase {
  const char* score;
  Timeline expected;
  int endMs;
};
void PrintTo(const TimelineCase& c, std::ostream* os) { *os << '"' << c.score << '"'; }

class PlaybackTimelineTest : public PlaybackFixture, public ::testing::WithParamInterface<TimelineCase> {};

TEST_P(PlaybackTimelineTest, TicksComeWhenTheTokensSay) {
  start();
  startPlayback(*app, GetParam().score);
  EXPECT_EQ(runToEnd(), GetParam().expected);
  EXPECT_EQ(endMs, GetParam().endMs);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(st().playPos, 0);
}

INSTANTIATE_TEST_SUITE_P(
    PlaybackScores, PlaybackTimelineTest,
    ::testing::Values(
        TimelineCase{"", {}, 50},
        // A leading bar keeps the first period of 50 ms.
        TimelineCase{"| 60@4", {"100 90 3C 7F", "340 80 3C 00"}, 340},
        TimelineCase{"2. 60@8", {"100 90 3C 7F", "220 80 3C 00"}, 220},
        // A bar between notes lasts as long as the note before it.
        TimelineCase{"60@8 || 62@8",
                     {"50 90 3C 7F", "170 80 3C 00", "290 80 3C 00", "290 90 3E 7F", "410 80 3E 00"},
                     410},
        // Dotted notes last three times their plain period, dotted rests do not;
        // the note-off for "none yet" (255) never reaches the device.
        TimelineCase{"p@4. 60@32 62@4. 64@16",
                     {"290 90 3C 7F", "320 80 3C 00", "320 90 3E 7F", "1040 80 3E 00", "1040 90 40 7F",
                      "1100 80 40 00"},
                     1100},
        // Tokens outside the format each play one silent tick at the running
        // period: an empty token, p alone, symbols reading as 0 or less.
        TimelineCase{"60@8  p 60@0 p@x 60@-4 60@. p@@2 62@8",
                     {"50 90 3C 7F", "170 80 3C 00", "290 80 3C 00", "410 80 3C 00", "530 80 3C 00",
                      "650 80 3C 00", "770 80 3C 00", "890 80 3C 00", "1010 80 3C 00", "1010 90 3E 7F",
                      "1130 80 3E 00"},
                     1130},
        TimelineCase{" p@0", {}, 150}));

TEST_F(PlaybackTest, LongScoreKeepsToTheBeat) {
  start();
  std::string score;
  for (int i = 0; i < 500; ++i) score += (i % 2 ? "62@8 " : "60@32 ");
  startPlayback(*app, score);
  const Timeline t = runToEnd(200000);
  // 250 notes of 30 ms and 250 of 120 ms after the first 50 ms.
  EXPECT_EQ(endMs, 50 + 250 * 30 + 250 * 120);
  ASSERT_EQ(t.size(), 1000u);
  EXPECT_EQ(t.back(), std::to_string(endMs) + " 80 3E 00");
}

TEST_F(PlaybackTest, PlayPosBeyondTheTokensEndsTheScore) {
  start();
  st().playPos = 7;  // left from a longer score that was paused
  playRecording("60@4 ");
  tk.advance(50);
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(st().playPos, 0);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(tk.period(ctl("时钟2")), 0);
}

TEST_F(PlaybackTest, LiveTranspositionIsNotApplied) {
  start();
  st().transpose = 12;
  startPlayback(*app, "60@8");
  tk.advance(50);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F"}));
  EXPECT_EQ(st().lastNote, 60);
  EXPECT_EQ(st().waveLevel, 60);
}

struct NotationCase {
  int note;
  NotationLines lines;
};
void PrintTo(const NotationCase& c, std::ostream* os) { *os << "note " << c.note; }

class PlaybackNotationTest : public PlaybackFixture, public ::testing::WithParamInterface<NotationCase> {};

TEST_P(PlaybackNotationTest, OneNoteShowsItsDigitAndDots) {
  start();
  startPlayback(*app, std::to_string(GetParam().note) + "@8");
  tk.advance(50);
  const NotationLines& want = GetParam().lines;
  const NotationLines& got = st().notationLines;
  EXPECT_EQ(got.digits, want.digits);
  EXPECT_EQ(got.high2, want.high2);
  EXPECT_EQ(got.high1, want.high1);
  EXPECT_EQ(got.low1, want.low1);
  EXPECT_EQ(got.low2, want.low2);
  EXPECT_EQ(tk.caption(ctl("乐谱")), want.digits);
  EXPECT_EQ(tk.caption(ctl("高2")), want.high2);
  EXPECT_EQ(tk.caption(ctl("高1")), want.high1);
  EXPECT_EQ(tk.caption(ctl("低1")), want.low1);
  EXPECT_EQ(tk.caption(ctl("低2")), want.low2);
}

INSTANTIATE_TEST_SUITE_P(PlaybackNotes, PlaybackNotationTest,
                         ::testing::Values(NotationCase{61, {" 1", "  ", "  ", "  ", "  "}},
                                           NotationCase{96, {" 1", "  ", "  ", "  ", "  "}},
                                           NotationCase{36, {" 1", "  ", "  ", " .", " ."}},
                                           NotationCase{95, {" 7", " .", " .", "  ", "  "}},
                                           NotationCase{50, {" 2", "  ", "  ", " .", "  "}},
                                           NotationCase{71, {" 7", "  ", "  ", "  ", "  "}},
                                           NotationCase{77, {" 4", "  ", " .", "  ", "  "}},
                                           NotationCase{120, {" 1", "  ", "  ", "  ", "  "}}));

TEST_F(PlaybackTest, EleventhNoteFillsTheLineAndTwelfthStartsANewOne) {
  start();
  startPlayback(*app, "60@32 62@32 64@32 65@32 67@32 69@32 71@32 72@32 74@32 76@32 77@32 79@32");
  tk.advance(50 + 9 * 30);
  const NotationLines& n = st().notationLines;
  EXPECT_EQ(n.digits, " 1 2 3 4 5 6 7 1 2 3");
  EXPECT_EQ(n.high1, "               . . .");
  EXPECT_EQ(n.high2, std::string(20, ' '));
  tk.advance(30);
  EXPECT_EQ(n.digits, " 1 2 3 4 5 6 7 1 2 3 4");
  for (const std::string* line : {&n.high2, &n.high1, &n.low1, &n.low2}) EXPECT_EQ(*line, "");
  EXPECT_EQ(tk.caption(ctl("高1")), "");
  tk.advance(30);
  EXPECT_EQ(n.digits, " 5");
  EXPECT_EQ(n.high2, "  ");
  EXPECT_EQ(n.high1, " .");
  EXPECT_EQ(n.low1, "  ");
  EXPECT_EQ(tk.caption(ctl("乐谱")), " 5");
  EXPECT_EQ(tk.caption(ctl("高1")), " .");
}

}  // namespace
}  // namespace vesko::testing
