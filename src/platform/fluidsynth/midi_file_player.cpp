#include "platform/fluidsynth/midi_file_player.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

#include "platform/fluidsynth/smf_timing.h"
#include "platform/fluidsynth/soundfont.h"

namespace vesko {

namespace {

// Larger than any song a keyboard player opens; keeps a wrong pick (a video,
// a disk image) from being read whole into memory.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

bool readWholeFile(const std::string& name, std::vector<unsigned char>& bytes, std::string& error) {
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    error = "cannot open " + name;
    return false;
  }
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxFileBytes) {
    error = "not a MIDI file (too large or unreadable): " + name;
    return false;
  }
  in.seekg(0);
  bytes.resize(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    error = "cannot read " + name;
    return false;
  }
  return true;
}

}  // namespace

struct MidiFilePlayer::Impl {
  enum class State { Closed, Stopped, Playing, Paused };

  Options options;
  std::string error;

  // Everything below is shared with the audio thread and guarded by `lock`,
  // except the fluidsynth objects' lifetimes, which only open and close change
  // while no audio thread runs.
  std::mutex lock;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  fluid_audio_driver_t* driver = nullptr;
  bool soundFont = false;

  SmfTiming timing;
  int lengthMs = 0;
  State state = State::Closed;
  // The player's tick as last seen after rendering, or where a seek puts it;
  // fluidsynth applies a seek only at its next rendered block.
  std::int64_t tick = 0;
  bool seekPending = false;
  // Latched when the last event has played: the position is then the length
  // exactly, whatever fluidsynth does in its grace period after the song.
  bool ended = false;

  // After every rendered block, with `lock` held.
  void noteProgress() {
    if (state != State::Playing || ended) return;
    std::int64_t now = fluid_player_get_current_tick(player);
    seekPending = false;
    tick = std::max<std::int64_t>(now, 0);
    if (tick >= timing.totalTicks || fluid_player_get_status(player) == FLUID_PLAYER_DONE) ended = true;
  }

  static int renderForDriver(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
    auto* self = static_cast<Impl*>(data);
    std::lock_guard<std::mutex> guard(self->lock);
    int result;
    if (nfx == 0) {
      // Drivers other than JACK give no effect buffers: mix reverb and chorus into the dry pair.
      float* fxb[4] = {out[0], out[1], out[0], out[1]};
      result = fluid_synth_process(self->synth, len, 4, fxb, nout, out);
    } else {
      result = fluid_synth_process(self->synth, len, nfx, fx, nout, out);
    }
    self->noteProgress();
    return result;
  }

  // Silences what the song left sounding; the player does not on stop.
  void silence() { fluid_synth_all_sounds_off(synth, -1); }

  // With `lock` held: fluidsynth's player takes a seek unconditionally only
  // while it is not playing.
  bool startAt(std::int64_t target) {
    fluid_player_stop(player);
    silence();
    if (fluid_player_seek(player, static_cast<int>(target)) != FLUID_OK) return false;
    tick = target;
    seekPending = true;
    ended = false;
    if (fluid_player_play(player) != FLUID_OK) return false;
    state = State::Playing;
    return true;
  }

  bool resume() {
    if (ended) return startAt(0);  // from the end, play the song again
    if (fluid_player_play(player) != FLUID_OK) return false;
    state = State::Playing;
    return true;
  }

  void pause() {
    fluid_player_stop(player);
    silence();
    if (!seekPending && !ended) tick = std::max(fluid_player_get_current_tick(player), 0);
    state = State::Paused;
  }

  void teardown() {
    fluid_audio_driver_t* d;
    {
      std::lock_guard<std::mutex> guard(lock);
      d = driver;
      driver = nullptr;
      state = State::Closed;
    }
    // Deleting the driver joins the audio thread, which takes `lock`.
    if (d) delete_fluid_audio_driver(d);
    if (player) {
      fluid_player_stop(player);
      delete_fluid_player(player);
    }
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    player = nullptr;
    synth = nullptr;
    settings = nullptr;
    soundFont = false;
    timing = {};
    lengthMs = 0;
    tick = 0;
    seekPending = false;
    ended = false;
  }
};

MidiFilePlayer::MidiFilePlayer() : MidiFilePlayer(Options{}) {}

MidiFilePlayer::MidiFilePlayer(Options options) : impl_(std::make_unique<Impl>()) {
  impl_->options = std::move(options);
}

MidiFilePlayer::~MidiFilePlayer() { impl_->teardown(); }

bool MidiFilePlayer::open(const std::string& fileName) {
  Impl& d = *impl_;
  d.teardown();
  d.error.clear();

  std::vector<unsigned char> bytes;
  if (!readWholeFile(fileName, bytes, d.error)) return false;
  std::string why;
  std::optional<SmfTiming> timing = readSmfTiming(bytes, &why);
  if (!timing) {
    d.error = "not a playable MIDI file (" + why + "): " + fileName;
    return false;
  }

  d.settings = new_fluid_settings();
  fluid_settings_setnum(d.settings, "synth.sample-rate", d.options.sampleRate);
  // The song's clock is the rendered audio, so it moves only as fast as the
  // output pulls it (and, without output, as renderMs() does).
  fluid_settings_setstr(d.settings, "player.timing-source", "sample");
  d.synth = new_fluid_synth(d.settings);
  if (!d.synth) {
    d.error = "cannot create a synthesizer";
    d.teardown();
    return false;
  }
  std::string sf = d.options.soundFont.empty() ? findGeneralMidiSoundFont() : d.options.soundFont;
  // Without a SoundFont the song still runs its course, silently, so the
  // program sees it end as it would with sound.
  d.soundFont = !sf.empty() && fluid_synth_sfload(d.synth, sf.c_str(), 1) != FLUID_FAILED;

  d.player = new_fluid_player(d.synth);
  // The bytes already checked are the ones played, even if the file changes meanwhile.
  if (!d.player || fluid_player_add_mem(d.player, bytes.data(), bytes.size()) != FLUID_OK) {
    d.error = "the MIDI player refused " + fileName;
    d.teardown();
    return false;
  }

  d.timing = std::move(*timing);
  double len = std::round(d.timing.lengthMs());
  d.lengthMs = static_cast<int>(std::min<double>(len, 2147483647.0));
  d.state = Impl::State::Stopped;

  if (d.options.audioOutput) {
    // fluidsynth does not fall back from one driver to another by itself.
    for (const char* name : {"pulseaudio", "alsa"}) {
      fluid_settings_setstr(d.settings, "audio.driver", name);
      d.driver = new_fluid_audio_driver2(d.settings, &Impl::renderForDriver, &d);
      if (d.driver) break;
    }
    if (!d.driver) {
      d.error = "no audio output (neither PulseAudio nor ALSA)";
      d.teardown();
      return false;
    }
  }
  return true;
}

bool MidiFilePlayer::play(int startMs) {
  Impl& d = *impl_;
  std::lock_guard<std::mutex> guard(d.lock);
  if (d.state == Impl::State::Closed) return false;
  if (startMs >= 0) {
    std::int64_t target = std::min(d.timing.tickAt(startMs), d.timing.totalTicks);
    return d.startAt(target);
  }
  if (d.state == Impl::State::Playing && !d.ended) return true;
  return d.resume();
}

bool MidiFilePlayer::pauseOrResume() {
  Impl& d = *impl_;
  std::lock_guard<std::mutex> guard(d.lock);
  switch (d.state) {
    case Impl::State::Playing:
      d.pause();
      return true;
    case Impl::State::Paused:
      return d.resume();
    default:
      return false;
  }
}

bool MidiFilePlayer::stop() {
  Impl& d = *impl_;
  std::lock_guard<std::mutex> guard(d.lock);
  if (d.state == Impl::State::Closed) return false;
  fluid_player_stop(d.player);
  d.silence();
  bool ok = fluid_player_seek(d.player, 0) == FLUID_OK;
  d.state = Impl::State::Stopped;
  d.tick = 0;
  d.seekPending = true;
  d.ended = false;
  return ok;
}

bool MidiFilePlayer::close() {
  bool wasOpen;
  {
    std::lock_guard<std::mutex> guard(impl_->lock);
    wasOpen = impl_->state != Impl::State::Closed;
  }
  impl_->teardown();
  return wasOpen;
}

int MidiFilePlayer::position() {
  Impl& d = *impl_;
  std::lock_guard<std::mutex> guard(d.lock);
  if (d.state == Impl::State::Closed) return -1;
  if (d.ended) return d.lengthMs;
  double ms = std::round(d.timing.msAt(d.tick));
  return static_cast<int>(std::min<double>(ms, d.lengthMs));
}

int MidiFilePlayer::length() {
  Impl& d = *impl_;
  std::lock_guard<std::mutex> guard(d.lock);
  return d.state == Impl::State::Closed ? 0 : d.lengthMs;
}

float MidiFilePlayer::renderMs(int ms) {
  Impl& d = *impl_;
  if (d.options.audioOutput || ms <= 0) return 0;
  std::lock_guard<std::mutex> guard(d.lock);
  if (d.state == Impl::State::Closed) return 0;
  constexpr int kBlock = 64;  // fluidsynth's own block, so progress is seen block by block
  float left[kBlock], right[kBlock];
  long frames = std::lround(ms * d.options.sampleRate / 1000.0);
  float peak = 0;
  while (frames > 0) {
    int n = static_cast<int>(std::min<long>(frames, kBlock));
    fluid_synth_write_float(d.synth, n, left, 0, 1, right, 0, 1);
    for (int i = 0; i < n; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    d.noteProgress();
    frames -= n;
  }
  return peak;
}

bool MidiFilePlayer::hasSoundFont() const { return impl_->soundFont; }

const std::string& MidiFilePlayer::lastError() const { return impl_->error; }

}  // namespace vesko
