#pragma once
#include "app/app.h"

namespace vesko {

WindowDef splashWindowDef();
WindowDef aboutWindowDef();

void splashCreated(App& app, const Event& e);
void splashTick(App& app, const Event& e);
void aboutClicked(App& app, const Event& e);
void aboutCreated(App& app, const Event& e);
void minimiseClicked(App& app, const Event& e);
void exitClicked(App& app, const Event& e);

}  // namespace vesko
