#pragma once
#include <string>

#include "app/app.h"

namespace vesko {

WindowDef settingsWindowDef();
// The key name shown for a transposition: C, C#, ... B, followed by 调.
std::string keyNameOf(int transpose);

// 图形按钮4 and 图形按钮3: the settings, modal.
void settingsButtonClicked(App& app, const Event& e);
void settingsCreated(App& app, const Event& e);
void takeTransposeFromSlider(App& app, const Event& e);
void settingsConfirmed(App& app, const Event& e);
void settingsCancelled(App& app, const Event& e);

}  // namespace vesko
