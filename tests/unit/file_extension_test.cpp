#include <gtest/gtest.h>

#include <string>

#include "files/file_extension.h"

using namespace vesko;

namespace {

TEST(FileExtension, UpperCasedTextAfterTheLastDot) {
  const std::pair<std::string, std::string> cases[] = {
      {"song.mid", "MID"},
      {"song.Midi", "MIDI"},
      {"song.MID", "MID"},
      {"song.mid.txt", "TXT"},
      {"song.midx", "MIDX"},
      {"tune", "TUNE"},
      {"", ""},
      {"song.", ""},
      {"/home/a/my.songs/tune", "SONGS/TUNE"},
      {"C:\\my.songs\\tune", "SONGS\\TUNE"},
      {"曲子.mid", "MID"},
      {"歌.中文", "中文"},
      {"a.b-é", "B-é"},
      // One UTF-8 byte of 0x80 or more just before the dot: scanning two-byte
      // units would step over this dot.
      {"\xC3\xA9x\xE2\x82\xAC.mid", "MID"},
      {"x\xC3.mid", "MID"},
  };
  for (const auto& [name, extension] : cases) EXPECT_EQ(fileExtension(name), extension) << name;
}

}  // namespace
