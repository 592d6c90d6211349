#pragma once
#include <string>
#include <string_view>

namespace vesko {

// The duration symbol for a note held for the number of 100 ms ticks in `slot`.
std::string quantiseTicks(std::string_view slot);

}  // namespace vesko
