#include "display/sound_wave.h"

#include <algorithm>

namespace vesko {

namespace {

constexpr std::size_t kMaxBars = 16;

}  // namespace

void drawWaveBars(App& app, int level) {
  WindowToolkit& tk = app.tk;
  auto& bars = app.st.waveBars;
  const Ctl canvas = app.ctl("音波画板");
  tk.canvasClear(canvas);
  if (bars.size() > kMaxBars) bars.resize(kMaxBars);
  const int bottom = tk.height(canvas);
  for (std::size_t i = 1; i <= bars.size(); ++i) {
    // A top above the canvas fills the whole height; one at or below the
    // bottom edge has nothing to show. Neither reaches the toolkit as a
    // rectangle outside the canvas.
    const int top = std::max(bars[i - 1], 0);
    if (top >= bottom) continue;
    const int x = 10 * static_cast<int>(i);
    tk.canvasFillRect(canvas, x - 8, top, x, bottom);
  }
  bars.insert(bars.begin(), level);
}

void waveTick(App& app, const Event&) { drawWaveBars(app, app.st.waveLevel / 2 - 10); }

void noteValuesClicked(App& app, const Event&) {
  app.tk.setVisible(app.ctl("音值画板"), true);
  app.tk.setVisible(app.ctl("音波画板"), false);
}

// The timer is left running either way, so the bars keep moving while hidden.
void soundWaveClicked(App& app, const Event&) {
  app.tk.setVisible(app.ctl("音值画板"), false);
  app.tk.setVisible(app.ctl("音波画板"), true);
}

}  // namespace vesko
