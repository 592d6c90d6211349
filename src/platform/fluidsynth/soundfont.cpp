#include "platform/fluidsynth/soundfont.h"

#include <filesystem>

namespace vesko {

std::string findGeneralMidiSoundFont() {
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
  };
  for (const char* path : kCandidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return {};
}

}  // namespace vesko
