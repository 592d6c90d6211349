// Key events as X11 gives them to Qt, built by hand with their scan codes,
// through the real toolkit's window to what the handlers see.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "platform/qt/key_adapter.h"
#include "platform/qt/qt_toolkit.h"

namespace vesko {
namespace {

class KeyAdapterTest : public ::testing::Test {
 protected:
  QtToolkit tk{*qApp};
  Win w = kNoWindow;
  std::vector<std::string> seen;  // "+90" pressed Z, "-90" released Z

  void SetUp() override {
    tk.setEventHandler([this](const Event& e) {
      if (e.kind == EventKind::KeyPressed) seen.push_back("+" + std::to_string(e.key));
      if (e.kind == EventKind::KeyReleased) seen.push_back("-" + std::to_string(e.key));
    });
    WindowDef def;
    def.name = "keys";
    def.width = 100;
    def.height = 100;
    w = tk.loadWindow(def, false);
  }

  void send(QEvent::Type type, quint32 scanCode, int key, bool autoRepeat, quint64 timestamp,
            Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(type, key, mods, scanCode, 0, 0, QString(), autoRepeat);
    e.setTimestamp(timestamp);
    QApplication::sendEvent(tk.windowWidget(w), &e);
  }
  void press(quint32 sc, int key, quint64 ts, bool ar = false, Qt::KeyboardModifiers m = Qt::NoModifier) {
    send(QEvent::KeyPress, sc, key, ar, ts, m);
  }
  void release(quint32 sc, int key, quint64 ts, bool ar = false, Qt::KeyboardModifiers m = Qt::NoModifier) {
    send(QEvent::KeyRelease, sc, key, ar, ts, m);
  }
  // Lets held-back releases go out.
  void settle() { QTest::qWait(30); }
};

TEST_F(KeyAdapterTest, AutoRepeatComesAsPressesOnlyWithOrWithoutTheFlag) {
  press(52, Qt::Key_Z, 1000);
  release(52, Qt::Key_Z, 1660, true);  // the flag set, as it should be
  press(52, Qt::Key_Z, 1660, true);
  release(52, Qt::Key_Z, 1700, false);  // the flag wrongly missing; equal timestamps
  press(52, Qt::Key_Z, 1700, false);
  release(52, Qt::Key_Z, 1900);  // the real release
  settle();
  EXPECT_EQ(seen, (std::vector<std::string>{"+90", "+90", "+90", "-90"}));
}

TEST_F(KeyAdapterTest, AReleaseAndANewPressAtAnotherTimeAreTwoKeystrokes) {
  press(52, Qt::Key_Z, 1000);
  release(52, Qt::Key_Z, 1100);
  press(52, Qt::Key_Z, 1150);
  release(52, Qt::Key_Z, 1250);
  settle();
  EXPECT_EQ(seen, (std::vector<std::string>{"+90", "-90", "+90", "-90"}));
}

TEST_F(KeyAdapterTest, PhysicalKeysDecideTheCodeWhateverShiftMakesOfThem) {
  // Minus with Shift: Underscore at the press, Minus at the release.
  press(50, Qt::Key_Shift, 1000);
  press(20, Qt::Key_Underscore, 1010, false, Qt::ShiftModifier);
  release(20, Qt::Key_Minus, 1100, false, Qt::ShiftModifier);
  release(50, Qt::Key_Shift, 1200);
  // A letter that another layout would name differently still plays Z's note.
  press(52, Qt::Key_Y, 1300);
  release(52, Qt::Key_Y, 1400);
  settle();
  EXPECT_EQ(seen, (std::vector<std::string>{"+16", "+189", "-189", "-16", "+90", "-90"}));
}

TEST_F(KeyAdapterTest, EventsKeepTheirOrderAcrossAHeldBackRelease) {
  press(52, Qt::Key_Z, 1000);
  release(52, Qt::Key_Z, 1100);
  press(53, Qt::Key_X, 1101);  // X right after Z's release: Z's release comes first
  settle();
  EXPECT_EQ(seen, (std::vector<std::string>{"+90", "-90", "+88"}));
}

TEST_F(KeyAdapterTest, LosingTheFocusReleasesTheHeldKeys) {
  press(52, Qt::Key_Z, 1000);
  press(24, Qt::Key_Q, 1010);
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(tk.windowWidget(w), &out);
  // The release that X sends when the focus comes back finds nothing held.
  settle();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(seen.begin() + 2, seen.end()), (std::vector<std::string>{"-81", "-90"}));
}

TEST_F(KeyAdapterTest, WithoutScanCodesQtKeysAreUsed) {
  struct Case { int key; int vk; };
  for (const Case& c : {Case{Qt::Key_A, 65}, Case{Qt::Key_0, 48}, Case{Qt::Key_Backspace, 8},
                        Case{Qt::Key_Delete, 46}, Case{Qt::Key_PageUp, 33}, Case{Qt::Key_BracketRight, 221},
                        Case{Qt::Key_Apostrophe, 222}, Case{Qt::Key_Question, 191}, Case{Qt::Key_Plus, 187}})
    EXPECT_EQ(KeyAdapter::virtualKeyOf(0, c.key), c.vk) << c.key;
  struct ScanCase { quint32 sc; int vk; };
  for (const ScanCase& c : {ScanCase{52, 90}, ScanCase{20, 189}, ScanCase{51, 220}, ScanCase{22, 8},
                            ScanCase{119, 46}, ScanCase{112, 33}, ScanCase{47, 186}, ScanCase{48, 222},
                            ScanCase{59, 188}, ScanCase{60, 190}, ScanCase{61, 191}, ScanCase{34, 219},
                            ScanCase{115, 35}, ScanCase{117, 34}, ScanCase{118, 45}, ScanCase{110, 36}})
    EXPECT_EQ(KeyAdapter::virtualKeyOf(c.sc, 0), c.vk) << c.sc;
}

}  // namespace
}  // namespace vesko
