// Score playback on the Qt toolkit: a 2,000-token score played by the 播放
// button, each note-on's send time against the time its token is due (50 ms
// after the click, then the periods of the tokens before it).
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_window.h"
#include "platform/headless/recording_midi_device.h"
#include "platform/qt/qt_toolkit.h"
#include "score/score_text.h"
#include "../tests/unit/test_doubles.h"

using namespace vesko;

namespace {

class TimingDevice : public RecordingMidiDevice {
 public:
  TimingDevice(QtToolkit& tk, std::vector<double>& noteOns) : RecordingMidiDevice("timing"), tk_(tk), noteOns_(noteOns) {}
  void send(const unsigned char* bytes, std::size_t size) override {
    if (size == 3 && bytes[0] == 0x90) noteOns_.push_back(tk_.nowMs());
  }

 private:
  QtToolkit& tk_;
  std::vector<double>& noteOns_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication qapp(argc, argv);
  QtToolkit tk(qapp);
  std::vector<double> noteOns;
  std::vector<std::unique_ptr<MidiDevice>> devices;
  devices.push_back(std::make_unique<TimingDevice>(tk, noteOns));
  MidiOut midi(std::move(devices));
  testing::TestMixer mixer;
  mixer.addFullLines();
  testing::TestMedia media;
  App app(tk, midi, mixer, media);
  startProgram(app);

  // The shortest notes, so that 2,000 tokens take a minute.
  constexpr int kTokens = 2000;
  std::string score;
  for (int i = 0; i < kTokens; ++i) score += (i % 4 == 3 ? "62@16 " : "60@32 ");
  std::vector<double> due;
  double t = 50;
  for (const std::string& token : splitScore(score)) {
    due.push_back(t);
    const ScoreToken k = readToken(token);
    t += tokenPeriod(k.kind, k.symbol);
  }

  double start = 0;
  QTimer::singleShot(1500, [&] {  // after the splash has gone
    app.st.scoreText = score;
    app.st.playMode = 0;
    start = tk.nowMs();
    tk.userClicked(app.ctl("播放"));
  });
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (start > 0 && !tk.checked(app.ctl("播放"))) tk.endProgram();
  });
  watch.start(100);
  tk.runMessageLoop();

  if (noteOns.size() != due.size()) {
    std::fprintf(stderr, "played %zu note-ons of %zu\n", noteOns.size(), due.size());
    return 1;
  }
  std::vector<double> errors;
  for (std::size_t i = 0; i < due.size(); ++i) errors.push_back(std::abs(noteOns[i] - start - due[i]));
  const double drift = noteOns.back() - start - due.back();
  std::sort(errors.begin(), errors.end());
  auto at = [&](double q) { return errors[static_cast<std::size_t>(q * (errors.size() - 1))]; };
  std::printf("FIGURE\tplayback note-on error, p50 (2000 tokens)\t%.3f\tms\t\n", at(0.5));
  std::printf("FIGURE\tplayback note-on error, p99\t%.3f\tms\t< 2 ms\n", at(0.99));
  std::printf("FIGURE\tplayback note-on error, max\t%.3f\tms\t\n", errors.back());
  std::printf("FIGURE\tplayback cumulative drift at the last token\t%.3f\tms\t< 2 ms\n", drift);
  return 0;
}
