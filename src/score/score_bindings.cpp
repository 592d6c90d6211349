#include "app/bindings.h"
#include "score/play_commands.h"
#include "score/playback.h"
#include "score/recorder.h"

namespace vesko {

std::vector<Binding> scoreBindings() {
  return {
      // recording
      {kMainWindow, "录音", EventKind::Clicked, recordClicked},
      {kMainWindow, "时钟3", EventKind::TimerTick, recorderTick},
      // playback
      {kMainWindow, "播放", EventKind::Clicked, playClicked},
      {kMainWindow, "停止播放", EventKind::Clicked, stopClicked},
      {kMainWindow, "时钟2", EventKind::TimerTick, playbackTick},
      {kMainWindow, "时钟1", EventKind::TimerTick, pictureBlink},
      {kMainWindow, "时钟5", EventKind::TimerTick, mediaProgressTick},
  };
}

}  // namespace vesko
