#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_out_service.h"

namespace vesko {

// What the recording devices saw, shared by every device that writes to it.
// `sent` holds each message as bytes; `events` tells the story in order:
// "open A", "open A refused", "close A" and "A 90 3C 7F" for a message to A.
struct MidiLog {
  std::vector<std::vector<unsigned char>> sent;
  std::vector<std::string> events;

  // The sent messages as "90 3C 7F" texts, for readable comparisons.
  std::vector<std::string> hex() const;
  void clear();
};

// Upper-case hex bytes separated by single spaces: {0x90, 0x3C, 0x7F} gives "90 3C 7F".
std::string hexBytes(const std::vector<unsigned char>& bytes);

// A MIDI device that only writes down what happens to it.
class RecordingMidiDevice : public MidiDevice {
 public:
  explicit RecordingMidiDevice(std::string name, std::shared_ptr<MidiLog> log = std::make_shared<MidiLog>(),
                               bool opens = true);

  // false: open() fails, as a device that is gone or busy.
  void setOpens(bool opens) { opens_ = opens; }
  const std::shared_ptr<MidiLog>& log() const { return log_; }

  std::string name() const override { return name_; }
  bool open() override;
  void close() override;
  bool isOpen() const override { return open_; }
  void send(const unsigned char* bytes, std::size_t size) override;

 private:
  std::string name_;
  std::shared_ptr<MidiLog> log_;
  bool opens_;
  bool open_ = false;
};

}  // namespace vesko
