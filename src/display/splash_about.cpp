#include "display/splash_about.h"

#include "app/bindings.h"

namespace vesko {

WindowDef splashWindowDef() {
  WindowDef w;
  w.name = kSplashWindow;
  w.width = 496;
  w.height = 372;
  w.frameless = true;
  w.centred = true;
  w.onTop = true;
  ControlDef picture = controlDef("图片框1", Kind::PicBox, 0, 0, 496, 372);
  picture.picture = "splash";
  w.controls.push_back(picture);
  ControlDef small = controlDef("透明标签", Kind::TransLabel, 32, 336, 256, 16);
  small.parent = "图片框1";
  small.caption = "61键电子琴 · 录音 · 播放 · MIDI文件";
  small.background = Rgb{220, 232, 245};
  small.fontPixels = 11;
  w.controls.push_back(small);
  ControlDef emblem = controlDef("图片框2", Kind::PicBox, 72, 36, 32, 32);
  emblem.parent = "图片框1";
  emblem.picture = "emblem";
  w.controls.push_back(emblem);
  ControlDef name = controlDef("透明标签2", Kind::TransLabel, 32, 67, 112, 32);
  name.parent = "图片框1";
  name.caption = "Vesko";
  name.background = Rgb{255, 255, 255};
  name.fontPixels = 24;
  w.controls.push_back(name);
  ControlDef timer = controlDef("时钟1", Kind::Timer, 0, 0, 0, 0);
  timer.visible = false;
  timer.period = 1000;
  w.controls.push_back(timer);
  return w;
}

WindowDef aboutWindowDef() {
  WindowDef w;
  w.name = kAboutWindow;
  w.title = "关于电子琴";
  w.width = 314;
  w.height = 177;
  w.centred = true;
  w.background = "";
  ControlDef icon = controlDef("图片框1", Kind::PicBox, 22, 14, 32, 32);
  icon.picture = "emblem";
  w.controls.push_back(icon);
  ControlDef text = controlDef("标签2", Kind::Label, 19, 33, 280, 48);
  // The first line stays blank: the icon covers the label's top left.
  text.caption = "\n        Vesko电子琴1.0\n用鼠标或电脑键盘弹奏61键钢琴，录音并播放乐曲。";
  text.fontPixels = 12;
  text.background = Rgb{0, 0, 0};
  w.controls.push_back(text);
  ControlDef intro = controlDef("标签1", Kind::Label, 14, 91, 344, 14);
  intro.caption = "欢迎访问我们的网站：";
  intro.background = Rgb{0, 0, 0};
  w.controls.push_back(intro);
  ControlDef link = controlDef("超级链接框1", Kind::HyperLinker, 79, 105, 147, 24);
  link.caption = "vesko.example.org";
  link.link = "https://vesko.example.org/";
  w.controls.push_back(link);
  return w;
}

void splashCreated(App& app, const Event& e) { app.splash = e.window; }

void splashTick(App& app, const Event& e) {
  app.tk.destroyWindow(e.window);
  app.splash = kNoWindow;
}

void aboutClicked(App& app, const Event&) { app.tk.loadWindow(aboutWindowDef(), true); }

void aboutCreated(App& app, const Event& e) { app.about = e.window; }

void minimiseClicked(App& app, const Event&) { app.tk.setMinimised(app.main, true); }

void exitClicked(App& app, const Event&) { app.tk.endProgram(); }

}  // namespace vesko
