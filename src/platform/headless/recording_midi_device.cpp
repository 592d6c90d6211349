#include "platform/headless/recording_midi_device.h"

#include <cstdio>

namespace vesko {

std::string hexBytes(const std::vector<unsigned char>& bytes) {
  std::string text;
  for (unsigned char b : bytes) {
    char two[4];
    std::snprintf(two, sizeof two, "%02X", b);
    if (!text.empty()) text += ' ';
    text += two;
  }
  return text;
}

std::vector<std::string> MidiLog::hex() const {
  std::vector<std::string> lines;
  lines.reserve(sent.size());
  for (const auto& message : sent) lines.push_back(hexBytes(message));
  return lines;
}

void MidiLog::clear() {
  sent.clear();
  events.clear();
}

RecordingMidiDevice::RecordingMidiDevice(std::string name, std::shared_ptr<MidiLog> log, bool opens)
    : name_(std::move(name)), log_(log ? std::move(log) : std::make_shared<MidiLog>()), opens_(opens) {}

bool RecordingMidiDevice::open() {
  if (!opens_) {
    log_->events.push_back("open " + name_ + " refused");
    return false;
  }
  open_ = true;
  log_->events.push_back("open " + name_);
  return true;
}

void RecordingMidiDevice::close() {
  open_ = false;
  log_->events.push_back("close " + name_);
}

void RecordingMidiDevice::send(const unsigned char* bytes, std::size_t size) {
  std::vector<unsigned char> message(bytes, bytes + size);
  log_->events.push_back(name_ + " " + hexBytes(message));
  log_->sent.push_back(std::move(message));
}

}  // namespace vesko
