// Drives the master line as the volume knobs do and prints what it reads back:
//   master_line_probe [L R]...   one "L R" line per pair after setting it
//   master_line_probe get        the current volume
// Prints "unavailable" when the line cannot be opened.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/alsa/master_line.h"
#include "platform/mixer_service.h"

int main(int argc, char** argv) {
  vesko::Mixer mixer;
  mixer.addLine(vesko::kMasterLine, vesko::openMasterLine);
  auto report = [&mixer]() {
    int l = 0, r = 0;
    mixer.getLineVolume(l, r);
    std::printf("%d %d\n", l, r);
  };
  if (argc == 2 && std::strcmp(argv[1], "get") == 0) {
    if (!mixer.openLine(vesko::kMasterLine)) {
      std::puts("unavailable");
      return 0;
    }
    report();
    mixer.closeLine();
    return 0;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    // Each step opens and closes the line, as one knob movement does.
    if (!mixer.openLine(vesko::kMasterLine)) {
      std::puts("unavailable");
      return 0;
    }
    mixer.setLineVolume(std::atoi(argv[i]), std::atoi(argv[i + 1]));
    mixer.closeLine();
    if (!mixer.openLine(vesko::kMasterLine)) {
      std::puts("unavailable");
      return 0;
    }
    report();
    mixer.closeLine();
  }
  return 0;
}
