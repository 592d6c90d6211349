#include <filesystem>
#include <fstream>

#include "files/midi_writer.h"
#include "files/score_file.h"
#include "platform/file_io.h"
#include "playback_fixture.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

class PlayCommandFileTest : public PlaybackFixture {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) /
          ("play_command_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  void playFile(int mode, const std::string& path) {
    st().playMode = mode;
    tk.setFileName(ctl("通用对话框1"), path);
    tk.click(ctl("播放"));
  }

  fs::path dir;
};

TEST_F(PlayCommandFileTest, ScoreTextFilePlaysWithItsInstrument) {
  start();
  playFile(2, write("song.txt", scoreFileBytes(12, "60@4 62@8 p@2")));
  EXPECT_EQ(sent(), (std::vector<std::string>{"C0 0B"}));
  EXPECT_TRUE(tk.checked(ctl("音波")));
  const Timeline t = runToEnd();
  EXPECT_EQ(t, (Timeline{"50 90 3C 7F", "290 80 3C 00", "290 90 3E 7F", "410 80 3E 00", "890 80 3E 00"}));
  EXPECT_FALSE(tk.checked(ctl("播放")));
}

TEST_F(PlayCommandFileTest, ScoreTextFileCutShortPlaysWhatItHas) {
  start();
  playFile(2, write("short.txt", "vmid\r\n"));
  EXPECT_EQ(midi->getInstrument(), 4);
  EXPECT_TRUE(tk.checked(ctl("播放")));
  tk.advance(50);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_TRUE(sent().empty());
  EXPECT_TRUE(tk.messageBoxes().empty());
}

struct RefusedCase {
  int mode;
  const char* file;   // "" for no file chosen; written when bytes is set
  const char* bytes;  // nullptr: no such file
  std::size_t size;
  const char* message;
  int flags;
};

class PlayCommandRefusedTest : public PlayCommandFileTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(PlayCommandRefusedTest, ShowsWhyAndUnchecksPlay) {
  const RefusedCase& c = GetParam();
  start();
  std::string path;
  if (*c.file) path = c.bytes ? write(c.file, std::string(c.bytes, c.size)) : (dir / c.file).string();
  playFile(c.mode, path);
  ASSERT_EQ(tk.messageBoxes().size(), 1u);
  EXPECT_EQ(tk.messageBoxes()[0].text, c.message);
  EXPECT_EQ(tk.messageBoxes()[0].flags, c.flags);
  EXPECT_FALSE(tk.checked(ctl("播放")));
  EXPECT_EQ(tk.period(ctl("时钟2")), 0);
  EXPECT_TRUE(media.calls.empty());
  tk.advance(1000);
  EXPECT_TRUE(sent().empty());
}

INSTANTIATE_TEST_SUITE_P(
    PlayCommandFiles, PlayCommandRefusedTest,
    ::testing::Values(RefusedCase{2, "", nullptr, 0, "没有要播放的曲目！", 48},
                      RefusedCase{2, "wrong.txt", "VMID\r\n4\r\n60@4", 13, "不是VeskoMIDI音乐文本文件！", 16},
                      RefusedCase{2, "gone.txt", nullptr, 0, "不是VeskoMIDI音乐文本文件！", 16},
                      RefusedCase{1, "gone.mid", nullptr, 0, "无法读取MIDI文件！", 16},
                      RefusedCase{1, "", nullptr, 0, "无法读取MIDI文件！", 16},
                      // A track count but no complete track length.
                      RefusedCase{1, "short.mid", "MThd\0\0\0\6\0\1\0\1\0\x30MTrk\0\0\0", 21, "无法读取MIDI文件！",
                                  16}));

TEST_F(PlayCommandFileTest, OneTrackMidiFileIsImportedAndPlayedWithTheKeys) {
  start();
  const std::string path = write("song.mid", midiFileBytes("60@4 62@8 "));
  playFile(1, path);
  EXPECT_EQ(st().importedScore, "60@4 62@8 p@2");
  EXPECT_EQ(readScoreFile(path + ".txt").score, "60@4 62@8 p@2");
  EXPECT_FALSE(fs::exists(path + ".bak"));
  tk.advance(290);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F", "80 3C 00", "90 3E 7F"}));
  EXPECT_EQ(tk.picture(key(62)), "key_white_lit");
  EXPECT_TRUE(media.calls.empty());
}

TEST_F(PlayCommandFileTest, OtherMidiFilesGoToTheMediaPlayerWhenTheUserAgrees) {
  start();
  std::string bytes = midiFileBytes("60@4 ");
  bytes[11] = 2;  // two tracks
  const std::string path = write("band.mid", bytes);

  tk.answerMessageBox(kMbCancel);
  playFile(1, path);
  ASSERT_EQ(tk.messageBoxes().size(), 1u);
  EXPECT_EQ(tk.messageBoxes()[0].text, "本MIDI音乐暂不支持模拟按键效果，您确定继续播放吗？");
  EXPECT_EQ(tk.messageBoxes()[0].flags, 65);
  EXPECT_TRUE(tk.checked(ctl("播放")));
  EXPECT_TRUE(tk.checked(ctl("音波")));
  EXPECT_TRUE(media.calls.empty());
  EXPECT_TRUE(midi->isDeviceOpen());

  tk.click(ctl("播放"));  // unchecked: nothing was playing
  tk.answerMessageBox(kMbOk);
  tk.click(ctl("播放"));
  EXPECT_EQ(media.calls, (std::vector<std::string>{"open " + path, "play -1"}));
  EXPECT_FALSE(midi->isDeviceOpen());
  EXPECT_EQ(st().mediaPlaying, 1);
  EXPECT_EQ(tk.period(ctl("时钟1")), 350);
  EXPECT_EQ(tk.period(ctl("时钟5")), 50);
  EXPECT_EQ(tk.period(ctl("时钟2")), 0);
}

}  // namespace
}  // namespace vesko::testing
