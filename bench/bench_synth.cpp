// Start-up cost and latency of the built-in synthesizer. Rows:
//   FIGURE<TAB>name<TAB>value<TAB>unit<TAB>goal
// The audio figures need a PulseAudio server (PULSE_SERVER, as the test
// environment sets it) with a sink whose monitor parec can record.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/fluidsynth/synth_device.h"

using namespace vesko;
using Clock = std::chrono::steady_clock;

namespace {

void figure(const char* name, double value, const char* unit, const char* goal) {
  std::printf("FIGURE\t%s\t%.3g\t%s\t%s\n", name, value, unit, goal);
  std::fflush(stdout);
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double rssMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

void send(SynthDevice& synth, std::initializer_list<unsigned char> bytes) {
  std::vector<unsigned char> m(bytes);
  synth.send(m.data(), m.size());
}

// Frames from a note-on to its first non-zero sample when the note arrives
// `offset` frames into FluidSynth's 64-frame block.
int synthBlockDelay(SynthDevice& synth, int offset) {
  std::vector<float> l(1024), r(1024);
  send(synth, {0xB0, 120, 0});
  synth.render(l.data(), r.data(), 512 - 64 + offset);  // settle, then stop `offset` into a block
  send(synth, {0x90, 60, 127});
  synth.render(l.data(), r.data(), 256);
  for (int i = 0; i < 256; ++i)
    if (l[i] != 0 || r[i] != 0) return i;
  return 256;
}

// `pactl list sink-inputs` while our stream plays: its buffer latency, and
// the latency the sink was configured to for it, in milliseconds.
void pulseLatency(double& buffer, double& sinkConfigured) {
  buffer = sinkConfigured = -1;
  if (FILE* p = popen("pactl list sink-inputs 2>/dev/null", "r")) {
    char line[512];
    while (std::fgets(line, sizeof line, p))
      if (const char* at = std::strstr(line, "Buffer Latency:")) buffer = std::atof(at + 15) / 1000.0;
    pclose(p);
  }
  if (FILE* p = popen("pactl list sinks 2>/dev/null", "r")) {
    char line[512];
    while (std::fgets(line, sizeof line, p))
      if (const char* at = std::strstr(line, "configured ")) sinkConfigured = std::atof(at + 11) / 1000.0;
    pclose(p);
  }
}

// Records the default sink's monitor with parec into `path`.
pid_t startCapture(const std::string& path) {
  pid_t pid = fork();
  if (pid == 0) {
    std::freopen(path.c_str(), "wb", stdout);
    execlp("parec", "parec", "-d", "@DEFAULT_MONITOR@", "--latency-msec=20", "--raw", "--format=s16le",
           "--rate=48000", "--channels=2", static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

void stopCapture(pid_t pid) {
  kill(pid, SIGINT);
  waitpid(pid, nullptr, 0);
}

// Runs of at least 32 frames of digital silence inside a sustained organ
// note: the sink had nothing from us to play, i.e. an underrun.
int silentGaps(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), {});
  std::vector<int16_t> data(raw.size() / 2);
  std::memcpy(data.data(), raw.data(), data.size() * 2);
  const size_t frames = data.size() / 2;
  size_t first = frames, last = 0;
  for (size_t i = 0; i < frames; ++i)
    if (std::abs(data[2 * i]) > 300) {
      first = std::min(first, i);
      last = i;
    }
  if (first >= last) return -1;
  int gaps = 0, run = 0;
  for (size_t i = first; i < last; ++i) {
    if (data[2 * i] == 0 && data[2 * i + 1] == 0) {
      ++run;
    } else {
      if (run >= 32) ++gaps;
      run = 0;
    }
  }
  return gaps;
}

}  // namespace

int main() {
  SynthDevice::Options offline;
  offline.audio = false;
  {
    SynthDevice probe(offline);
    if (!probe.hasSoundFont()) {
      std::fprintf(stderr, "no General MIDI SoundFont installed\n");
      return 1;
    }
    std::fprintf(stderr, "SoundFont %s\n", probe.soundFontPath().c_str());
  }

  // First open of a fresh device = SoundFont load (samples load on demand).
  const double rssBefore = rssMegabytes();
  std::vector<double> loads;
  double rssAfterFirst = 0;
  for (int i = 0; i < 7; ++i) {
    SynthDevice synth(offline);
    const auto t0 = Clock::now();
    synth.open();
    loads.push_back(ms(Clock::now() - t0));
    if (i == 0) {
      send(synth, {0x90, 60, 127});  // the piano's samples come in with the first note
      std::vector<float> l(4800), r(4800);
      synth.render(l.data(), r.data(), 4800);
      rssAfterFirst = rssMegabytes();
    }
  }
  figure("synth_first_open_offline_median", median(loads), "ms", "< 400 (window with synthesizer ready)");
  figure("synth_rss_after_open", rssAfterFirst, "MB", "-");
  figure("synth_rss_added_by_open", rssAfterFirst - rssBefore, "MB", "-");

  {
    SynthDevice::Options dry = offline;
    dry.effects = false;  // no reverb tail of the previous note to mistake for the next
    SynthDevice synth(dry);
    synth.open();
    std::vector<double> delays;
    int worst = 0;
    for (int offset = 0; offset < 64; ++offset) {
      const int d = synthBlockDelay(synth, offset);
      delays.push_back(d);
      worst = std::max(worst, d);
    }
    figure("synth_block_delay_median", median(delays) * 1000.0 / offline.sampleRate, "ms", "-");
    figure("synth_block_delay_worst", worst * 1000.0 / offline.sampleRate, "ms", "-");
  }

  const SynthDevice::Options defaults;
  // PulseAudio output buffers one period; the ALSA output all of them.
  figure("audio_period_configured", 1000.0 * defaults.periodSize / defaults.sampleRate, "ms", "-");
  figure("audio_buffer_configured_alsa", 1000.0 * defaults.periodSize * defaults.periods / defaults.sampleRate,
         "ms", "-");

  if (!std::getenv("PULSE_SERVER")) {
    std::fprintf(stderr, "PULSE_SERVER not set: no audio figures\n");
    return 0;
  }

  {
    std::vector<double> opens;
    double buffer = -1, sink = -1;
    for (int i = 0; i < 5; ++i) {
      SynthDevice synth;
      const auto t0 = Clock::now();
      if (!synth.open()) {
        std::fprintf(stderr, "the synthesizer found no audio output\n");
        return 1;
      }
      opens.push_back(ms(Clock::now() - t0));
      if (i == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pulseLatency(buffer, sink);
        std::fprintf(stderr, "driver %s\n", synth.audioDriver().c_str());
      }
    }
    figure("synth_first_open_pulseaudio_median", median(opens), "ms", "< 400 (window with synthesizer ready)");
    figure("pulse_buffer_latency", buffer, "ms", "-");
    figure("pulse_sink_latency_configured", sink, "ms", "-");
    // A null sink reports no device latency of its own; a sound card adds its own.
    const double total = 64 * 1000.0 / defaults.sampleRate + buffer + sink;
    figure("note_on_to_sound_worst_estimate", total, "ms", "< 10");
    std::fprintf(stderr, "period %d x %d at %d Hz; the estimate is synthesizer block + buffer + sink\n",
                 defaults.periodSize, defaults.periods, defaults.sampleRate);
  }

  // Underruns on an idle and on a busy machine (threads spinning alongside,
  // as many as there are cores at most), for the chosen period and its neighbours.
  const std::string capture = "/tmp/vesko-bench-synth-" + std::to_string(getpid()) + ".raw";
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  for (int spinning : {0, cores}) {
    std::atomic<bool> busy{true};
    std::vector<std::thread> spinners;
    for (int i = 0; i < spinning; ++i)
      spinners.emplace_back([&] {
        volatile unsigned x = 0;
        while (busy.load(std::memory_order_relaxed)) x = x * 1664525u + 1013904223u;
      });
    for (int period : {defaults.periodSize / 2, defaults.periodSize, defaults.periodSize * 3 / 2}) {
      SynthDevice::Options options;
      options.periodSize = period;
      SynthDevice synth(options);
      const pid_t parec = startCapture(capture);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      if (!synth.open()) break;
      send(synth, {0xC0, 19});  // church organ: holds steady while the key is down
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      send(synth, {0x90, 60, 127});
      std::this_thread::sleep_for(std::chrono::milliseconds(3000));
      send(synth, {0x80, 60, 0});
      std::this_thread::sleep_for(std::chrono::milliseconds(1000));
      synth.close();
      stopCapture(parec);
      const int gaps = silentGaps(capture);
      if (gaps < 0) {
        std::fprintf(stderr, "parec recorded nothing: no underrun figures\n");
        break;
      }
      const std::string name = "underrun_gaps_3s_period" + std::to_string(period) + "_spinning" +
                               std::to_string(spinning) + "of" + std::to_string(cores);
      figure(name.c_str(), gaps, "gaps", "0");
    }
    busy = false;
    for (auto& t : spinners) t.join();
  }
  std::remove(capture.c_str());
  return 0;
}
