#include "platform/headless/fake_media_player.h"

namespace vesko {

bool FakeMediaPlayer::open(const std::string& fileName) {
  calls.push_back("open " + fileName);
  openFile = succeeds ? fileName : std::string();
  return succeeds;
}

bool FakeMediaPlayer::play(int startMs) {
  calls.push_back("play " + std::to_string(startMs));
  return succeeds;
}

bool FakeMediaPlayer::pauseOrResume() {
  calls.push_back("pause");
  return succeeds;
}

bool FakeMediaPlayer::stop() {
  calls.push_back("stop");
  return succeeds;
}

bool FakeMediaPlayer::close() {
  calls.push_back("close");
  openFile.clear();
  return succeeds;
}

}  // namespace vesko
