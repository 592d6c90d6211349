#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "files/midi_import.h"
#include "files/midi_writer.h"
#include "platform/file_io.h"

using namespace vesko;

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

const std::string kHeader = bytes({0x4D, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 1, 0, 1, 0, 0x30, 0x4D, 0x54, 0x72, 0x6B});

// The file of the score "60@4 62@8 ".
const std::string kExample = kHeader + bytes({0, 0, 0, 0x11, 0x00, 0x90,
                                              0x3C, 0x40, 0x18, 0x3C, 0, 0,
                                              0x3E, 0x40, 0x0C, 0x3E, 0, 0,
                                              0xFF, 0x2F, 0x00});

std::string fileWithRecords(const std::string& records) {
  const auto length = static_cast<unsigned>(records.size() + 5);
  return kHeader + bytes({0, 0, static_cast<int>(length >> 8), static_cast<int>(length & 0xFF), 0, 0x90}) +
         records + bytes({0xFF, 0x2F, 0});
}

TEST(MidiWriter, ExampleGivesItsThirtyNineBytes) {
  EXPECT_EQ(kExample.size(), 39u);
  EXPECT_EQ(midiFileBytes("60@4 62@8 "), kExample);
  EXPECT_EQ(midiFileBytes("60@4 62@8 p@2"), kExample);
}

TEST(MidiWriter, OnlyNoteTokensWriteRecords) {
  const std::pair<std::string, std::string> cases[] = {
      {"60@4 p@2 62@8", kExample},
      {"60@4  | || 2. 60 60@62@4 p 62@8 p@4@x", kExample},
      {"60@4 62@8 64@", kExample},
      {"", fileWithRecords("")},
      {"p@2", fileWithRecords("")},
      {"60@", fileWithRecords("")},
      {"60@4 62@5", fileWithRecords(bytes({60, 0x40, 24, 60, 0, 0, 62, 0x40, 24, 62, 0, 0}))},
      {"62@5 60@4", fileWithRecords(bytes({62, 0x40, 0, 62, 0, 0, 60, 0x40, 24, 60, 0, 0}))},
      {"@4", fileWithRecords(bytes({0, 0x40, 24, 0, 0, 0}))},
      {"P@2", fileWithRecords(bytes({0, 0x40, 48, 0, 0, 0}))},
      {"300@8 -1@8", fileWithRecords(bytes({0x2C, 0x40, 12, 0x2C, 0, 0, 0xFF, 0x40, 12, 0xFF, 0, 0}))},
      {"12.9@1.", fileWithRecords(bytes({12, 0x40, 96, 12, 0, 0}))},
  };
  for (const auto& [score, file] : cases) {
    SCOPED_TRACE("score '" + score + "'");
    EXPECT_EQ(midiFileBytes(score), file);
  }
}

TEST(MidiWriter, TrackLengthCountsTheBytesWritten) {
  std::string score;
  for (int i = 0; i < 50; ++i) score += "60@8 ";
  const std::string file = midiFileBytes(score);
  ASSERT_EQ(file.size(), 27u + 6 * 50);
  const unsigned length = (static_cast<unsigned char>(file[20]) << 8) | static_cast<unsigned char>(file[21]);
  EXPECT_EQ(length, file.size() - 22);
  EXPECT_EQ(file[18], 0);
  EXPECT_EQ(file[19], 0);
}

TEST(MidiWriter, CallbackMayChangeTheCallersScore) {
  std::string score;
  for (int i = 0; i < 3000; ++i) score += "60@4 62@8 ";
  const std::string expected = midiFileBytes(score);
  int calls = 0;
  const std::string written = midiFileBytes(score, [&] {
    ++calls;
    score = "p@2 ";  // a handler that empties and reuses the recording
  });
  EXPECT_GE(calls, 1);
  EXPECT_EQ(written, expected);
}

TEST(MidiImport, TrackCount) {
  EXPECT_EQ(trackCountOf(kExample), 1);
  EXPECT_EQ(trackCountOf(kExample.substr(0, 12)), 1);
  EXPECT_EQ(trackCountOf(kExample.substr(0, 11)), std::nullopt);
  EXPECT_EQ(trackCountOf(""), std::nullopt);
  std::string two = kExample;
  two[11] = 2;
  EXPECT_EQ(trackCountOf(two), 2);
  std::string many = kExample;
  many[10] = 1;
  many[11] = 0;
  EXPECT_EQ(trackCountOf(many), 256);
}

TEST(MidiImport, StrippingDropsRunningBytesAfterTheStart) {
  EXPECT_EQ(strippedCopy(kExample), kExample);

  // A delta time 81 00 after offset 23: the 0x81 goes, the length drops by one.
  const std::string withDelta = fileWithRecords(bytes({0x3C, 0x40, 0x81, 0x00, 0x3C, 0, 0, 0x82, 0x83}));
  const auto copy = strippedCopy(withDelta);
  ASSERT_TRUE(copy);
  EXPECT_EQ(*copy, kHeader + bytes({0, 0, 0, 14 - 3, 0, 0x90, 0x3C, 0x40, 0x00, 0x3C, 0, 0, 0xFF, 0x2F, 0}));

  // Bytes of the first 24 are never dropped; a length below the count wraps.
  std::string start = kHeader + bytes({0, 0, 0, 0, 0x81, 0x82, 0x81});
  EXPECT_EQ(strippedCopy(start), kHeader + bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x82}));

  EXPECT_EQ(strippedCopy(kExample.substr(0, 21)), std::nullopt);
  EXPECT_EQ(strippedCopy(kExample.substr(0, 22)), kExample.substr(0, 22));
  EXPECT_EQ(strippedCopy(kExample.substr(0, 23)), kExample.substr(0, 23));
  EXPECT_EQ(strippedCopy(kExample.substr(0, 24)), kExample.substr(0, 24));
}

TEST(MidiImport, ScoreFromRecords) {
  const std::pair<std::string, std::string> cases[] = {
      {kExample, "60@4 62@8 p@2"},
      {kExample.substr(0, 24), ""},
      {kExample.substr(0, 10), ""},
      {kExample.substr(0, 25), "p@2"},
      {kExample.substr(0, 30), "60@4 "},
      {kExample.substr(0, 35), "60@4 p@2"},
      {kExample.substr(0, 36), "60@4 62@8 "},
      {fileWithRecords(bytes({200, 0, 5, 0, 0, 0, 0, 0, 100, 0, 0, 0})), "200@4 0@4 p@2"},
  };
  for (const auto& [copy, score] : cases) {
    SCOPED_TRACE(std::to_string(copy.size()) + " bytes");
    EXPECT_EQ(scoreFromStrippedCopy(copy), score);
  }
}

TEST(MidiImport, EverySymbolComesBack) {
  const std::string symbols[] = {"32", "16", "8", "8.", "4", "4.", "2", "2.", "1", "1."};
  std::string score;
  std::string expected;
  for (const auto& s : symbols) {
    score += "61@" + s + " p@4 ";
    expected += "61@" + s + " ";
  }
  const auto copy = strippedCopy(midiFileBytes(score));
  ASSERT_TRUE(copy);
  EXPECT_EQ(scoreFromStrippedCopy(*copy), expected + "p@2");
}

class MidiImportFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::string path(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }
  QTemporaryDir dir_;
};

TEST_F(MidiImportFiles, ExampleRoundTripsThroughTheDisk) {
  const std::string song = path("song.mid");
  ASSERT_TRUE(exportMidiFile("60@4 62@8 p@2", song));
  EXPECT_EQ(readWholeFile(song), kExample);

  ASSERT_TRUE(replaceFileContent(song + ".txt", "an older import"));
  EXPECT_EQ(midiTrackCount(song), 1);
  ASSERT_TRUE(stripMidiFile(song));
  EXPECT_EQ(readWholeFile(song + ".bak"), kExample);

  EXPECT_EQ(importMidiFile(song, 5), "60@4 62@8 p@2");
  EXPECT_EQ(readWholeFile(song + ".txt"), "vmid\r\n5\r\n60@4 62@8 p@2");
  EXPECT_EQ(readWholeFile(song + ".bak"), std::nullopt);
  EXPECT_EQ(readWholeFile(song), kExample);
}

TEST_F(MidiImportFiles, NoNoteDataLeavesATwoLineScoreFile) {
  const std::string song = path("empty.mid");
  ASSERT_TRUE(replaceFileContent(song, kExample.substr(0, 24)));
  ASSERT_TRUE(stripMidiFile(song));
  EXPECT_EQ(importMidiFile(song, 1), "");
  EXPECT_EQ(readWholeFile(song + ".txt"), "vmid\r\n1\r\n");
}

TEST_F(MidiImportFiles, ShortAndMissingFilesAreRefused) {
  const std::string missing = path("missing.mid");
  EXPECT_EQ(midiTrackCount(missing), -1);
  EXPECT_FALSE(stripMidiFile(missing));
  EXPECT_EQ(importMidiFile(missing, 1), std::nullopt);
  EXPECT_EQ(readWholeFile(missing + ".txt"), std::nullopt);

  const std::string tiny = path("tiny.mid");
  ASSERT_TRUE(replaceFileContent(tiny, kExample.substr(0, 11)));
  EXPECT_EQ(midiTrackCount(tiny), -1);

  const std::string headerOnly = path("header.mid");
  ASSERT_TRUE(replaceFileContent(headerOnly, kExample.substr(0, 21)));
  EXPECT_EQ(midiTrackCount(headerOnly), 1);
  EXPECT_FALSE(stripMidiFile(headerOnly));
  EXPECT_EQ(readWholeFile(headerOnly + ".bak"), std::nullopt);

  EXPECT_FALSE(exportMidiFile("60@4", path("gone/song.mid")));
}

}  // namespace
