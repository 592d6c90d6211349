#include "platform/alsa/sequencer_ports.h"

#include <rtmidi/RtMidi.h>

#include <filesystem>
#include <string>

namespace vesko {

namespace {

constexpr const char* kClientName = "Vesko电子琴";

// Ports are found again by name when opened: the sequencer renumbers them
// when another client comes or goes.
class SequencerPortDevice : public MidiDevice {
 public:
  explicit SequencerPortDevice(std::string name) : name_(std::move(name)) {}
  ~SequencerPortDevice() override { close(); }

  std::string name() const override { return name_; }

  bool open() override {
    if (out_) return true;
    try {
      auto out = std::make_unique<RtMidiOut>(RtMidi::Api::LINUX_ALSA, kClientName);
      const unsigned count = out->getPortCount();
      for (unsigned i = 0; i < count; ++i) {
        if (out->getPortName(i) != name_) continue;
        out->openPort(i, "out");
        if (!out->isPortOpen()) return false;
        out_ = std::move(out);
        usedChannels_ = 0;
        return true;
      }
    } catch (...) {
    }
    return false;
  }

  // Closing the port leaves the synthesizer behind it sounding whatever is
  // held, so every channel that was played is silenced first.
  void close() override {
    if (!out_) return;
    for (int channel = 0; channel < 16; ++channel) {
      if (!(usedChannels_ & (1u << channel))) continue;
      const unsigned char status = static_cast<unsigned char>(0xB0 | channel);
      const unsigned char notesOff[3] = {status, 123, 0};
      const unsigned char soundOff[3] = {status, 120, 0};
      write(notesOff, 3);
      write(soundOff, 3);
    }
    try {
      out_->closePort();
    } catch (...) {
    }
    out_.reset();
    usedChannels_ = 0;
  }

  bool isOpen() const override { return out_ != nullptr; }

  void send(const unsigned char* bytes, std::size_t size) override {
    if (!out_ || !bytes || size == 0 || bytes[0] < 0x80 || bytes[0] >= 0xF0) return;
    usedChannels_ |= 1u << (bytes[0] & 0x0F);
    write(bytes, size);
  }

 private:
  // A port that went away (a cable pulled) makes RtMidi report an error;
  // the keyboard just goes on without sound.
  void write(const unsigned char* bytes, std::size_t size) {
    try {
      out_->sendMessage(bytes, size);
    } catch (...) {
    }
  }

  std::string name_;
  std::unique_ptr<RtMidiOut> out_;
  unsigned usedChannels_ = 0;
};

void ignoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

}  // namespace

std::vector<std::unique_ptr<MidiDevice>> sequencerPortDevices() {
  std::vector<std::unique_ptr<MidiDevice>> devices;
  // Without the sequencer RtMidi would print its failure on every start.
  std::error_code ec;
  if (!std::filesystem::exists("/dev/snd/seq", ec)) return devices;
  try {
    // Only the ALSA API: RtMidi's JACK API crashes in openPort when no JACK
    // server runs. Without /dev/snd/seq the constructor throws.
    RtMidiOut probe(RtMidi::Api::LINUX_ALSA, kClientName);
    probe.setErrorCallback(ignoreRtMidiError);
    const unsigned count = probe.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
      // Only writable ports are listed, so our own output port (and that of
      // another running keyboard) never shows up; "Midi Through" stays, as a
      // way to reach a synthesizer started later.
      std::string name = probe.getPortName(i);
      if (name.empty()) continue;
      devices.push_back(std::make_unique<SequencerPortDevice>(std::move(name)));
    }
  } catch (...) {
    devices.clear();
  }
  return devices;
}

}  // namespace vesko
