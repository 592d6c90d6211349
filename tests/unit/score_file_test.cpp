#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "files/score_file.h"
#include "platform/file_io.h"

using namespace vesko;

namespace {

TEST(ScoreFileWrite, ExampleGivesItsEighteenBytes) {
  const std::string bytes = scoreFileBytes(1, "60@4 62@8 ");
  EXPECT_EQ(bytes, "vmid\r\n1\r\n60@4 62@8");
  EXPECT_EQ(bytes.size(), 18u);
}

TEST(ScoreFileWrite, TrailingSpacesGoInnerSpacesStay) {
  const std::pair<std::string, std::string> cases[] = {
      {"60@4  62@8    ", "vmid\r\n7\r\n60@4  62@8"},
      {"60@4 \xA1\xA1 \xA1\xA1", "vmid\r\n7\r\n60@4"},
      {"", "vmid\r\n7\r\n"},
      {"   ", "vmid\r\n7\r\n"},
  };
  for (const auto& [score, bytes] : cases) EXPECT_EQ(scoreFileBytes(7, score), bytes) << score;
  EXPECT_EQ(scoreFileBytes(-3, "x"), "vmid\r\n-3\r\nx");
}

struct ParseCase {
  std::string name;
  std::string bytes;
  bool isScoreFile;
  bool hasInstrument;
  int instrument;
  bool hasScore;
  std::string score;
};

TEST(ScoreFileRead, ReadsMagicInstrumentAndScore) {
  const ParseCase cases[] = {
      {"example", "vmid\r\n1\r\n60@4 62@8", true, true, 1, true, "60@4 62@8"},
      {"score not trimmed", "vmid\r\n1\r\n60@4 ", true, true, 1, true, "60@4 "},
      {"extra lines ignored", "vmid\r\n5\r\n60@4\r\nmore\r\n", true, true, 5, true, "60@4"},
      {"after a zero byte", std::string("vmid\r\n5\r\n60@4\0 62@8", 19), true, true, 5, true, "60@4"},
      {"zero byte in line 2", std::string("vmid\r\n5\0\r\n60@4", 14), true, true, 5, false, ""},
      {"instrument 12.9", "vmid\r\n12.9\r\n60@4", true, true, 12, true, "60@4"},
      {"instrument letters", "vmid\r\nabc\r\n60@4", true, true, 0, true, "60@4"},
      {"two lines only", "vmid\r\n3\r\n", true, true, 3, false, ""},
      {"empty instrument line", "vmid\r\n\r\n60@4", true, true, 0, true, "60@4"},
      {"empty score line then more", "vmid\r\n3\r\n\r\nx", true, true, 3, true, ""},
      {"magic only", "vmid", true, false, 0, false, ""},
      {"magic and CR LF", "vmid\r\n", true, false, 0, false, ""},
      {"capitals", "VMID\r\n1\r\n60@4", false, false, 0, false, ""},
      {"leading space", " vmid\r\n1\r\n60@4", false, false, 0, false, ""},
      {"trailing space", "vmid \r\n1\r\n60@4", false, false, 0, false, ""},
      {"LF line ends", "vmid\n1\n60@4", false, false, 0, false, ""},
      {"empty", "", false, false, 0, false, ""},
      {"zero byte first", std::string("\0vmid", 5), false, false, 0, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScoreFileContent content = parseScoreFile(c.bytes);
    EXPECT_EQ(content.isScoreFile, c.isScoreFile);
    EXPECT_EQ(content.hasInstrument, c.hasInstrument);
    EXPECT_EQ(content.instrument, c.instrument);
    EXPECT_EQ(content.hasScore, c.hasScore);
    EXPECT_EQ(content.score, c.score);
  }
}

TEST(ScoreFileDisk, WritesReplacesAndReadsBack) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.path().toStdString() + "/song.txt";

  ASSERT_TRUE(writeScoreFile(path, 1, "60@4 62@8 "));
  EXPECT_EQ(readWholeFile(path), "vmid\r\n1\r\n60@4 62@8");

  ASSERT_TRUE(writeScoreFile(path, 116, "64@2. "));
  EXPECT_EQ(readWholeFile(path), "vmid\r\n116\r\n64@2.");
  const ScoreFileContent content = readScoreFile(path);
  EXPECT_TRUE(content.isScoreFile);
  EXPECT_EQ(content.instrument, 116);
  EXPECT_EQ(content.score, "64@2.");

  const ScoreFileContent missing = readScoreFile(dir.path().toStdString() + "/missing.txt");
  EXPECT_FALSE(missing.isScoreFile);
  EXPECT_FALSE(missing.hasInstrument);
  EXPECT_FALSE(missing.hasScore);

  EXPECT_FALSE(writeScoreFile(dir.path().toStdString() + "/gone/song.txt", 1, "60@4"));
}

}  // namespace
