#include "display/sound_wave.h"
#include "playback_fixture.h"

namespace vesko::testing {
namespace {

using SoundWaveTest = PlaybackFixture;
using Rect = HeadlessToolkit::CanvasRect;

std::vector<Rect> barsAt(int top, int count) {
  std::vector<Rect> rects;
  for (int i = 1; i <= count; ++i) rects.push_back({10 * i - 8, top, 10 * i, 44});
  return rects;
}

TEST_F(SoundWaveTest, FirstTickDrawsNothingAndTheSeventeenthDrawsSixteenBars) {
  start();
  playRecording("60@1. ");
  const Ctl canvas = ctl("音波画板");
  tk.advance(150);
  EXPECT_TRUE(tk.canvasRects(canvas).empty());
  EXPECT_EQ(st().waveBars, std::vector<int>{20});
  tk.advance(150);
  EXPECT_EQ(tk.canvasRects(canvas), barsAt(20, 1));
  tk.advance(15 * 150);  // 17th tick
  EXPECT_EQ(tk.canvasRects(canvas), barsAt(20, 16));
  EXPECT_EQ(st().waveBars.size(), 17u);
  tk.advance(150);
  EXPECT_EQ(tk.canvasRects(canvas), barsAt(20, 16));
  EXPECT_EQ(st().waveBars.size(), 17u);
}

TEST_F(SoundWaveTest, BarsFollowTheLastNoteAndRestsRepeatIt) {
  start();
  // No note yet at the first tick: level 0 fills the whole height.
  playRecording("p@4 61@8 ");
  tk.advance(150);
  EXPECT_EQ(st().waveBars, std::vector<int>{-10});
  tk.advance(750);  // 61 at 290, the p@2 tail from 410, the end at 890
  EXPECT_EQ(tk.period(ctl("时钟4")), 0);
  EXPECT_EQ(st().waveBars, (std::vector<int>{20, 20, 20, 20, -10}));
  EXPECT_EQ(tk.canvasRects(ctl("音波画板")).front(), (Rect{2, 20, 10, 44}));
  EXPECT_EQ(tk.canvasRects(ctl("音波画板")).back(), (Rect{32, 0, 40, 44}));
}

TEST_F(SoundWaveTest, BarsOutsideTheCanvasAreClippedToIt) {
  start();
  st().waveBars = {-10, 8, 38, 43, 44, 300};
  drawWaveBars(*app, 5);
  EXPECT_EQ(tk.canvasRects(ctl("音波画板")),
            (std::vector<Rect>{{2, 0, 10, 44}, {12, 8, 20, 44}, {22, 38, 30, 44}, {32, 43, 40, 44}}));
  EXPECT_EQ(st().waveBars, (std::vector<int>{5, -10, 8, 38, 43, 44, 300}));
}

TEST_F(SoundWaveTest, SwitchButtonsChooseTheCanvasAndLeaveTheTimer) {
  start();
  playRecording("60@1 ");
  tk.click(ctl("音值"));
  EXPECT_TRUE(tk.visible(ctl("音值画板")));
  EXPECT_FALSE(tk.visible(ctl("音波画板")));
  EXPECT_EQ(tk.period(ctl("时钟4")), 150);
  tk.advance(300);
  EXPECT_EQ(st().waveBars.size(), 2u);  // drawn on the hidden canvas
  tk.click(ctl("音波"));
  EXPECT_FALSE(tk.visible(ctl("音值画板")));
  EXPECT_TRUE(tk.visible(ctl("音波画板")));
  EXPECT_EQ(tk.period(ctl("时钟4")), 150);
}

}  // namespace
}  // namespace vesko::testing
