#include "sound/settings_window.h"

#include "app/bindings.h"

namespace vesko {

namespace {

ControlDef item(const char* name, Kind kind, int left, int top, int width, int height, const char* caption = "") {
  ControlDef c = controlDef(name, kind, left, top, width, height);
  c.caption = caption;
  c.background = Rgb{0, 0, 0};
  return c;
}

// Copies the items and the current item of a main-window list.
void copyList(App& app, Ctl from, Ctl to) {
  WindowToolkit& tk = app.tk;
  for (int i = 0; i < tk.itemCount(from); ++i) tk.addItem(to, tk.itemText(from, i), tk.itemValue(from, i));
  tk.setCurrentItem(to, tk.currentItem(from));
}

}  // namespace

std::string keyNameOf(int transpose) {
  static const char* const kKeyNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  return std::string(kKeyNames[((transpose % 12) + 12) % 12]) + "调";
}

WindowDef settingsWindowDef() {
  WindowDef w;
  w.name = kSettingsWindow;
  w.title = "设置窗口";
  w.width = 317;
  w.height = 265;
  w.centred = true;
  auto& c = w.controls;
  c.push_back(item("分组框1", Kind::GroupBox, 16, 16, 280, 56, "选择设备:"));
  c.push_back(item("设备名组合框1", Kind::ComboBox, 32, 38, 248, 20));
  c.push_back(item("分组框2", Kind::GroupBox, 16, 76, 280, 56, "选择乐器:"));
  c.push_back(item("乐器名组合框1", Kind::ComboBox, 32, 98, 248, 20));
  c.push_back(item("分组框3", Kind::GroupBox, 16, 137, 280, 47, "设置音调:"));
  ControlDef slider = item("滑块条1", Kind::SliderBar, 25, 152, 215, 24);
  slider.minimum = 0;
  slider.maximum = 87;
  slider.position = 36;
  c.push_back(slider);
  c.push_back(item("标签1", Kind::Label, 248, 151, 38, 25));
  c.back().fontPixels = 14;
  c.push_back(item("按钮1", Kind::Button, 79, 195, 72, 24, "确认(&O)"));
  c.push_back(item("按钮2", Kind::Button, 160, 195, 72, 24, "取消(&C)"));
  return w;
}

void settingsButtonClicked(App& app, const Event&) { app.tk.loadWindow(settingsWindowDef(), true); }

void settingsCreated(App& app, const Event& e) {
  WindowToolkit& tk = app.tk;
  app.settings = e.window;
  // 1. and 2.
  copyList(app, app.ctl("设备名组合框"), app.settingsCtl("设备名组合框1"));
  copyList(app, app.ctl("乐器名组合框"), app.settingsCtl("乐器名组合框1"));
  // 3. The slider opens at the transposition in force, the first time too:
  // opening the window must not move every key three octaves up by itself.
  tk.setSliderPosition(app.settingsCtl("滑块条1"), app.st.transpose);
  // 4.
  takeTransposeFromSlider(app, e);
}

void takeTransposeFromSlider(App& app, const Event&) {
  PianoState& st = app.st;
  st.transposeChanged = 1;
  st.transpose = static_cast<std::uint8_t>(app.tk.sliderPosition(app.settingsCtl("滑块条1")));
  app.tk.setCaption(app.settingsCtl("标签1"), keyNameOf(st.transpose));
}

void settingsConfirmed(App& app, const Event&) {
  WindowToolkit& tk = app.tk;
  app.midi.closeDevice();
  const Ctl devices = app.ctl("设备名组合框");
  tk.setCurrentItem(devices, tk.currentItem(app.settingsCtl("设备名组合框1")));
  app.midi.openDevice(tk.currentItem(devices));
  const Ctl instruments = app.ctl("乐器名组合框");
  tk.setCurrentItem(instruments, tk.currentItem(app.settingsCtl("乐器名组合框1")));
  app.midi.setInstrument(tk.currentItem(instruments) + 1);
  tk.destroyWindow(app.settings);
  app.settings = kNoWindow;
}

void settingsCancelled(App& app, const Event&) {
  app.tk.destroyWindow(app.settings);
  app.settings = kNoWindow;
}

}  // namespace vesko
