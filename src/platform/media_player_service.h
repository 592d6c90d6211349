#pragma once
#include <string>

namespace vesko {

// Plays a whole MIDI file on its own; the program only asks for position and
// length (milliseconds) to learn when it has ended.
class MediaPlayerService {
 public:
  virtual ~MediaPlayerService() = default;
  virtual bool open(const std::string& fileName) = 0;
  // startMs -1: from the current position (also resumes after a pause).
  virtual bool play(int startMs) = 0;
  virtual bool pauseOrResume() = 0;
  virtual bool stop() = 0;  // stops and rewinds to the start
  virtual bool close() = 0;
  virtual int position() = 0;  // -1 when it cannot be told
  virtual int length() = 0;    // 0 when it cannot be told
};

}  // namespace vesko
