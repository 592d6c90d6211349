#pragma once
#include "app/app.h"

namespace vesko {

WindowDef mainWindowDef();

// The start-up sequence: splash, shape, tables, lists, device 0 with
// instrument 4, the knobs from the mixer, the keyboard.
void mainWindowCreated(App& app, const Event& e);

inline constexpr const char* kMasterFailText = "系统音量打开失败!,您可能听不到声音!";
inline constexpr const char* kSynthFailText = "软件合成器打开失败!,您可能听不到声音!";

}  // namespace vesko
