#include "app_fixture.h"
#include "score/quantise.h"

namespace vesko::testing {
namespace {

class RecorderTest : public ProgramTest {
 protected:
  void SetUp() override { start(); }
  void record() { ASSERT_TRUE(tk.click(ctl("录音"))); }
  void press(int code) { tk.keyPress(app->main, code); }
  void release(int code) { tk.keyRelease(app->main, code); }
  void ticks(int n) { tk.advance(100.0 * n); }
};

constexpr int Q = 81, W = 87, E = 69;

TEST_F(RecorderTest, QuantisationTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "8"},  {"0", "8"},   {"1", "8"},   {"2", "8"},   {"3", "4."},  {"4", "4"},  {"5", "2."},
      {"6", "2."}, {"7", "2"},  {"8", "2"},   {"9", "1."},  {"10", "1."}, {"11", "1"}, {"12", "1"},
      {"13", "1."}, {"40", "1."}, {"4.", "4"}, {"2.9999999999", "4."},
  };
  for (const auto& [slot, symbol] : cases) EXPECT_EQ(quantiseTicks(slot), symbol) << slot;
}

TEST_F(RecorderTest, StartAndStopWithoutPlaying) {
  const Ctl play = ctl("播放");
  record();
  EXPECT_EQ(st().recordingOn, 1);
  EXPECT_EQ(st().playMode, 0);
  EXPECT_TRUE(tk.disabled(play));
  EXPECT_EQ(tk.period(ctl("时钟3")), 100);
  EXPECT_EQ(tk.focusedWindow(), app->main);
  record();
  EXPECT_EQ(st().recordingOn, 0);
  EXPECT_TRUE(st().scoreText.empty());
  EXPECT_FALSE(tk.disabled(play));
  EXPECT_EQ(tk.period(ctl("时钟3")), 0);
}

TEST_F(RecorderTest, ThreeSeparateKeystrokes) {
  record();
  press(Q);
  ticks(2);
  release(Q);  // the first note is closed here with its held time...
  ticks(1);
  press(W);  // ...and once more here, counting on from its symbol "8": a filler
  ticks(4);
  release(W);
  ticks(2);
  press(E);  // W measured from press to press: 6 ticks
  ticks(3);
  release(E);
  record();  // E closed by the stop
  EXPECT_EQ(st().scoreText, "60@8 1. 62@2. 64@4. ");
}

TEST_F(RecorderTest, AGapCountsOnFromTheSymbol) {
  record();
  press(Q);
  ticks(3);
  release(Q);
  ticks(2);
  press(W);
  EXPECT_EQ(st().scoreText, "60@4. 2. 62@");
}

TEST_F(RecorderTest, LegatoClosesTheHeldNoteAtTheNextPress) {
  record();
  press(Q);
  ticks(4);
  press(W);  // Q still held
  ticks(1);
  release(Q);  // closes nothing
  ticks(1);
  release(W);  // the last release closes its note; the stop closes it once more
  record();
  EXPECT_EQ(st().scoreText, "60@4 62@8 2 ");
}

TEST_F(RecorderTest, ANoteTimedBeforeRecordingCountsFromTheStart) {
  tk.mousePress(key(64), 5, 100);  // not recording: only sets the timed note
  tk.mouseRelease(key(64), 5, 100);
  record();
  ticks(4);
  press(Q);
  ticks(1);
  release(Q);
  record();
  EXPECT_EQ(st().scoreText, "4 60@8 ");
}

TEST_F(RecorderTest, MouseClicksAreMeasuredFromTheirOwnPress) {
  record();
  for (int held : {3, 1, 7}) {
    tk.mousePress(key(60), 5, 100);
    ticks(held);
    tk.mouseRelease(key(60), 5, 100);
    ticks(2);  // the timer stops at the release: the gap does not count
  }
  record();
  EXPECT_EQ(st().scoreText, "60@4. 60@8 60@2 8 ");
}

// The score keeps the played notes: the transposition only moves the sound.
TEST_F(RecorderTest, TranspositionIsNotRecorded) {
  st().transpose = 12;
  record();
  press(Q);
  ticks(4);
  release(Q);
  tk.mousePress(key(62), 5, 100);
  ticks(1);
  tk.mouseRelease(key(62), 5, 100);
  EXPECT_EQ(st().scoreText, "60@4 62@8 ");
}

TEST_F(RecorderTest, StopButtonLeavesARecordingRunning) {
  record();
  press(Q);
  ticks(2);
  tk.click(ctl("停止播放"));
  EXPECT_FALSE(tk.checked(ctl("录音")));
  EXPECT_EQ(st().recordingOn, 1);
  EXPECT_EQ(tk.period(ctl("时钟3")), 100);
  EXPECT_FALSE(tk.disabled(ctl("录音")));
  // The next click finds 录音 unchecked, checks it and starts afresh.
  record();
  EXPECT_TRUE(st().scoreText.empty());
}

}  // namespace
}  // namespace vesko::testing
