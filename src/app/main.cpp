// The keyboard's program entry on the real platform: Qt Widgets, the
// built-in synthesizer and the ALSA sequencer ports, alsa-lib's mixer and
// FluidSynth's MIDI-file player.
#include <QApplication>
#include <QIcon>

#include "app/app.h"
#include "platform/alsa/master_line.h"
#include "platform/fluidsynth/midi_file_player.h"
#include "platform/fluidsynth/synth_device.h"
#include "platform/qt/qt_toolkit.h"
#include "platform/qt/translations.h"
#include "platform/system_midi.h"

int main(int argc, char** argv) {
  using namespace vesko;
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vesko-keyboard"));
  // Docks find the icon through the desktop file of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("vesko-keyboard"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/emblem.svg")));
  installChineseTranslations(qapp);

  QtToolkit toolkit(qapp);
  SystemMidi midi = makeSystemMidi();
  Mixer mixer;
  mixer.addLine(kMasterLine, [] { return openMasterLine(); });
  SynthDevice* synth = midi.synth;
  mixer.addLine(kSynthLine, [synth] { return synth ? synth->synthLine() : nullptr; });
  MidiFilePlayer player;

  App app(toolkit, *midi.out, mixer, player);
  return runProgram(app);
}
