#include "playing/mouse_playing.h"

#include "playing/notes.h"
#include "score/recorder.h"

namespace vesko {

void keyMousePressed(App& app, const Event&) {
  WindowToolkit& tk = app.tk;
  // 1.
  const Ctl key = tk.eventControl();
  // 2. After the media player took the device, the next press brings the
  // keyboard's own device back, with the instrument the list shows.
  if (!app.midi.isDeviceOpen()) {
    reopenMidiDevice(app);
    app.midi.setInstrument(tk.currentItem(app.ctl("乐器名组合框")) + 1);
  }
  // 3. The key shows its own pressed picture; nothing is lit or silenced.
  int note = 0;
  if (tk.isCreated(key)) {
    note = tagNumber(tk.tag(key));
    soundNote(app, static_cast<std::uint8_t>(note));
  }
  // 4.
  recorderMousePressStep(app, note);
}

void keyMouseReleased(App& app, const Event&) {
  silenceLastNote(app);
  recorderMouseReleaseStep(app);
}

}  // namespace vesko
