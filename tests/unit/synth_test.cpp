#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/alsa/sequencer_ports.h"
#include "platform/fluidsynth/synth_device.h"
#include "platform/system_midi.h"

namespace vesko {
namespace {

constexpr int kRate = 48000;

struct Sound {
  std::vector<float> left, right;
};

Sound render(SynthDevice& synth, int frames) {
  Sound s{std::vector<float>(frames), std::vector<float>(frames)};
  synth.render(s.left.data(), s.right.data(), frames);
  return s;
}

double rms(const std::vector<float>& x) {
  double sum = 0;
  for (float v : x) sum += double(v) * v;
  return std::sqrt(sum / x.size());
}

float peak(const std::vector<float>& x) {
  float p = 0;
  for (float v : x) p = std::max(p, std::fabs(v));
  return p;
}

// Power-weighted mean frequency up to 5 kHz, by a plain DFT.
double spectralCentroid(const std::vector<float>& x) {
  const int n = static_cast<int>(x.size());
  double weighted = 0, total = 0;
  for (int k = 1; k < n * 5000 / kRate; ++k) {
    double re = 0, im = 0;
    for (int i = 0; i < n; ++i) {
      const double a = 2 * std::numbers::pi * k * i / n;
      re += x[i] * std::cos(a);
      im -= x[i] * std::sin(a);
    }
    const double power = re * re + im * im;
    weighted += power * k * kRate / n;
    total += power;
  }
  return total > 0 ? weighted / total : 0;
}

void send(SynthDevice& synth, std::initializer_list<unsigned char> bytes) {
  std::vector<unsigned char> message(bytes);
  synth.send(message.data(), message.size());
}

SynthDevice::Options offline() {
  SynthDevice::Options options;
  options.audio = false;
  options.effects = false;
  return options;
}

class Synth : public testing::Test {
 protected:
  void SetUp() override {
    if (!synth.hasSoundFont()) GTEST_SKIP() << "no General MIDI SoundFont installed (fluid-soundfont-gm)";
    ASSERT_TRUE(synth.open());
  }
  SynthDevice synth{offline()};
};

TEST_F(Synth, NoteOnSoundsAndNoteOffDecaysToSilence) {
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
  send(synth, {0x90, 60, 127});
  const Sound held = render(synth, 4800);
  EXPECT_GT(rms(held.left), 0.01);
  EXPECT_GT(rms(held.right), 0.01);

  send(synth, {0x80, 60, 0});
  // The piano's release tail is about a second long.
  render(synth, 2 * kRate);
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
}

TEST_F(Synth, VelocityZeroAndAllNotesOffEndNotes) {
  send(synth, {0x90, 60, 127});
  send(synth, {0x90, 64, 127});
  render(synth, 4800);
  send(synth, {0x90, 60, 0});
  send(synth, {0xB0, 123, 0});
  render(synth, 2 * kRate);
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
}

TEST_F(Synth, InstrumentChangesTheSpectrum) {
  auto centroidOf = [&](unsigned char program) {
    send(synth, {0xC0, program});
    send(synth, {0x90, 60, 127});
    render(synth, 4096);  // past the attack
    const double c = spectralCentroid(render(synth, 4096).left);
    send(synth, {0xB0, 120, 0});
    render(synth, 64);
    return c;
  };
  const double honkyTonk = centroidOf(3);
  const double taiko = centroidOf(116);
  EXPECT_GT(honkyTonk, 3 * taiko) << "Honky-tonk " << honkyTonk << " Hz, Taiko " << taiko << " Hz";
}

// Junk must not reach FluidSynth as something else: a data byte with the top
// bit set, a message of the wrong length, system messages.
TEST_F(Synth, MalformedMessagesAreIgnored) {
  const std::vector<std::vector<unsigned char>> junk = {
      {0x90, 60, 0x80}, {0x90, 0xBC, 127}, {0x90, 60}, {0x90, 60, 127, 0}, {0x3C, 127},
      {0xF0, 0x90, 60}, {0xC0, 3, 0},      {0x90},     {},
  };
  for (const auto& message : junk) synth.send(message.data(), message.size());
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
}

TEST_F(Synth, CloseSilencesSoundingNotesAndReopenDoesNotBringThemBack) {
  send(synth, {0x90, 60, 127});
  EXPECT_GT(rms(render(synth, 4800).left), 0.01);
  synth.close();
  EXPECT_FALSE(synth.isOpen());
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
  send(synth, {0x90, 64, 127});  // nobody listens while closed
  ASSERT_TRUE(synth.open());
  EXPECT_EQ(peak(render(synth, 4800).left), 0.0f);
}

TEST_F(Synth, LineStartsAtKnobTopAndOutlivesReopening) {
  auto line = synth.synthLine();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->channels(), 2);
  int left = -1, right = -1;
  ASSERT_TRUE(line->get(left, right));
  EXPECT_EQ(left, 59392);
  EXPECT_EQ(right, 59392);

  ASSERT_TRUE(line->set(1000, 70000));
  synth.close();
  ASSERT_TRUE(synth.open());
  synth.synthLine()->get(left, right);
  EXPECT_EQ(left, 1000);
  EXPECT_EQ(right, 65535);
  line->set(-5, 0);
  line->get(left, right);
  EXPECT_EQ(left, 0);
}

TEST_F(Synth, LevelScalesTheOutput) {
  SynthDevice reference(offline());
  ASSERT_TRUE(reference.open());
  reference.setLevel(65535, 65535);
  synth.synthLine()->set(32768, 0);
  for (SynthDevice* s : {&reference, &synth}) send(*s, {0x90, 60, 127});
  const Sound full = render(reference, 4800);
  const Sound half = render(synth, 4800);
  ASSERT_GT(rms(full.left), 0.01);
  for (int i = 0; i < 4800; i += 97) ASSERT_NEAR(half.left[i], full.left[i] * 32768 / 65535.0, 1e-6) << i;
  EXPECT_EQ(peak(half.right), 0.0f);
}

TEST(SynthWithoutSoundFont, CannotOpenAndHasNoLine) {
  SynthDevice::Options options = offline();
  options.soundFont = "/nonexistent/none.sf2";
  SynthDevice synth(options);
  EXPECT_FALSE(synth.hasSoundFont());
  EXPECT_FALSE(synth.open());
  EXPECT_FALSE(synth.isOpen());
  EXPECT_EQ(synth.synthLine(), nullptr);
  const unsigned char on[3] = {0x90, 60, 127};
  synth.send(on, 3);
  std::vector<float> left(256, 1.0f), right(256, 1.0f);
  synth.render(left.data(), right.data(), 256);
  EXPECT_EQ(peak(left), 0.0f);
}

TEST(SynthSystemMidi, DeviceZeroIsTheSynthesizerThenTheSequencerPorts) {
  SystemMidi midi = makeSystemMidi();
  ASSERT_NE(midi.out, nullptr);
  ASSERT_NE(midi.synth, nullptr);
  EXPECT_EQ(midi.out->device(0), midi.synth);
  EXPECT_EQ(midi.out->deviceName(0), "内置软件合成器 (FluidSynth)");
  const auto ports = sequencerPortDevices();
  ASSERT_EQ(midi.out->deviceCount(), 1 + static_cast<int>(ports.size()));
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(midi.out->deviceName(1 + static_cast<int>(i)), ports[i]->name());
    EXPECT_FALSE(ports[i]->name().empty());
    EXPECT_FALSE(ports[i]->isOpen());
  }
  if (!std::filesystem::exists("/dev/snd/seq")) EXPECT_TRUE(ports.empty());
}

}  // namespace
}  // namespace vesko
