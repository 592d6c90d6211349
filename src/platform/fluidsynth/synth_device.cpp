#include "platform/fluidsynth/synth_device.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "platform/fluidsynth/soundfont.h"

namespace vesko {

struct SynthDevice::Levels {
  std::atomic<int> left{kDefaultLevel};
  std::atomic<int> right{kDefaultLevel};
};

struct SynthDevice::Engine {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  std::string driverName;
  std::shared_ptr<Levels> levels;

  ~Engine() {
    if (driver) delete_fluid_audio_driver(driver);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

namespace {

int clampLevel(int v) { return std::clamp(v, 0, SynthDevice::kMaxLevel); }

void scale(float* samples, int frames, int level) {
  if (level >= SynthDevice::kMaxLevel) return;
  const float gain = static_cast<float>(level) / SynthDevice::kMaxLevel;
  for (int i = 0; i < frames; ++i) samples[i] *= gain;
}

// Runs on the audio driver's thread. The drivers used here hand over zeroed
// dry buffers and no effect buffers, so reverb and chorus are mixed into the
// dry pair, as FluidSynth's own callback does.
int renderForDriver(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
  auto* engine = static_cast<SynthDevice::Engine*>(data);
  int result;
  if (nfx == 0) {
    float* mixed[4] = {out[0], out[1], out[0], out[1]};
    result = fluid_synth_process(engine->synth, len, 4, mixed, nout, out);
  } else {
    result = fluid_synth_process(engine->synth, len, nfx, fx, nout, out);
  }
  if (nout >= 2) {
    scale(out[0], len, engine->levels->left.load(std::memory_order_relaxed));
    scale(out[1], len, engine->levels->right.load(std::memory_order_relaxed));
  }
  return result;
}

class SynthLine : public MixerLine {
 public:
  explicit SynthLine(std::shared_ptr<SynthDevice::Levels> levels) : levels_(std::move(levels)) {}
  int channels() const override { return 2; }
  bool get(int& left, int& right) override {
    left = levels_->left.load();
    right = levels_->right.load();
    return true;
  }
  bool set(int left, int right) override {
    levels_->left.store(clampLevel(left));
    levels_->right.store(clampLevel(right));
    return true;
  }

 private:
  std::shared_ptr<SynthDevice::Levels> levels_;
};

}  // namespace

SynthDevice::SynthDevice() : SynthDevice(Options{}) {}

SynthDevice::SynthDevice(Options options) : options_(std::move(options)), levels_(std::make_shared<Levels>()) {
  if (options_.soundFont.empty()) options_.soundFont = findGeneralMidiSoundFont();
  std::error_code ec;
  haveSoundFont_ = !options_.soundFont.empty() && std::filesystem::is_regular_file(options_.soundFont, ec);
}

SynthDevice::~SynthDevice() { close(); }

std::string SynthDevice::name() const { return "内置软件合成器 (FluidSynth)"; }

bool SynthDevice::ensureEngine() {
  if (engine_) return true;
  if (!haveSoundFont_) return false;
  auto engine = std::make_unique<Engine>();
  engine->levels = levels_;
  engine->settings = new_fluid_settings();
  if (!engine->settings) return false;
  fluid_settings_t* s = engine->settings;
  fluid_settings_setnum(s, "synth.sample-rate", options_.sampleRate);
  // Samples are read when a preset is first chosen rather than all at start:
  // the GM SoundFont loads several times faster and takes a quarter of the memory.
  fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
  // FluidSynth's default gain of 0.2 leaves a single piano note near -23 dBFS;
  // the keyboard mostly plays one note at a time, so it can be louder.
  fluid_settings_setnum(s, "synth.gain", 0.5);
  fluid_settings_setint(s, "synth.reverb.active", options_.effects ? 1 : 0);
  fluid_settings_setint(s, "synth.chorus.active", 0);
  // A touch of room rather than FluidSynth's default hall: a keyboard played
  // note by note sounds dry and thin without it, and muddy with more.
  fluid_settings_setnum(s, "synth.reverb.room-size", 0.4);
  fluid_settings_setnum(s, "synth.reverb.level", 0.5);
  fluid_settings_setnum(s, "synth.reverb.width", 0.8);
  fluid_settings_setnum(s, "synth.reverb.damp", 0.3);
  engine->synth = new_fluid_synth(s);
  if (!engine->synth) return false;
  if (fluid_synth_sfload(engine->synth, options_.soundFont.c_str(), 1) == FLUID_FAILED) return false;
  engine_ = std::move(engine);
  return true;
}

// PulseAudio first: on a desktop the ALSA "default" device usually leads to
// the same server through one more layer of buffering. FluidSynth does not
// try another driver by itself, so each is named in turn.
bool SynthDevice::startAudio() {
  fluid_settings_t* s = engine_->settings;
  fluid_settings_setint(s, "audio.period-size", options_.periodSize);
  fluid_settings_setint(s, "audio.periods", options_.periods);
  fluid_settings_setstr(s, "audio.pulseaudio.media-role", "music");
  for (const char* driver : {"pulseaudio", "alsa"}) {
    fluid_settings_setstr(s, "audio.driver", driver);
    engine_->driver = new_fluid_audio_driver2(s, renderForDriver, engine_.get());
    if (engine_->driver) {
      engine_->driverName = driver;
      return true;
    }
  }
  return false;
}

bool SynthDevice::open() {
  if (open_) return true;
  if (!ensureEngine()) return false;
  if (options_.audio && !startAudio()) return false;
  open_ = true;
  return true;
}

void SynthDevice::close() {
  if (!open_) return;
  // Sound off rather than note off: the release tails and the reverb would
  // otherwise ring on into the next open.
  for (int channel = 0; channel < 16; ++channel) {
    fluid_synth_all_notes_off(engine_->synth, channel);
    fluid_synth_all_sounds_off(engine_->synth, channel);
  }
  if (engine_->driver) {
    delete_fluid_audio_driver(engine_->driver);
    engine_->driver = nullptr;
    engine_->driverName.clear();
  }
  open_ = false;
}

bool SynthDevice::isOpen() const { return open_; }

std::string SynthDevice::audioDriver() const { return engine_ ? engine_->driverName : std::string(); }

void SynthDevice::send(const unsigned char* bytes, std::size_t size) {
  if (!open_ || !bytes || size < 2 || size > 3) return;
  const int status = bytes[0];
  if (status < 0x80 || status >= 0xF0) return;
  for (std::size_t i = 1; i < size; ++i)
    if (bytes[i] > 127) return;
  const int kind = status & 0xF0;
  const bool twoBytes = kind == 0xC0 || kind == 0xD0;
  if (size != (twoBytes ? 2u : 3u)) return;
  fluid_synth_t* synth = engine_->synth;
  const int channel = status & 0x0F;
  const int d1 = bytes[1];
  const int d2 = size == 3 ? bytes[2] : 0;
  switch (kind) {
    case 0x80: fluid_synth_noteoff(synth, channel, d1); break;
    case 0x90: fluid_synth_noteon(synth, channel, d1, d2); break;  // velocity 0 is a note off
    case 0xA0: fluid_synth_key_pressure(synth, channel, d1, d2); break;
    case 0xB0: fluid_synth_cc(synth, channel, d1, d2); break;  // also 120 sound off, 123 notes off
    case 0xC0: fluid_synth_program_change(synth, channel, d1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, d1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, d1 | (d2 << 7)); break;
  }
}

void SynthDevice::render(float* left, float* right, int frames) {
  if (frames <= 0) return;
  if (!engine_) {
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
    return;
  }
  fluid_synth_write_float(engine_->synth, frames, left, 0, 1, right, 0, 1);
  scale(left, frames, levels_->left.load());
  scale(right, frames, levels_->right.load());
}

std::unique_ptr<MixerLine> SynthDevice::synthLine() {
  if (!haveSoundFont_) return nullptr;
  return std::make_unique<SynthLine>(levels_);
}

void SynthDevice::setLevel(int left, int right) {
  levels_->left.store(clampLevel(left));
  levels_->right.store(clampLevel(right));
}

void SynthDevice::level(int& left, int& right) const {
  left = levels_->left.load();
  right = levels_->right.load();
}

}  // namespace vesko
