// Key event received by the Qt toolkit to the note-on reaching the device:
// the whole program on the real toolkit (offscreen), key events built as X11
// gives them (scan codes), a device that notes when each message arrives.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "../tests/unit/test_doubles.h"
#include "app/app.h"
#include "app/main_window.h"
#include "platform/headless/recording_midi_device.h"
#include "platform/qt/qt_toolkit.h"

using namespace vesko;
using Clock = std::chrono::steady_clock;

namespace {

class StampingDevice : public RecordingMidiDevice {
 public:
  StampingDevice() : RecordingMidiDevice("stamp") {}
  void send(const unsigned char* bytes, std::size_t size) override {
    if (size == 3 && (bytes[0] & 0xF0) == 0x90) lastNoteOn = Clock::now();
  }
  Clock::time_point lastNoteOn{};
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QtToolkit tk(qapp);
  auto device = std::make_unique<StampingDevice>();
  StampingDevice* stamp = device.get();
  std::vector<std::unique_ptr<MidiDevice>> devices;
  devices.push_back(std::move(device));
  MidiOut midi(std::move(devices));
  testing::TestMixer mixer;
  mixer.addFullLines();
  testing::TestMedia media;
  App app(tk, midi, mixer, media);
  startProgram(app);
  QWidget* window = tk.windowWidget(app.main);
  QTest::qWait(50);

  const quint32 scanCodes[] = {24, 25, 26, 27, 28, 29, 30};  // Q to U
  std::vector<double> latencies;
  quint64 timestamp = 1000;
  for (int i = 0; i < 500; ++i) {
    const quint32 sc = scanCodes[i % 7];
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, sc, 0, 0);
    press.setTimestamp(timestamp += 50);
    const auto before = Clock::now();
    QApplication::sendEvent(window, &press);
    latencies.push_back(std::chrono::duration<double, std::micro>(stamp->lastNoteOn - before).count() / 1000.0);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, sc, 0, 0);
    release.setTimestamp(timestamp += 50);
    QApplication::sendEvent(window, &release);
    QTest::qWait(12);  // lets the held-back release go out
  }
  std::sort(latencies.begin(), latencies.end());
  const auto at = [&](double q) { return latencies[static_cast<std::size_t>(q * (latencies.size() - 1))]; };
  std::printf("FIGURE\tkey event to note-on, p50 (500 keystrokes)\t%.4f\tms\t\n", at(0.5));
  std::printf("FIGURE\tkey event to note-on, p99\t%.4f\tms\t< 0.2 ms\n", at(0.99));
  return 0;
}
