#include "app/main_window.h"

#include <cmath>
#include <string>

#include "app/bindings.h"
#include "app/keyboard.h"
#include "display/splash_about.h"

namespace vesko {

namespace {

ControlDef picButton(const char* name, int left, int top, int width, int height, const std::string& art,
                     ButtonStyle style = ButtonStyle::Push) {
  ControlDef c = controlDef(name, Kind::PicBtn, left, top, width, height);
  c.picture = art;
  c.pressedPicture = art + "_down";
  c.style = style;
  return c;
}

ControlDef component(const char* name, Kind kind) {
  ControlDef c;
  c.name = name;
  c.kind = kind;
  c.visible = false;
  return c;
}

ControlDef notationLabel(const char* name, int left, int top, int height) {
  ControlDef c = controlDef(name, Kind::Label, left, top, 160, height);
  c.parent = "音值画板";
  c.background = Rgb{8, 36, 64};  // dark digits on the blue display
  c.monospace = true;
  c.fontPixels = name == std::string("乐谱") ? 14 : 10;
  return c;
}

// Places a knob where dragging it would have set the line's present volume.
void placeKnob(App& app, const char* knobName, int lineType, double divisor, const char* failText) {
  MixerService& mixer = app.mixer;
  if (mixer.openLine(lineType)) {
    int l = 0, r = 0;
    mixer.getLineVolume(l, r);
    app.tk.setTop(app.ctl(knobName), 116 - static_cast<int>(std::floor((l + r) / divisor)));
  } else {
    app.tk.messageBox(failText, kMbWarning);
  }
  mixer.closeLine();
}

}  // namespace

WindowDef mainWindowDef() {
  WindowDef w;
  w.name = kMainWindow;
  w.title = "Vesko电子琴1.0";
  w.left = 50;
  w.top = 50;
  w.width = 786;
  w.height = 325;
  w.background = "main_background";
  w.frameless = true;
  auto& c = w.controls;

  ControlDef keyBed;
  keyBed.name = "外形框1";
  keyBed.kind = Kind::ShapeBox;
  keyBed.left = 64;
  keyBed.top = 195;
  keyBed.width = 648;
  keyBed.height = 111;
  c.push_back(keyBed);

  ControlDef white = picButton("琴键1", 0, 0, 18, 111, "key_white");
  white.parent = "外形框1";
  white.pressedPicture = "key_white_lit";
  white.transparent = Rgb{0, 0, 0};
  white.visible = false;
  c.push_back(white);
  ControlDef black = picButton("琴键2", 12, 0, 12, 70, "key_black");
  black.parent = "外形框1";
  black.pressedPicture = "key_black_lit";
  black.visible = false;
  c.push_back(black);

  c.push_back(picButton("录音", 304, 157, 32, 21, "record", ButtonStyle::Check));
  c.push_back(picButton("停止播放", 356, 157, 33, 21, "stop"));
  c.push_back(picButton("播放", 406, 157, 33, 21, "play", ButtonStyle::Check));
  c.push_back(picButton("打开", 610, 160, 48, 19, "open"));
  c.push_back(picButton("保存", 660, 160, 48, 19, "save"));
  c.push_back(picButton("关于", 710, 160, 48, 19, "about"));
  c.push_back(picButton("图形按钮4", 191, 158, 46, 22, "settings"));
  c.push_back(picButton("图形按钮3", 513, 158, 46, 22, "settings"));
  static const char* const kPresets[12] = {"效果1", "效果2", "效果3", "效果4", "效果5", "效果6",
                                           "效果7", "效果8", "效果9", "效果10", "效果11", "效果12"};
  static const int kColumns[3] = {485, 523, 561};
  static const int kRows[4] = {73, 91, 109, 128};
  for (int i = 0; i < 12; ++i)
    c.push_back(picButton(kPresets[i], kColumns[i % 3], kRows[i / 3], 33, 17, "preset_" + std::to_string(i + 1),
                          ButtonStyle::Check));
  c.push_back(picButton("主音量钮", 185, 96, 17, 26, "knob"));
  c.push_back(picButton("软件合成器钮", 228, 96, 17, 26, "knob"));
  ControlDef speakerLeft = picButton("图形按钮1", 40, 59, 76, 75, "speaker");
  speakerLeft.pressedPicture = "speaker_lit";
  c.push_back(speakerLeft);
  ControlDef speakerRight = picButton("图形按钮2", 663, 60, 76, 75, "speaker");
  speakerRight.pressedPicture = "speaker_lit";
  c.push_back(speakerRight);
  c.push_back(picButton("音值", 392, 122, 23, 23, "notes"));
  c.push_back(picButton("音波", 363, 122, 23, 23, "wave"));

  ControlDef notation;
  notation.name = "音值画板";
  notation.kind = Kind::DrawPanel;
  notation.left = 294;
  notation.top = 72;
  notation.width = 160;
  notation.height = 44;
  notation.visible = false;
  notation.background = Rgb{32, 170, 223};
  c.push_back(notation);
  c.push_back(notationLabel("高2", 0, 3, 6));
  c.push_back(notationLabel("高1", 0, 6, 8));
  c.push_back(notationLabel("乐谱", -1, 10, 16));
  c.push_back(notationLabel("低1", 0, 23, 6));
  c.push_back(notationLabel("低2", 0, 27, 6));

  ControlDef wave;
  wave.name = "音波画板";
  wave.kind = Kind::DrawPanel;
  wave.left = 293;
  wave.top = 72;
  wave.width = 161;
  wave.height = 44;
  wave.visible = false;
  wave.background = Rgb{32, 170, 223};
  wave.brush = Rgb{0, 255, 255};
  c.push_back(wave);

  c.push_back(picButton("最小化", 672, 4, 35, 23, "minimise"));
  c.push_back(picButton("退出", 711, 4, 35, 23, "exit"));

  ControlDef devices;
  devices.name = "设备名组合框";
  devices.kind = Kind::ComboBox;
  devices.left = 144;
  devices.top = 8;
  devices.width = 24;
  devices.height = 20;
  devices.visible = false;
  c.push_back(devices);
  ControlDef instruments = devices;
  instruments.name = "乐器名组合框";
  instruments.left = 168;
  c.push_back(instruments);

  for (const char* t : {"时钟1", "时钟2", "时钟3", "时钟4", "时钟5"}) c.push_back(component(t, Kind::Timer));
  c.push_back(component("MIDI1", Kind::MIDIPlay));
  c.push_back(component("系统音量1", Kind::SysVolume));
  c.push_back(component("媒体播放1", Kind::MediaPlay));
  c.push_back(component("通用对话框1", Kind::CommonDlg));
  return w;
}

void mainWindowCreated(App& app, const Event& e) {
  WindowToolkit& tk = app.tk;
  PianoState& st = app.st;
  MidiOutService& midi = app.midi;
  app.main = e.window;

  // 1. The splash shows while the rest starts.
  app.splash = tk.loadWindow(splashWindowDef(), false);
  // 2.
  tk.shapeWindow(app.main, "window_shape", Rgb{0, 0, 0});
  // 3.
  st.whiteKeyNotes.assign(kWhiteKeyNotes.begin(), kWhiteKeyNotes.end());
  st.keyCodes.assign(kKeyCodes.begin(), kKeyCodes.end());
  st.keyNotes.assign(kKeyNotes.begin(), kKeyNotes.end());
  st.keyDown.assign(kKeyCodes.size(), 0);
  // 4.
  st.lastNote = 255;
  st.playMode = 2;
  st.transpose = 0;
  // 5.
  tk.setChecked(app.ctl("效果1"), true);
  // 6. to 8.
  const Ctl devices = app.ctl("设备名组合框");
  for (int i = 1; i <= midi.deviceCount(); ++i) tk.addItem(devices, midi.deviceName(i - 1));
  midi.openDevice(0);
  tk.setCurrentItem(devices, 0);
  // 9. and 10.
  const Ctl instruments = app.ctl("乐器名组合框");
  for (int i = 1; i <= midi.instrumentCount(); ++i) tk.addItem(instruments, midi.instrumentName(i), i);
  tk.setCurrentItem(instruments, 3);
  midi.setInstrument(4);
  // 11. and 12.
  placeKnob(app, "主音量钮", kMasterLine, 2978.86, kMasterFailText);
  placeKnob(app, "软件合成器钮", kSynthLine, 2699.62, kSynthFailText);
  // 13.
  buildKeyboard(app);
}

}  // namespace vesko
