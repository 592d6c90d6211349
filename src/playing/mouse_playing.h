#pragma once
#include "app/app.h"

namespace vesko {

// Left button pressed and released on an on-screen key (every clone of 琴键1).
void keyMousePressed(App& app, const Event& e);
void keyMouseReleased(App& app, const Event& e);

}  // namespace vesko
