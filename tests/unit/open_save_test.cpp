#include <filesystem>

#include "app_fixture.h"
#include "files/open_save.h"
#include "platform/file_io.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

class OpenSaveTest : public ProgramTest {
 protected:
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("vesko-open-save-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    start();
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string path(const char* name) const { return (dir / name).string(); }
  std::string bytesOf(const std::string& p) const { return readWholeFile(p).value_or("<none>"); }
};

TEST_F(OpenSaveTest, SaveWithNothingRecordedDoesNothing) {
  tk.answerFileDialog(path("a.txt"));
  ASSERT_TRUE(tk.click(ctl("保存")));
  EXPECT_TRUE(tk.fileDialogs().empty());
  EXPECT_TRUE(tk.messageBoxes().empty());
}

TEST_F(OpenSaveTest, TheExtensionChoosesTheFormat) {
  struct Case { const char* name; bool midi; };
  const Case cases[] = {{"a.mid", true},     {"b.MID", true},   {"c.midi", true}, {"d.Midi", true},
                        {"e.txt", false},    {"f.mid.txt", false}, {"g.midx", false}, {"tune", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    st().scoreText = "60@4 62@8 ";
    tk.answerFileDialog(path(c.name));
    ASSERT_TRUE(tk.click(ctl("保存")));
    const std::string bytes = bytesOf(path(c.name));
    if (c.midi) {
      EXPECT_EQ(bytes.substr(0, 4), "MThd");
      EXPECT_EQ(bytes.size(), 39u);  // the recording's p@2 tail writes nothing
    } else {
      EXPECT_EQ(bytes, "vmid\r\n4\r\n60@4 62@8");  // the start-up instrument
    }
    ASSERT_FALSE(tk.messageBoxes().empty());
    EXPECT_EQ(tk.messageBoxes().back().text, kSavedText);
    EXPECT_EQ(tk.messageBoxes().back().flags, kMbInformation);
    EXPECT_EQ(st().scoreText, "60@4 62@8 ");
    EXPECT_EQ(tk.fileDialogs().back().mode, FileDialogMode::Save);
  }
  EXPECT_EQ(st().playMode, 2);  // saving leaves the play mode alone
}

TEST_F(OpenSaveTest, TheInstrumentLineHoldsItsLowEightBits) {
  midi->setInstrument(300);  // out of range: stored, nothing sent
  st().scoreText = "60@4 ";
  tk.answerFileDialog(path("x.txt"));
  tk.click(ctl("保存"));
  EXPECT_EQ(bytesOf(path("x.txt")), "vmid\r\n44\r\n60@4");
}

TEST_F(OpenSaveTest, CancelledSaveWritesNothingAndSaysNothing) {
  st().scoreText = "60@4 ";
  tk.answerFileDialog(std::nullopt);
  tk.click(ctl("保存"));
  EXPECT_TRUE(tk.messageBoxes().empty());
  EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(OpenSaveTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
  const std::string old = path("keep.txt");
  ASSERT_TRUE(replaceFileContent(old, "old content"));
  st().scoreText = "60@4 ";
  for (const std::string& target : {path("gone/x.txt"), path("gone/x.mid")}) {
    tk.answerFileDialog(target);
    tk.click(ctl("保存"));
    ASSERT_FALSE(tk.messageBoxes().empty());
    EXPECT_EQ(tk.messageBoxes().back().text, kSaveFailedText) << target;
    EXPECT_EQ(tk.messageBoxes().back().flags, kMbError);
  }
  // Saving over a folder fails too; the folder and the old file stay.
  tk.answerFileDialog(dir.string());
  tk.click(ctl("保存"));
  EXPECT_EQ(tk.messageBoxes().back().text, kSaveFailedText);
  EXPECT_EQ(bytesOf(old), "old content");
}

TEST_F(OpenSaveTest, OpenOnlyChoosesAndSetsThePlayMode) {
  struct Case { std::optional<std::string> answer; int playMode; bool dropsRecording; };
  const Case cases[] = {
      {std::nullopt, 2, false},          // cancelled before anything was chosen
      {"/music/song.MID", 1, true},      {"/music/song.midi", 1, true},
      {"/music/notes.txt", 2, true},     {std::nullopt, 2, false},  // cancelled: mode from the kept name
      {"/music/a.b/tune", 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or("cancel"));
    st().scoreText = "60@4 ";
    st().playMode = 0;
    tk.answerFileDialog(c.answer);
    tk.click(ctl("打开"));
    EXPECT_EQ(st().playMode, c.playMode);
    EXPECT_EQ(st().scoreText.empty(), c.dropsRecording);
    EXPECT_EQ(tk.fileDialogs().back().mode, FileDialogMode::Open);
  }
  EXPECT_TRUE(sent().empty());  // nothing is read, played or stopped
}

TEST_F(OpenSaveTest, OpenCancelledAfterAMidiChoiceKeepsMode1) {
  tk.answerFileDialog("/m/x.mid");
  tk.click(ctl("打开"));
  tk.answerFileDialog(std::nullopt);
  tk.click(ctl("打开"));
  EXPECT_EQ(st().playMode, 1);
  EXPECT_EQ(tk.fileName(ctl("通用对话框1")), "/m/x.mid");
}

}  // namespace
}  // namespace vesko::testing
