#include "app/bindings.h"
#include "display/sound_wave.h"

namespace vesko {

std::vector<Binding> displayBindings() {
  return {
      {kMainWindow, "时钟4", EventKind::TimerTick, waveTick},
      {kMainWindow, "音值", EventKind::Clicked, noteValuesClicked},
      {kMainWindow, "音波", EventKind::Clicked, soundWaveClicked},
  };
}

}  // namespace vesko
