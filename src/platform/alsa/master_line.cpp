#include "platform/alsa/master_line.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace vesko {

namespace {

constexpr long long kFull = 65535;

class AlsaSimpleLine : public MixerLine {
 public:
  AlsaSimpleLine(snd_mixer_t* handle, snd_mixer_elem_t* elem, long min, long max, int channels)
      : handle_(handle), elem_(elem), min_(min), max_(max), channels_(channels) {}
  ~AlsaSimpleLine() override { snd_mixer_close(handle_); }

  int channels() const override { return channels_; }

  bool get(int& left, int& right) override {
    // Picks up changes made by others since the line was opened.
    snd_mixer_handle_events(handle_);
    long l = 0;
    if (snd_mixer_selem_get_playback_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT, &l) < 0) return false;
    if (channels_ == 2) {
      long r = 0;
      if (snd_mixer_selem_get_playback_volume(elem_, SND_MIXER_SCHN_FRONT_RIGHT, &r) < 0) return false;
      right = rawToVolume(r, min_, max_);
    }
    left = rawToVolume(l, min_, max_);
    return true;
  }

  bool set(int left, int right) override {
    if (channels_ == 1) {
      return snd_mixer_selem_set_playback_volume_all(elem_, volumeToRaw(left, min_, max_)) >= 0;
    }
    bool ok = snd_mixer_selem_set_playback_volume(elem_, SND_MIXER_SCHN_FRONT_LEFT,
                                                   volumeToRaw(left, min_, max_)) >= 0;
    ok = snd_mixer_selem_set_playback_volume(elem_, SND_MIXER_SCHN_FRONT_RIGHT,
                                             volumeToRaw(right, min_, max_)) >= 0 && ok;
    return ok;
  }

 private:
  snd_mixer_t* handle_;
  snd_mixer_elem_t* elem_;
  long min_;
  long max_;
  int channels_;
};

}  // namespace

long volumeToRaw(int volume, long min, long max) {
  if (max <= min) return min;
  long long v = std::clamp<long long>(volume, 0, kFull);
  long long span = static_cast<long long>(max) - min;
  return static_cast<long>(min + (v * span + kFull / 2) / kFull);
}

int rawToVolume(long raw, long min, long max) {
  if (max <= min) return 0;
  long long span = static_cast<long long>(max) - min;
  long long r = std::clamp<long long>(raw, min, max) - min;
  return static_cast<int>((r * kFull + span / 2) / span);
}

std::unique_ptr<MixerLine> openMasterLine() {
  snd_mixer_t* handle = nullptr;
  if (snd_mixer_open(&handle, 0) < 0) return nullptr;
  auto fail = [handle]() -> std::unique_ptr<MixerLine> {
    snd_mixer_close(handle);
    return nullptr;
  };
  if (snd_mixer_attach(handle, "default") < 0) return fail();
  if (snd_mixer_selem_register(handle, nullptr, nullptr) < 0) return fail();
  if (snd_mixer_load(handle) < 0) return fail();

  snd_mixer_selem_id_t* id = nullptr;
  snd_mixer_selem_id_alloca(&id);
  snd_mixer_selem_id_set_index(id, 0);
  snd_mixer_selem_id_set_name(id, "Master");
  snd_mixer_elem_t* elem = snd_mixer_find_selem(handle, id);
  if (!elem || !snd_mixer_selem_has_playback_volume(elem)) return fail();

  long min = 0, max = 0;
  if (snd_mixer_selem_get_playback_volume_range(elem, &min, &max) < 0 || max <= min) return fail();
  bool stereo = !snd_mixer_selem_is_playback_mono(elem) &&
                snd_mixer_selem_has_playback_channel(elem, SND_MIXER_SCHN_FRONT_RIGHT);
  return std::make_unique<AlsaSimpleLine>(handle, elem, min, max, stereo ? 2 : 1);
}

}  // namespace vesko
