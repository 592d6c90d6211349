#pragma once
#include <memory>
#include <string>

#include "platform/midi_out_service.h"
#include "platform/mixer_service.h"

namespace vesko {

// The built-in General MIDI synthesizer: FluidSynth with the system's GM
// SoundFont, played through PulseAudio (or ALSA when there is no server).
// The SoundFont is loaded on the first open() and kept for later opens.
class SynthDevice : public MidiDevice {
 public:
  struct Options {
    // false: open() starts no audio output; the sound is pulled with render().
    bool audio = true;
    // Reverb and chorus; with them off a released note decays to exactly 0.
    bool effects = true;
    // Empty: findGeneralMidiSoundFont().
    std::string soundFont;
    int sampleRate = 48000;
    // Frames per audio period and periods in the device buffer. FluidSynth's
    // PulseAudio output asks for one period of buffer (384: 8 ms, and the
    // server sets the sink to a third of that, 2.7 ms). 128 and 256 still
    // underran (audible clicks) on a busy two-core machine; 384 did not, and
    // with the synthesizer's own block a note sounds within 10 ms. The ALSA
    // output buffers periods x period-size.
    int periodSize = 384;
    int periods = 2;
  };

  // Full scale of the synthesizer line, and where it starts: the top of the
  // synthesizer knob's travel.
  static constexpr int kMaxLevel = 65535;
  static constexpr int kDefaultLevel = 59392;

  SynthDevice();
  explicit SynthDevice(Options options);
  ~SynthDevice() override;
  SynthDevice(const SynthDevice&) = delete;
  SynthDevice& operator=(const SynthDevice&) = delete;

  std::string name() const override;
  // Fails (isOpen() false) when there is no SoundFont or no audio output.
  bool open() override;
  // Silences every channel at once, then stops the audio output.
  void close() override;
  bool isOpen() const override;
  // Channel messages of two or three bytes; anything else is ignored, and so
  // is everything while the device is closed.
  void send(const unsigned char* bytes, std::size_t size) override;

  // Offline mode: synthesizes the next `frames` frames, scaled by the line
  // level. Events sent before take effect at the next 64-frame block. Gives
  // silence before the first open.
  void render(float* left, float* right, int frames);

  // The synthesizer line: two channels, 0 to 65535, output sample x
  // level / 65535. The level belongs to the device and survives close and
  // reopen; the line may outlive the device. Null when no SoundFont is
  // installed, since then the synthesizer can never sound.
  std::unique_ptr<MixerLine> synthLine();
  void setLevel(int left, int right);
  void level(int& left, int& right) const;

  // Whether the SoundFont file exists, its path, and the audio driver of
  // the open device ("pulseaudio", "alsa", or empty).
  bool hasSoundFont() const { return haveSoundFont_; }
  const std::string& soundFontPath() const { return options_.soundFont; }
  std::string audioDriver() const;
  const Options& options() const { return options_; }

  // Opaque outside synth_device.cpp; the audio callback and the line reach them.
  struct Levels;
  struct Engine;

 private:
  bool ensureEngine();
  bool startAudio();

  Options options_;
  std::shared_ptr<Levels> levels_;
  std::unique_ptr<Engine> engine_;
  bool haveSoundFont_ = false;
  bool open_ = false;
};

}  // namespace vesko
