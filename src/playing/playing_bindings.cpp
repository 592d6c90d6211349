#include "app/bindings.h"
#include "playing/keyboard_playing.h"
#include "playing/mouse_playing.h"

namespace vesko {

std::vector<Binding> playingBindings() {
  return {
      {kMainWindow, "", EventKind::KeyPressed, keyDownHandler},
      {kMainWindow, "", EventKind::KeyReleased, keyUpHandler},
      {kMainWindow, "琴键1", EventKind::LeftPressed, keyMousePressed},
      {kMainWindow, "琴键1", EventKind::LeftReleased, keyMouseReleased},
  };
}

}  // namespace vesko
