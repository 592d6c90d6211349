#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vesko {

// Paths are UTF-8, as file names are on the Linux desktop.

// The whole content of a file; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the content of `path` (creating it if needed) in one step: the
// bytes go to a temporary file beside it that is renamed over the old one
// only once everything is written. On any failure (read-only file or
// folder, full disk, folder gone) the old file stays as it was and the
// result is false.
bool replaceFileContent(const std::string& path, std::string_view bytes);

bool removeFile(const std::string& path);

}  // namespace vesko
