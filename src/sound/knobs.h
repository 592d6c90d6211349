#pragma once
#include "app/app.h"

namespace vesko {

// A knob's top edge 72 is the loudest, 116 silence.
int knobVolume(int top, double factor);

void knobPressed(App& app, const Event& e);
void knobMoved(App& app, const Event& e);
void knobReleased(App& app, const Event& e);

}  // namespace vesko
