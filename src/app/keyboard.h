#pragma once
#include <array>

#include "app/app.h"

namespace vesko {

// The white keys' notes without the top key 96.
extern const std::array<int, 35> kWhiteKeyNotes;
// The mapped computer keys: virtual-key codes and the notes they play, read
// in parallel. Backspace appears twice, both times with 95.
extern const std::array<int, 54> kKeyCodes;
extern const std::array<int, 54> kKeyNotes;

inline constexpr int kKeyboardPositions = 71;
// Positions with no black key (after E and B).
bool isSkippedPosition(int position);

// Clones the 61 keys from the two templates, lays them out and tags them
// with their notes.
void buildKeyboard(App& app);

}  // namespace vesko
