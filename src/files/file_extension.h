#pragma once
#include <string>
#include <string_view>

namespace vesko {

// The text after the last '.' of a file name (the whole name when it has
// none), with a-z upper-cased. Every other byte stays as it is.
//
// Names come from the desktop's file dialog and are UTF-8, so the last '.'
// byte is taken as it is: no byte of a UTF-8 multibyte character is a '.',
// while walking the name as two-byte GBK characters could step over a real
// '.' after an odd number of UTF-8 bytes. For valid GBK names the result is
// the same, since no GBK trail byte is a '.'.
std::string fileExtension(std::string_view name);

}  // namespace vesko
