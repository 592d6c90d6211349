#include "sound/knobs.h"

#include <cmath>
#include <string>

#include "app/main_window.h"

namespace vesko {

namespace {

struct KnobLine {
  int lineType;
  double factor;
  const char* failText;
};

KnobLine lineOf(App& app, Ctl knob) {
  if (app.tk.nameOf(knob) == "主音量钮") return {kMasterLine, 1489.43, kMasterFailText};
  return {kSynthLine, 1349.81, kSynthFailText};
}

}  // namespace

int knobVolume(int top, double factor) { return static_cast<int>(std::lround((116 - top) * factor)); }

void knobPressed(App& app, const Event& e) {
  app.st.knobDragY = e.y;
  app.st.knobDragging = 1;
  app.tk.capture(e.control);
}

void knobMoved(App& app, const Event& e) {
  WindowToolkit& tk = app.tk;
  PianoState& st = app.st;
  const Ctl knob = e.control;
  // 1. and 2.
  if (st.knobDragging == 0) return;
  if (e.y < 0 || e.y >= 26) return;
  // 3. One pixel per movement; the knob closes the gap to the pointer.
  const int top = tk.top(knob);
  if (e.y < st.knobDragY && top > 72)
    tk.setTop(knob, top - 1);
  else if (e.y > st.knobDragY && top < 116)
    tk.setTop(knob, top + 1);
  // 4.
  const KnobLine line = lineOf(app, knob);
  if (app.mixer.openLine(line.lineType)) {
    const int v = knobVolume(tk.top(knob), line.factor);
    app.mixer.setLineVolume(v, v);
    app.mixer.closeLine();
  } else {
    tk.messageBox(line.failText, kMbWarning);
  }
}

void knobReleased(App& app, const Event&) {
  app.st.knobDragging = 0;
  app.tk.releaseCapture();
}

}  // namespace vesko
