#pragma once
#include <string>
#include <vector>

#include "platform/media_player_service.h"

namespace vesko {

// A media player that plays nothing: it writes down every call ("open x",
// "play -1", "pause", "stop", "close"; position and length are not logged)
// and reports the position and length the test sets, -1 and 0 by default,
// as a player that cannot tell.
class FakeMediaPlayer : public MediaPlayerService {
 public:
  std::vector<std::string> calls;
  int positionMs = -1;
  int lengthMs = 0;
  bool succeeds = true;  // what every operation returns
  std::string openFile;  // the last file opened, empty once closed

  bool open(const std::string& fileName) override;
  bool play(int startMs) override;
  bool pauseOrResume() override;
  bool stop() override;
  bool close() override;
  int position() override { return positionMs; }
  int length() override { return lengthMs; }
};

}  // namespace vesko
