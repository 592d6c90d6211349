#pragma once
#include "app/app.h"

namespace vesko {

// The main window's key pressed and key released events (e.key: virtual-key code).
void keyDownHandler(App& app, const Event& e);
void keyUpHandler(App& app, const Event& e);

}  // namespace vesko
