#pragma once
#include <vector>

#include "app/app.h"

namespace vesko {

using EventHandler = void (*)(App&, const Event&);

// One handler bound to one event of one control ("" for the window's own
// events). Clones share the bindings of their template.
struct Binding {
  const char* window;
  const char* control;
  EventKind kind;
  EventHandler handler;
};

// Window names used in the bindings.
inline constexpr const char* kMainWindow = "main";
inline constexpr const char* kSplashWindow = "splash";
inline constexpr const char* kAboutWindow = "about";
inline constexpr const char* kSettingsWindow = "settings";

// Each subsystem lists the events it handles.
std::vector<Binding> appBindings();
std::vector<Binding> soundBindings();
std::vector<Binding> playingBindings();
std::vector<Binding> scoreBindings();
std::vector<Binding> filesBindings();
std::vector<Binding> displayBindings();

}  // namespace vesko
