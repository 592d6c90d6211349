#pragma once
#include <string_view>

#include "app/app.h"

namespace vesko {

// Plays a score one token per tick of 时钟2. playPos is left alone, so a score
// interrupted by the play button goes on with its next token.
void startPlayback(App& app, std::string_view score);

// 时钟2: silences the note before, then plays the next token or ends the score.
void playbackTick(App& app, const Event& e);

}  // namespace vesko
