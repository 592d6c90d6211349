#include "playback_fixture.h"
#include "score/play_commands.h"

namespace vesko::testing {
namespace {

using PlayCommandTest = PlaybackFixture;

TEST_F(PlayCommandTest, EmptyRecordingLeavesPlayCheckedAndPlaysNothing) {
  start();
  playRecording("");
  EXPECT_TRUE(tk.checked(ctl("播放")));
  EXPECT_TRUE(tk.checked(ctl("音波")));
  EXPECT_EQ(tk.period(ctl("时钟2")), 0);
  EXPECT_FALSE(tk.visible(ctl("音波画板")));
  tk.advance(1000);
  EXPECT_TRUE(sent().empty());
  EXPECT_EQ(tk.focusedWindow(), app->main);
}

TEST_F(PlayCommandTest, PauseSilencesAndResumeGoesOnWithTheNextToken) {
  start();
  playRecording("60@4 62@4 64@4 ");
  EXPECT_TRUE(tk.visible(ctl("音波画板")));
  EXPECT_EQ(tk.period(ctl("时钟1")), 350);
  EXPECT_EQ(tk.period(ctl("时钟4")), 150);
  tk.advance(150);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F"}));

  tk.click(ctl("播放"));  // pause
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F", "80 3C 00"}));
  EXPECT_EQ(tk.picture(key(60)), "key_white");
  for (const char* t : {"时钟1", "时钟2", "时钟4"}) EXPECT_EQ(tk.period(ctl(t)), 0) << t;
  EXPECT_EQ(st().playPos, 1);
  tk.advance(2000);
  EXPECT_EQ(sent().size(), 2u);

  log->clear();
  tk.click(ctl("播放"));  // resume
  EXPECT_EQ(st().notationLines.digits, "");
  EXPECT_EQ(tk.caption(ctl("乐谱")), " 1");  // until the next note is shown
  tk.advance(50);
  EXPECT_EQ(sent(), (std::vector<std::string>{"80 3C 00", "90 3E 7F"}));
  EXPECT_EQ(st().notationLines.digits, " 2");
  EXPECT_EQ(st().playPos, 2);
}

TEST_F(PlayCommandTest, StopResetsTheDeviceAndTheNextPlayStartsAtTheFirstToken) {
  start();
  tk.setDisabled(ctl("录音"), true);
  tk.setChecked(ctl("录音"), true);
  playRecording("60@4 62@4 ");
  tk.advance(290);
  EXPECT_EQ(st().playPos, 2);
  log->clear();

  tk.click(ctl("停止播放"));
  EXPECT_EQ(log->events, (std::vector<std::string>{"close dev0", "open dev0", "dev0 C0 03"}));
  EXPECT_FALSE(tk.disabled(ctl("录音")));
  EXPECT_FALSE(tk.checked(ctl("录音")));
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_FALSE(tk.visible(ctl("音波画板")));
  for (const char* t : {"时钟1", "时钟2", "时钟4"}) EXPECT_EQ(tk.period(ctl(t)), 0) << t;
  EXPECT_EQ(tk.picture(key(62)), "key_white");
  EXPECT_EQ(st().playPos, 0);
  EXPECT_EQ(st().lastNote, 62);
  EXPECT_EQ(tk.focusedWindow(), app->main);

  log->clear();
  tk.click(ctl("播放"));
  tk.advance(50);
  // The first tick silences lastNote only once a token has been taken.
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F"}));
}

TEST_F(PlayCommandTest, StopReopensTheDeviceTheSettingsShow) {
  start();
  tk.setCurrentItem(ctl("设备名组合框"), 1);
  tk.setCurrentItem(ctl("乐器名组合框"), 10);
  tk.click(ctl("停止播放"));
  EXPECT_EQ(log->events, (std::vector<std::string>{"close dev0", "open dev1", "dev1 C0 0A"}));
  EXPECT_EQ(midi->getInstrument(), 11);
}

TEST_F(PlayCommandTest, PlayOpensTheDeviceTheSettingsShowOnlyWhenNoneIsOpen) {
  start();
  tk.setCurrentItem(ctl("设备名组合框"), 1);
  playRecording("60@4 ");
  tk.advance(50);
  EXPECT_EQ(log->events, (std::vector<std::string>{"dev0 90 3C 7F"}));

  tk.click(ctl("停止播放"));
  midi->closeDevice();
  log->clear();
  tk.click(ctl("播放"));
  tk.advance(50);
  EXPECT_EQ(log->events, (std::vector<std::string>{"open dev1", "dev1 90 3C 7F"}));
}

TEST_F(PlayCommandTest, SidePicturesBlinkWhilePlayingAndKeepTheirStateAfter) {
  start();
  playRecording("60@1 ");
  const Ctl left = ctl("图形按钮1"), right = ctl("图形按钮2");
  tk.advance(349);
  EXPECT_TRUE(tk.visible(left));
  tk.advance(1);
  EXPECT_FALSE(tk.visible(left));
  EXPECT_FALSE(tk.visible(right));
  tk.advance(350);
  EXPECT_TRUE(tk.visible(left));
  EXPECT_TRUE(tk.visible(right));
  tk.advance(350);
  tk.click(ctl("停止播放"));
  tk.advance(2000);
  EXPECT_FALSE(tk.visible(left));
  EXPECT_FALSE(tk.visible(right));
}

// The file commands start the media player; here it is set going by hand.
class PlayCommandMediaTest : public PlaybackFixture {
 protected:
  void startMedia() {
    start();
    st().mediaPlaying = 1;
    tk.setChecked(ctl("播放"), true);
    tk.setPeriod(ctl("时钟1"), 350);
    tk.setPeriod(ctl("时钟5"), 50);
  }
};

TEST_F(PlayCommandMediaTest, PauseThenEveryClickPlaysOnUntilTheEnd) {
  startMedia();
  tk.click(ctl("播放"));
  EXPECT_EQ(media.calls, (std::vector<std::string>{"pause"}));
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(st().mediaPlaying, 0);
  EXPECT_EQ(st().mediaPaused, 1);
  EXPECT_EQ(tk.period(ctl("时钟5")), 0);
  EXPECT_EQ(tk.period(ctl("时钟1")), 0);

  tk.click(ctl("播放"));
  EXPECT_TRUE(tk.checked(ctl("播放")));
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
  tk.click(ctl("播放"));  // plays on again, it does not pause
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(media.calls, (std::vector<std::string>{"pause", "play -1", "play -1"}));
  EXPECT_EQ(st().mediaPaused, 1);
  EXPECT_TRUE(sent().empty());

  media.positionMs = 2999;
  media.lengthMs = 3000;
  tk.advance(500);
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
  media.positionMs = 3000;
  tk.advance(50);
  EXPECT_EQ(media.calls.back(), "close");
  EXPECT_EQ(tk.period(ctl("时钟5")), 0);
  EXPECT_EQ(tk.period(ctl("时钟1")), 0);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(st().mediaPaused, 0);
}

TEST_F(PlayCommandMediaTest, PlayerThatCannotTellIsAskedAgain) {
  startMedia();
  media.positionMs = -1;
  media.lengthMs = 0;
  tk.advance(1000);
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
  EXPECT_TRUE(media.calls.empty());
  EXPECT_TRUE(tk.checked(ctl("播放")));
}

TEST_F(PlayCommandMediaTest, StopRewindsButLeavesTheProgressTimerAsking) {
  startMedia();
  media.lengthMs = 3000;
  tk.click(ctl("停止播放"));
  EXPECT_EQ(media.calls, (std::vector<std::string>{"stop"}));
  EXPECT_EQ(st().mediaPlaying, 0);
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
  EXPECT_EQ(tk.period(ctl("时钟1")), 0);
  media.positionMs = 0;  // rewound: not the length
  tk.advance(1000);
  EXPECT_EQ(media.calls, (std::vector<std::string>{"stop"}));
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
}

}  // namespace
}  // namespace vesko::testing
