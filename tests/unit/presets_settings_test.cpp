#include "app_fixture.h"
#include "sound/presets.h"
#include "sound/settings_window.h"

namespace vesko::testing {
namespace {

class SoundTest : public ProgramTest {
 protected:
  void SetUp() override { start(); }
  Ctl preset(int i) { return ctl(("效果" + std::to_string(i)).c_str()); }
  std::vector<int> lit() {
    std::vector<int> on;
    for (int i = 1; i <= 12; ++i)
      if (tk.checked(preset(i))) on.push_back(i);
    return on;
  }
  Ctl settings(const char* name) { return tk.control(app->settings, name); }
  void openSettings() { ASSERT_TRUE(tk.click(ctl("图形按钮4"))); }
};

using PresetTest = SoundTest;
using SettingsTest = SoundTest;

TEST_F(PresetTest, EachPresetSelectsItsInstrument) {
  const std::pair<int, const char*> expected[12] = {
      {4, "Honky-tonk Piano"}, {9, "Celesta"},   {10, "Glockenspiel"},           {11, "Music Box"},
      {15, "Tubular Bells"},   {117, "Taiko Drum"}, {17, "Drawbar Organ"},       {19, "Rock Organ"},
      {113, "Tinkle Bell"},    {26, "Acoustic Guitar (steel)"}, {39, "Synth Bass 1"}, {56, "Orchestra Hit"}};
  for (int i = 1; i <= 12; ++i) {
    log->clear();
    tk.click(preset(i));
    const auto [n, name] = expected[i - 1];
    EXPECT_EQ(lit(), std::vector<int>{i});
    EXPECT_EQ(tk.currentItem(ctl("乐器名组合框")), n - 1);
    EXPECT_EQ(tk.itemText(ctl("乐器名组合框"), n - 1), name);
    char change[8];
    std::snprintf(change, sizeof change, "C0 %02X", n - 1);
    EXPECT_EQ(sent(), std::vector<std::string>{change}) << i;
  }
}

TEST_F(PresetTest, TheLitPresetClickedAgainStaysLitAndSendsAgain) {
  tk.click(preset(10));
  tk.click(preset(10));
  EXPECT_EQ(lit(), std::vector<int>{10});
  EXPECT_EQ(sent(), (std::vector<std::string>{"C0 19", "C0 19"}));
}

TEST_F(PresetTest, WithoutADeviceThePresetIsStoredNotSent) {
  midi->closeDevice();
  log->clear();
  tk.click(preset(6));
  EXPECT_TRUE(sent().empty());
  EXPECT_FALSE(midi->isDeviceOpen());
  EXPECT_EQ(midi->getInstrument(), 117);
}

TEST_F(PresetTest, SettingsShowTheChosenPresetsInstrument) {
  tk.click(preset(6));
  openSettings();
  EXPECT_EQ(tk.itemCount(settings("乐器名组合框1")), 128);
  EXPECT_EQ(tk.itemText(settings("乐器名组合框1"), tk.currentItem(settings("乐器名组合框1"))), "Taiko Drum");
  EXPECT_FALSE(tk.click(preset(1)));  // the main window waits while the settings show
  tk.click(settings("按钮2"));
  EXPECT_EQ(lit(), std::vector<int>{6});
}

// Either oval button opens the window; the first opening shows the
// transposition in force (0), not the slider's design position 36, so that
// opening and cancelling leaves every key sounding its own note.
TEST_F(SettingsTest, FirstOpeningAndCancelKeepTheKeysWhereTheyWere) {
  for (const char* button : {"图形按钮4", "图形按钮3"}) {
    SCOPED_TRACE(button);
    start();
    ASSERT_TRUE(tk.click(ctl(button)));
    EXPECT_EQ(tk.windowDef(app->settings)->title, "设置窗口");
    EXPECT_EQ(tk.itemText(settings("设备名组合框1"), 1), "dev1");
    EXPECT_EQ(tk.currentItem(settings("设备名组合框1")), 0);
    EXPECT_EQ(tk.sliderPosition(settings("滑块条1")), 0);
    EXPECT_EQ(tk.caption(settings("标签1")), "C调");
    EXPECT_FALSE(tk.keyPress(app->main, 81));  // the main window takes no input meanwhile
    tk.click(settings("按钮2"));
    EXPECT_FALSE(tk.isWindowCreated(app->settings));
    EXPECT_EQ(st().transpose, 0);
    EXPECT_EQ(st().transposeChanged, 1);
    EXPECT_TRUE(sent().empty());  // cancelling touches neither device nor instrument
    tk.keyPress(app->main, 81);
    EXPECT_EQ(sent(), std::vector<std::string>{"90 3C 7F"});
  }
}

TEST_F(SettingsTest, TheSliderTransposesAtOnce) {
  openSettings();
  struct Case { int position; const char* label; };
  for (const Case& c : {Case{36, "C调"}, Case{37, "C#调"}, Case{87, "D#调"}, Case{11, "B调"}}) {
    tk.moveSlider(settings("滑块条1"), c.position);
    EXPECT_EQ(st().transpose, c.position);
    EXPECT_EQ(tk.caption(settings("标签1")), c.label);
  }
  tk.moveSlider(settings("滑块条1"), 200);  // the slider stops at its end
  EXPECT_EQ(st().transpose, 87);
  tk.click(settings("按钮2"));  // cancelling keeps what the slider set
  EXPECT_EQ(st().transpose, 87);
  openSettings();
  EXPECT_EQ(tk.sliderPosition(settings("滑块条1")), 87);
}

TEST_F(SettingsTest, ConfirmReopensTheDeviceAndSendsTheInstrument) {
  tk.click(preset(3));
  openSettings();
  log->clear();
  tk.click(settings("按钮1"));  // nothing changed
  EXPECT_EQ(log->events, (std::vector<std::string>{"close dev0", "open dev0", "dev0 C0 09"}));
  EXPECT_FALSE(tk.isWindowCreated(app->settings));

  openSettings();
  tk.chooseItem(settings("设备名组合框1"), 1);
  tk.chooseItem(settings("乐器名组合框1"), 0);
  log->clear();
  tk.click(settings("按钮1"));
  EXPECT_EQ(log->events, (std::vector<std::string>{"close dev0", "open dev1", "dev1 C0 00"}));
  EXPECT_EQ(tk.currentItem(ctl("设备名组合框")), 1);
  EXPECT_EQ(tk.currentItem(ctl("乐器名组合框")), 0);
  EXPECT_EQ(lit(), std::vector<int>{3});  // the preset's lamp stays
}

TEST_F(SettingsTest, ConfirmWithoutAnyDevice) {
  start({.devices = 0});
  openSettings();
  EXPECT_EQ(tk.currentItem(settings("设备名组合框1")), -1);
  tk.click(settings("按钮1"));
  EXPECT_FALSE(midi->isDeviceOpen());
  EXPECT_EQ(midi->getInstrument(), 4);
}

}  // namespace
}  // namespace vesko::testing
