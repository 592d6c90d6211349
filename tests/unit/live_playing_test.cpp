#include "app_fixture.h"
#include "playing/notes.h"

namespace vesko::testing {
namespace {

using PlayingTest = ProgramTest;

constexpr int Z = 90, Q = 81, W = 87, Backspace = 8, Delete = 46, Eight = 56, Shift = 16;

// A run of key events and the MIDI messages they send.
struct KeyCase {
  const char* what;
  std::vector<std::pair<char, int>> events;  // '+' press, '-' release, and the code
  std::vector<std::string> sent;
};

// The note-off for "no note yet" (255) after start-up is not sent: no MIDI
// data byte can carry it.
TEST_F(PlayingTest, ComputerKeyboard) {
  const KeyCase cases[] = {
      {"press and release Z", {{'+', Z}, {'-', Z}}, {"90 24 7F", "80 24 00"}},
      // Held past the auto-repeat delay: the first repeat silences the note,
      // and nothing sounds again until a new press.
      {"Q held",
       {{'+', Q}, {'+', Q}, {'+', Q}, {'+', Q}, {'-', Q}},
       {"90 3C 7F", "80 3C 00", "80 3C 00", "80 3C 00", "80 3C 00"}},
      // While Q repeats, W stays silent; releasing W ends the repeat state.
      {"Q repeating, then W",
       {{'+', Q}, {'+', Q}, {'+', W}, {'-', W}, {'+', W}},
       {"90 3C 7F", "80 3C 00", "80 3C 00", "80 3C 00", "80 3C 00", "90 3E 7F"}},
      // Backspace has two entries with note 95: both held flags go up and down together.
      {"Backspace twice",
       {{'+', Backspace}, {'-', Backspace}, {'+', Backspace}, {'-', Backspace}},
       {"90 5F 7F", "80 5F 00", "80 5F 00", "80 5F 00", "90 5F 7F", "80 5F 00"}},
      // Delete and 8 are separate entries for 84: Delete sounds 84 again.
      {"Delete while 8 held",
       {{'+', Eight}, {'+', Delete}, {'-', Delete}, {'-', Eight}},
       {"90 54 7F", "80 54 00", "90 54 7F", "80 54 00", "80 54 00"}},
      // A key outside the table silences the sounding note when released.
      {"Shift released", {{'+', Z}, {'+', Shift}, {'-', Shift}}, {"90 24 7F", "80 24 00"}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    start();
    for (const auto& [kind, code] : c.events) kind == '+' ? tk.keyPress(app->main, code) : tk.keyRelease(app->main, code);
    EXPECT_EQ(sent(), c.sent);
  }
}

TEST_F(PlayingTest, KeyLightsWhilePressed) {
  start();
  tk.keyPress(app->main, Z);
  EXPECT_EQ(tk.picture(key(36)), "key_white_lit");
  tk.keyRelease(app->main, Z);
  EXPECT_EQ(tk.picture(key(36)), "key_white");
}

TEST_F(PlayingTest, TranspositionMovesTheSoundNotTheKey) {
  struct Case { int transpose; std::string on; };
  for (const Case& c : {Case{0, "90 3C 7F"}, Case{5, "90 41 7F"}, Case{12, "90 48 7F"}}) {
    start();
    st().transpose = static_cast<std::uint8_t>(c.transpose);
    tk.keyPress(app->main, Q);
    EXPECT_EQ(sent().back(), c.on) << c.transpose;
    EXPECT_EQ(tk.picture(key(60)), "key_white_lit");
    EXPECT_EQ(st().keyboardNote, 60);
    EXPECT_EQ(st().lastNote, 60 + c.transpose);
  }
}

TEST_F(PlayingTest, NotesAbove127AreNotSent) {
  start();
  st().transpose = 87;
  soundNote(*app, 96);
  EXPECT_EQ(st().lastNote, 183);
  EXPECT_TRUE(sent().empty());  // a data byte above 127 would corrupt the stream
  silenceLastNote(*app);
  EXPECT_TRUE(sent().empty());
}

TEST_F(PlayingTest, HighlightSwapsPictures) {
  start();
  highlightKey(*app, 61);
  EXPECT_EQ(tk.picture(key(61)), "key_black_lit");
  highlightKey(*app, 60);
  EXPECT_EQ(tk.picture(key(61)), "key_black");
  EXPECT_EQ(tk.picture(key(60)), "key_white_lit");
  for (int none : {0, 255, 20}) {
    highlightKey(*app, static_cast<std::uint8_t>(none));
    EXPECT_EQ(tk.picture(key(60)), "key_white") << none;
    EXPECT_EQ(tk.picture(ctl("琴键1")), "key_white");  // the template's empty tag is not note 0
  }
  clearHighlight(*app);
  clearHighlight(*app);
  EXPECT_EQ(tk.picture(key(60)), "key_white");
}

TEST_F(PlayingTest, MouseClicks) {
  start();
  st().transpose = 5;
  tk.mousePress(key(60), 5, 100);
  EXPECT_EQ(tk.shownPicture(key(60)), "key_white_lit");  // its own pressed picture
  tk.mouseRelease(key(60), 5, 100);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 41 7F", "80 41 00"}));
  EXPECT_EQ(st().timedNote, 60);  // the recorder gets the played note
  EXPECT_EQ(st().litKey, kNoControl);
}

TEST_F(PlayingTest, MousePressDoesNotSilenceAKeyboardNote) {
  start();
  tk.keyPress(app->main, Z);
  log->clear();
  tk.mousePress(key(60), 5, 100);
  tk.mouseRelease(key(60), 5, 100);
  EXPECT_EQ(sent(), (std::vector<std::string>{"90 3C 7F", "80 3C 00"}));
  EXPECT_EQ(tk.picture(key(36)), "key_white_lit");  // the keyboard's light stays
}

TEST_F(PlayingTest, MousePressReopensTheDeviceTheListShows) {
  start();
  tk.setCurrentItem(ctl("设备名组合框"), 1);
  tk.setCurrentItem(ctl("乐器名组合框"), 116);
  midi->closeDevice();
  log->clear();
  tk.mousePress(key(60), 5, 100);
  EXPECT_EQ(log->events, (std::vector<std::string>{"open dev1", "dev1 C0 74", "dev1 90 3C 7F"}));
}

}  // namespace
}  // namespace vesko::testing
