#include "app/bindings.h"
#include "app/main_window.h"
#include "display/splash_about.h"
#include "sound/knobs.h"

namespace vesko {

std::vector<Binding> appBindings() {
  return {
      {kMainWindow, "", EventKind::Created, mainWindowCreated},
      {kMainWindow, "主音量钮", EventKind::LeftPressed, knobPressed},
      {kMainWindow, "主音量钮", EventKind::MouseMoved, knobMoved},
      {kMainWindow, "主音量钮", EventKind::LeftReleased, knobReleased},
      {kMainWindow, "软件合成器钮", EventKind::LeftPressed, knobPressed},
      {kMainWindow, "软件合成器钮", EventKind::MouseMoved, knobMoved},
      {kMainWindow, "软件合成器钮", EventKind::LeftReleased, knobReleased},
      {kMainWindow, "关于", EventKind::Clicked, aboutClicked},
      {kMainWindow, "最小化", EventKind::Clicked, minimiseClicked},
      {kMainWindow, "退出", EventKind::Clicked, exitClicked},
      {kSplashWindow, "", EventKind::Created, splashCreated},
      {kSplashWindow, "时钟1", EventKind::TimerTick, splashTick},
      {kAboutWindow, "", EventKind::Created, aboutCreated},
  };
}

}  // namespace vesko
