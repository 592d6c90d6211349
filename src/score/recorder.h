#pragma once
#include "app/app.h"

namespace vesko {

// The click handler of 录音: starts or stops recording by its new state.
void recordClicked(App& app, const Event& e);
void startRecording(App& app);
void stopRecording(App& app);
// 时钟3: one more 100 ms tick for the timed note.
void recorderTick(App& app, const Event& e);

// Replaces slot n by its duration symbol and appends the symbol and a space.
void closeTimedNote(App& app, int n);
// Times note n from now and appends "n@".
void beginTimedNote(App& app, int n);

// The recorder's steps, run by the playing handlers.
void recorderKeyPressStep(App& app);
void recorderKeyReleaseStep(App& app);
void recorderMousePressStep(App& app, int note);
void recorderMouseReleaseStep(App& app);

}  // namespace vesko
