#pragma once
// Playing scores on the headless clock, and reading back when each MIDI
// message went out.
#include <string>
#include <vector>

#include "app_fixture.h"
#include "score/playback.h"

namespace vesko::testing {

// "50 90 3C 7F": the time in ms at which a message was sent, then its bytes.
using Timeline = std::vector<std::string>;

class PlaybackFixture : public ProgramTest {
 protected:
  // Plays a recording the way a user would: the score as recorded, then 播放.
  void playRecording(const std::string& score) {
    st().scoreText = score;
    st().playMode = 0;
    tk.click(ctl("播放"));
  }

  // Runs the clock 1 ms at a time until 时钟2 stops (or the limit), writing
  // down when each message was sent. endMs is when the engine stopped.
  Timeline runToEnd(int limitMs = 60000) {
    Timeline out;
    const double t0 = tk.nowMs();
    std::size_t seen = log->sent.size();
    for (int ms = 1; ms <= limitMs; ++ms) {
      tk.advance(1);
      for (; seen < log->sent.size(); ++seen) out.push_back(std::to_string(ms) + " " + hexBytes(log->sent[seen]));
      if (tk.period(ctl("时钟2")) == 0) {
        endMs = static_cast<int>(tk.nowMs() - t0);
        return out;
      }
    }
    endMs = -1;
    return out;
  }

  int endMs = -1;
};

}  // namespace vesko::testing
