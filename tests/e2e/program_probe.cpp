// The whole program on the real Qt toolkit, with a recording device in
// place of the synthesizer: every MIDI message is appended to the file named
// by the first argument as "<ms> <bytes>", so that a script driving the
// window with real X events can read what would have sounded.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "app/app.h"
#include "platform/headless/recording_midi_device.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/translations.h"
#include "../unit/test_doubles.h"

using namespace vesko;

namespace {

class FileLoggingDevice : public RecordingMidiDevice {
 public:
  FileLoggingDevice(std::FILE* out, QtToolkit& tk) : RecordingMidiDevice("probe"), out_(out), tk_(tk) {}
  void send(const unsigned char* bytes, std::size_t size) override {
    RecordingMidiDevice::send(bytes, size);
    std::fprintf(out_, "%.1f %s\n", tk_.nowMs(), hexBytes(log()->sent.back()).c_str());
    std::fflush(out_);
  }

 private:
  std::FILE* out_;
  QtToolkit& tk_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: program_probe <midi-log-file>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 2;
  QApplication qapp(argc, argv);
  installChineseTranslations(qapp);
  QtToolkit tk(qapp);
  std::vector<std::unique_ptr<MidiDevice>> devices;
  devices.push_back(std::make_unique<FileLoggingDevice>(out, tk));
  MidiOut midi(std::move(devices));
  testing::TestMixer mixer;
  mixer.addFullLines();
  testing::TestMedia media;
  App app(tk, midi, mixer, media);
  const int code = runProgram(app);
  std::fclose(out);
  return code;
}
