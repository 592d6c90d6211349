#include "files/file_extension.h"

namespace vesko {

std::string fileExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  std::string extension(dot == std::string_view::npos ? name : name.substr(dot + 1));
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension;
}

}  // namespace vesko
