#include <set>

#include "app/keyboard.h"
#include "app_fixture.h"
#include "sound/knobs.h"

namespace vesko::testing {
namespace {

using StartupTest = ProgramTest;

TEST_F(StartupTest, StateAfterStartUp) {
  start();
  EXPECT_EQ(st().lastNote, 255);
  EXPECT_EQ(st().playMode, 2);
  EXPECT_EQ(st().transpose, 0);
  EXPECT_TRUE(st().scoreText.empty());
  EXPECT_EQ(st().keyCodes.size(), 54u);
  EXPECT_EQ(st().keyNotes.size(), 54u);
  EXPECT_EQ(st().keyDown, std::vector<int>(54, 0));
  EXPECT_EQ(st().whiteKeyNotes.size(), 35u);
  EXPECT_EQ(tk.windowShape(app->main), "window_shape");

  EXPECT_TRUE(tk.checked(ctl("效果1")));
  for (int i = 2; i <= 12; ++i) EXPECT_FALSE(tk.checked(ctl(("效果" + std::to_string(i)).c_str())));

  const Ctl devices = ctl("设备名组合框");
  ASSERT_EQ(tk.itemCount(devices), 2);
  EXPECT_EQ(tk.itemText(devices, 1), "dev1");
  EXPECT_EQ(tk.currentItem(devices), 0);
  const Ctl instruments = ctl("乐器名组合框");
  ASSERT_EQ(tk.itemCount(instruments), 128);
  EXPECT_EQ(tk.currentItem(instruments), 3);
  EXPECT_EQ(tk.itemText(instruments, 3), "Honky-tonk Piano");
  EXPECT_EQ(tk.itemValue(instruments, 3), 4);
  EXPECT_TRUE(midi->isDeviceOpen());
  EXPECT_EQ(startupEvents, (std::vector<std::string>{"open dev0", "dev0 C0 03"}));

  for (const char* t : {"时钟1", "时钟2", "时钟3", "时钟4", "时钟5"}) EXPECT_EQ(tk.period(ctl(t)), 0) << t;
  EXPECT_FALSE(tk.visible(ctl("音值画板")));
  EXPECT_FALSE(tk.visible(ctl("音波画板")));
  EXPECT_TRUE(tk.messageBoxes().empty());
}

TEST_F(StartupTest, NoDeviceLeavesTheListEmptyAndStartsSilently) {
  start({.devices = 0});
  EXPECT_EQ(tk.itemCount(ctl("设备名组合框")), 0);
  EXPECT_EQ(tk.currentItem(ctl("设备名组合框")), -1);
  EXPECT_FALSE(midi->isDeviceOpen());
  EXPECT_TRUE(startupSent.empty());
  EXPECT_EQ(midi->getInstrument(), 4);
  EXPECT_TRUE(tk.messageBoxes().empty());
}

TEST_F(StartupTest, KeyboardHas61KeysInOrder) {
  start();
  std::set<int> white, black;
  for (int p = 1; p <= 71; ++p) {
    const Ctl k = st().keyButtons[p];
    if (isSkippedPosition(p)) {
      EXPECT_EQ(k, kNoControl) << p;
      continue;
    }
    ASSERT_TRUE(tk.isCreated(k)) << p;
    EXPECT_TRUE(tk.visible(k));
    EXPECT_EQ(tk.nameOf(k), "琴键1");  // every key is a clone of the white template
    const int note = tagNumber(tk.tag(k));
    (p % 2 ? white : black).insert(note);
    EXPECT_EQ(tk.findByTag(app->main, note), k);
  }
  EXPECT_EQ(white.size(), 36u);
  EXPECT_EQ(black.size(), 25u);
  std::set<int> all(white);
  all.insert(black.begin(), black.end());
  EXPECT_EQ(all.size(), 61u);
  EXPECT_EQ(*all.begin(), 36);
  EXPECT_EQ(*all.rbegin(), 96);
  EXPECT_EQ(std::vector<int>(black.begin(), black.end()), st().blackKeyNotes);
  std::set<int> whiteWithoutTop(white);
  whiteWithoutTop.erase(96);
  EXPECT_EQ(std::vector<int>(whiteWithoutTop.begin(), whiteWithoutTop.end()), st().whiteKeyNotes);
}

TEST_F(StartupTest, KeysSitWhereTheLayoutPutsThem) {
  start();
  struct Case { int note; int left; int width; int height; const char* picture; const char* pressed; };
  const Case cases[] = {
      {36, 0, 18, 111, "key_white", "key_white_lit"},  {37, 12, 12, 70, "key_black", "key_black_lit"},
      {41, 54, 18, 111, "key_white", "key_white_lit"}, {42, 66, 12, 70, "key_black", "key_black_lit"},
      {60, 252, 18, 111, "key_white", "key_white_lit"}, {61, 264, 12, 70, "key_black", "key_black_lit"},
      {96, 630, 18, 111, "key_white", "key_white_lit"},
  };
  for (const Case& c : cases) {
    const Ctl k = key(c.note);
    SCOPED_TRACE(c.note);
    EXPECT_EQ(tk.left(k), c.left);
    EXPECT_EQ(tk.top(k), 0);
    EXPECT_EQ(tk.width(k), c.width);
    EXPECT_EQ(tk.height(k), c.height);
    EXPECT_EQ(tk.picture(k), c.picture);
    EXPECT_EQ(tk.pressedPicture(k), c.pressed);
    EXPECT_EQ(tk.parentOf(k), ctl("外形框1"));
  }
  EXPECT_EQ(tk.left(key(96)) + tk.width(key(96)), tk.width(ctl("外形框1")));
  EXPECT_EQ(tk.transparentColour(key(60)), (Rgb{0, 0, 0}));
  EXPECT_EQ(tk.transparentColour(key(61)), (Rgb{255, 255, 255}));
  // Black keys lie above the white ones, so a click on a black key's area reaches it.
  const auto stack = tk.stackingOf(ctl("外形框1"), app->main);
  const auto pos = [&](Ctl c) { return std::find(stack.begin(), stack.end(), c) - stack.begin(); };
  EXPECT_GT(pos(key(61)), pos(key(60)));
  EXPECT_GT(pos(key(61)), pos(key(62)));
  // The templates stay as they were.
  for (const char* t : {"琴键1", "琴键2"}) {
    EXPECT_FALSE(tk.visible(ctl(t)));
    EXPECT_EQ(tk.tag(ctl(t)), "");
  }
}

TEST_F(StartupTest, KnobsArePlacedFromTheMixer) {
  struct Case { int master; int synth; int masterTop; int synthTop; };
  const Case cases[] = {
      {65535, 59392, 72, 72}, {0, 0, 116, 116}, {65535, 65535, 72, 68}, {32768, 29696, 94, 94}, {32767, 29696, 95, 94},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.master);
    start({.masterLevel = c.master, .synthLevel = c.synth});
    EXPECT_EQ(tk.top(ctl("主音量钮")), c.masterTop);
    EXPECT_EQ(tk.top(ctl("软件合成器钮")), c.synthTop);
  }
}

TEST_F(StartupTest, OneChannelLineReadsRightAsMinusOne) {
  start({.masterChannels = 1, .masterLevel = 65535});
  EXPECT_EQ(tk.top(ctl("主音量钮")), 95);
}

TEST_F(StartupTest, UnavailableLinesWarnAndLeaveTheKnobs) {
  start({.masterLine = false, .synthLine = false});
  ASSERT_EQ(tk.messageBoxes().size(), 2u);
  EXPECT_EQ(tk.messageBoxes()[0].text, kMasterFailText);
  EXPECT_EQ(tk.messageBoxes()[0].flags, kMbWarning);
  EXPECT_EQ(tk.messageBoxes()[0].caption, "信息：");
  EXPECT_EQ(tk.messageBoxes()[1].text, kSynthFailText);
  EXPECT_EQ(tk.top(ctl("主音量钮")), 96);
  EXPECT_EQ(tk.top(ctl("软件合成器钮")), 96);
  // The sequence went on to the end.
  EXPECT_TRUE(tk.isCreated(key(96)));
}

TEST_F(StartupTest, SplashShowsForOneSecond) {
  start();
  ASSERT_TRUE(tk.isWindowCreated(app->splash));
  const Win splash = app->splash;
  tk.advance(999);
  EXPECT_TRUE(tk.isWindowCreated(splash));
  tk.advance(1);
  EXPECT_FALSE(tk.isWindowCreated(splash));
  tk.advance(5000);  // and its timer is gone with it
}

TEST_F(StartupTest, MinimiseKeepsTimersRunningAndExitEndsTheLoop) {
  start();
  tk.setPeriod(ctl("时钟3"), 100);
  ASSERT_TRUE(tk.click(ctl("最小化")));
  EXPECT_TRUE(tk.isMinimised(app->main));
  EXPECT_EQ(tk.period(ctl("时钟3")), 100);
  EXPECT_FALSE(tk.ended());
  ASSERT_TRUE(tk.click(ctl("退出")));
  EXPECT_TRUE(tk.ended());
}

TEST_F(StartupTest, AboutIsModal) {
  start();
  ASSERT_TRUE(tk.click(ctl("关于")));
  ASSERT_TRUE(tk.isWindowCreated(app->about));
  EXPECT_EQ(tk.windowDef(app->about)->title, "关于电子琴");
  EXPECT_FALSE(tk.click(ctl("录音")));  // the main window takes no input meanwhile
  tk.destroyWindow(app->about);
  EXPECT_TRUE(tk.click(ctl("录音")));
}

}  // namespace
}  // namespace vesko::testing
