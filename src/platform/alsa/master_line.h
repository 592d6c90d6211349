#pragma once
#include <memory>

#include "platform/mixer_service.h"

namespace vesko {

// The playback volume of the simple element "Master" on alsa-lib's "default"
// mixer, mapped onto 0 to 65535 per channel. Null when there is no server or
// card behind "default" or it has no such element. Every call attaches anew
// and the line detaches when destroyed.
std::unique_ptr<MixerLine> openMasterLine();

// The mapping between a control's range [min, max] and 0 to 65535: 0 is min
// and 65535 is max exactly, and every volume survives the trip there and
// back when the range has at least 65536 steps.
long volumeToRaw(int volume, long min, long max);
int rawToVolume(long raw, long min, long max);

}  // namespace vesko
