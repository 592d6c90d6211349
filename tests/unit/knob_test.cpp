#include "app_fixture.h"
#include "sound/knobs.h"

namespace vesko::testing {
namespace {

using KnobTest = ProgramTest;

TEST_F(KnobTest, VolumeOfEachPlace) {
  struct Case { int top; int master; int synth; };
  for (const Case& c : {Case{116, 0, 0}, Case{115, 1489, 1350}, Case{94, 32767, 29696}, Case{72, 65535, 59392}}) {
    EXPECT_EQ(knobVolume(c.top, 1489.43), c.master) << c.top;
    EXPECT_EQ(knobVolume(c.top, 1349.81), c.synth) << c.top;
  }
}

// One drag: press at y 13, then the moves, then the release.
struct Drag {
  const char* knob;
  int masterLevel, synthLevel;
  std::vector<int> moves;
  int endTop;
  std::vector<std::pair<int, int>> writes;
};

TEST_F(KnobTest, DragSteps) {
  const Drag drags[] = {
      // Up one pixel per movement, the volume of each place written to both channels.
      {"主音量钮", 32768, 59392, {12, 12, 12}, 91, {{34257, 34257}, {35746, 35746}, {37236, 37236}}},
      {"主音量钮", 32768, 59392, {14, 14}, 96, {{31278, 31278}, {29789, 29789}}},
      // At the top of the track it moves no further but still writes.
      {"主音量钮", 65535, 59392, {12}, 72, {{65535, 65535}}},
      {"软件合成器钮", 65535, 59392, {12}, 72, {{59392, 59392}}},
      // At the bottom likewise.
      {"主音量钮", 0, 59392, {14}, 116, {{0, 0}}},
      // A synthesizer line above the knob's range places it above 72: it can go
      // down, not up, and writes the volume of where it is.
      {"软件合成器钮", 65535, 65535, {12, 14}, 69, {{64791, 64791}, {63441, 63441}}},
      // The first movement inside the knob writes even when it does not move.
      {"主音量钮", 32768, 59392, {13}, 94, {{32767, 32767}}},
      // Out of the knob's band above or below: nothing moves, nothing is written.
      {"主音量钮", 32768, 59392, {-1, 26, 40, -30}, 94, {}},
      // Holding without moving.
      {"主音量钮", 32768, 59392, {}, 94, {}},
  };
  for (const Drag& d : drags) {
    SCOPED_TRACE(std::string(d.knob) + " " + std::to_string(d.masterLevel) + " " + std::to_string(d.moves.size()));
    start({.masterLevel = d.masterLevel, .synthLevel = d.synthLevel});
    const Ctl knob = ctl(d.knob);
    const int type = std::string(d.knob) == "主音量钮" ? kMasterLine : kSynthLine;
    ASSERT_TRUE(tk.mousePress(knob, 5, 13));
    for (int y : d.moves) tk.mouseMove(knob, 5, y);
    tk.mouseRelease(knob, 5, 13);
    EXPECT_EQ(tk.top(knob), d.endTop);
    EXPECT_EQ(mixer.lines[type].writes, d.writes);
    EXPECT_EQ(st().knobDragging, 0);
  }
}

TEST_F(KnobTest, DraggingToTheEndsSetsFullVolumeAndSilence) {
  start({.masterLevel = 0, .synthLevel = 0});
  for (const char* name : {"主音量钮", "软件合成器钮"}) {
    const Ctl knob = ctl(name);
    tk.mousePress(knob, 8, 25);
    for (int i = 0; i < 60; ++i) tk.mouseMove(knob, 8, 0);
    tk.mouseRelease(knob, 8, 0);
    EXPECT_EQ(tk.top(knob), 72);
  }
  EXPECT_EQ(mixer.lines[kMasterLine].left, 65535);
  EXPECT_EQ(mixer.lines[kMasterLine].right, 65535);
  EXPECT_EQ(mixer.lines[kSynthLine].left, 59392);
  const Ctl master = ctl("主音量钮");
  tk.mousePress(master, 8, 0);
  for (int i = 0; i < 60; ++i) tk.mouseMove(master, 8, 25);
  tk.mouseRelease(master, 8, 25);
  EXPECT_EQ(tk.top(master), 116);
  EXPECT_EQ(mixer.lines[kMasterLine].left, 0);
}

TEST_F(KnobTest, MovesWithoutAPressDoNothing) {
  start({.masterLevel = 32768});
  tk.mouseMove(ctl("主音量钮"), 5, 2);
  EXPECT_EQ(tk.top(ctl("主音量钮")), 94);
  EXPECT_TRUE(mixer.lines[kMasterLine].writes.empty());
}

TEST_F(KnobTest, HeldKnobCapturesTheMouse) {
  start({.masterLevel = 32768});
  const Ctl knob = ctl("主音量钮");
  tk.mousePress(knob, 5, 13);
  EXPECT_EQ(tk.captured(), knob);
  // The pointer is over another control now; the knob still gets the move,
  // in its own coordinates (one pixel above the press point).
  const Ctl other = ctl("软件合成器钮");
  tk.mouseMove(other, 5 + tk.left(knob) - tk.left(other), 12 + tk.top(knob) - tk.top(other));
  EXPECT_EQ(tk.top(knob), 93);
  EXPECT_EQ(tk.top(other), 72);
  tk.mouseRelease(other, 0, 0);
  EXPECT_EQ(tk.captured(), kNoControl);
}

TEST_F(KnobTest, LineLostWhileDraggingWarnsAtEveryStep) {
  start({.masterLevel = 32768});
  mixer.lines[kMasterLine].available = false;
  const Ctl knob = ctl("主音量钮");
  tk.mousePress(knob, 5, 13);
  tk.mouseMove(knob, 5, 12);
  tk.mouseMove(knob, 5, 12);
  EXPECT_EQ(tk.top(knob), 92);
  ASSERT_EQ(tk.messageBoxes().size(), 2u);
  EXPECT_EQ(tk.messageBoxes()[1].text, kMasterFailText);
  EXPECT_EQ(tk.messageBoxes()[1].flags, kMbWarning);
}

}  // namespace
}  // namespace vesko::testing
