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
  std::vector<int> lit;  // notes whose keys show lit at the end
};

// Every key shown lit, by note.
std::vector<int> litNotes(HeadlessToolkit& tk, Win main) {
  std::vector<int> notes;
  for (int n = 36; n <= 96; ++n) {
    const std::string picture = tk.picture(tk.findByTag(main, n));
    if (picture.size() > 4 && picture.compare(picture.size() - 4, 4, "_lit") == 0) notes.push_back(n);
  }
  return notes;
}

// The note-off for "no note yet" (255) after start-up is not sent: no MIDI
// data byte can carry it.
TEST_F(PlayingTest, ComputerKeyboard) {
  const KeyCase cases[] = {
      {"press and release Z", {{'+', Z}, {'-', Z}}, {"90 24 7F", "80 24 00"}, {}},
      // Held past the auto-repeat delay: the first repeat silences the note,
      // and nothing sounds again until a new press. The light stays until the release.
      {"Q held", {{'+', Q}, {'+', Q}, {'+', Q}, {'+', Q}}, {"90 3C 7F", "80 3C 00", "80 3C 00", "80 3C 00"}, {60}},
      {"Q held, then released",
       {{'+', Q}, {'+', Q}, {'+', Q}, {'+', Q}, {'-', Q}},
       {"90 3C 7F", "80 3C 00", "80 3C 00", "80 3C 00", "80 3C 00"},
       {}},
      // While Q repeats, W stays silent and unlit; releasing W ends the repeat state.
      {"Q repeating, then W", {{'+', Q}, {'+', Q}, {'+', W}}, {"90 3C 7F", "80 3C 00", "80 3C 00"}, {60}},
      {"Q repeating, W pressed, released and pressed again",
       {{'+', Q}, {'+', Q}, {'+', W}, {'-', W}, {'+', W}},
       {"90 3C 7F", "80 3C 00", "80 3C 00", "80 3C 00", "80 3C 00", "90 3E 7F"},
       {62}},
      // Backspace has two entries with note 95: both held flags go up and down together.
      {"Backspace twice",
       {{'+', Backspace}, {'-', Backspace}, {'+', Backspace}},
       {"90 5F 7F", "80 5F 00", "80 5F 00", "80 5F 00", "90 5F 7F"},
       {95}},
      // Delete and 8 are separate entries for 84: Delete sounds 84 again.
      {"Delete while 8 held",
       {{'+', Eight}, {'+', Delete}, {'-', Delete}, {'-', Eight}},
       {"90 54 7F", "80 54 00", "90 54 7F", "80 54 00", "80 54 00"},
       {}},
      {"Delete while 8 held, still down", {{'+', Eight}, {'+', Delete}}, {"90 54 7F", "80 54 00", "90 54 7F"}, {84}},
      // A key outside the table silences the sounding note and its light when released.
      {"Shift pressed", {{'+', Z}, {'+', Shift}}, {"90 24 7F"}, {36}},
      {"Shift released", {{'+', Z}, {'+', Shift}, {'-', Shift}}, {"90 24 7F", "80 24 00"}, {}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    start();
    for (const auto& [kind, code] : c.events) kind == '+' ? tk.keyPress(app->main, code) : tk.keyRelease(app->main, code);
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(litNotes(tk, app->main), c.lit);
  }
}

TEST_F(PlayingTest, KeyLightsWhilePressed) {
  start();
  tk.keyPress(app->main, Z);
  EXPECT_EQ(tk.picture(key(36)), "key_white_lit");
  tk.keyRelease(app->main, Z);
  EXPECT_EQ(tk.picture(key(36)), "key_white");
}

// The transposition comes from the settings slider; the played note (key,
// light, recorder) stays as it is. Sums above 127 are kept in lastNote but
// never reach the device: a data byte above 127 would corrupt the stream.
TEST_F(PlayingTest, TranspositionMovesTheSoundNotTheKey) {
  struct Case {
    int transpose;
    bool mouse;  // click key 96 instead of pressing Q
    std::vector<std::string> sent;
    int lastNote;
  };
  const Case cases[] = {
      {0, false, {"90 3C 7F", "80 3C 00"}, 60},
      {5, false, {"90 41 7F", "80 41 00"}, 65},
      {12, false, {"90 48 7F", "80 48 00"}, 72},
      {87, false, {}, 147},
      {5, true, {"90 65 7F", "80 65 00"}, 101},
      {87, true, {}, 183},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.transpose) + (c.mouse ? " mouse" : " keyboard"));
    start();
    ASSERT_TRUE(tk.click(ctl("图形按钮4")));
    tk.moveSlider(tk.control(app->settings, "滑块条1"), c.transpose);
    tk.click(tk.control(app->settings, "按钮2"));
    log->clear();
    const int played = c.mouse ? 96 : 60;
    if (c.mouse) {
      tk.mousePress(key(96), 5, 100);
      EXPECT_EQ(st().timedNote, 96);
    } else {
      tk.keyPress(app->main, Q);
      EXPECT_EQ(litNotes(tk, app->main), std::vector<int>{60});
      EXPECT_EQ(st().keyboardNote, 60);
    }
    EXPECT_EQ(st().lastNote, c.lastNote);
    c.mouse ? tk.mouseRelease(key(played), 5, 100) : tk.keyRelease(app->main, Q);
    EXPECT_EQ(sent(), c.sent);
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
