// The main window on the real toolkit, built from the same definitions as
// the headless one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "../unit/app_fixture.h"
#include "app/keyboard.h"
#include "platform/qt/qt_toolkit.h"

namespace vesko::testing {
namespace {

class QtProgram : public ::testing::Test {
 protected:
  QtToolkit tk{*qApp};
  std::shared_ptr<MidiLog> log = std::make_shared<MidiLog>();
  std::unique_ptr<MidiOut> midi;
  TestMixer mixer;
  TestMedia media;
  std::unique_ptr<App> app;

  void SetUp() override {
    std::vector<std::unique_ptr<MidiDevice>> devices;
    devices.push_back(std::make_unique<RecordingMidiDevice>("dev0", log));
    midi = std::make_unique<MidiOut>(std::move(devices));
    mixer.addFullLines();
    app = std::make_unique<App>(tk, *midi, mixer, media);
    startProgram(*app);
  }
  Ctl ctl(const char* name) const { return tk.control(app->main, name); }
};

TEST_F(QtProgram, WindowHasEveryControlWhereTheDefinitionPutsIt) {
  QWidget* window = tk.windowWidget(app->main);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(786, 325));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Vesko电子琴1.0"));
  for (const ControlDef& d : mainWindowDef().controls) {
    QWidget* w = tk.widgetOf(ctl(d.name.c_str()));
    if (d.kind == Kind::Timer || d.kind == Kind::CommonDlg || d.kind == Kind::MIDIPlay ||
        d.kind == Kind::SysVolume || d.kind == Kind::MediaPlay) {
      EXPECT_EQ(w, nullptr) << d.name;
      continue;
    }
    ASSERT_NE(w, nullptr) << d.name;
    EXPECT_EQ(w->geometry().topLeft(), QPoint(d.left, tk.top(ctl(d.name.c_str())))) << d.name;
    EXPECT_EQ(w->size(), QSize(d.width, d.height)) << d.name;
    EXPECT_EQ(!w->isHidden(), d.visible) << d.name;
  }
  // The 61 keys, with the black ones stacked above their white neighbours.
  QWidget* key60 = tk.widgetOf(tk.findByTag(app->main, 60));
  QWidget* key61 = tk.widgetOf(tk.findByTag(app->main, 61));
  ASSERT_TRUE(key60 && key61);
  EXPECT_EQ(key60->geometry(), QRect(252, 0, 18, 111));
  EXPECT_EQ(key61->geometry(), QRect(264, 0, 12, 70));
  QWidget* bed = tk.widgetOf(ctl("外形框1"));
  EXPECT_EQ(bed->childAt(268, 30), key61);
  EXPECT_EQ(bed->childAt(266, 90), key60);
  EXPECT_EQ(bed->childAt(280, 30), tk.widgetOf(tk.findByTag(app->main, 62)));
}

TEST_F(QtProgram, ScreenshotShowsTheArtwork) {
  QWidget* window = tk.windowWidget(app->main);
  QTest::qWait(50);
  const QImage shot = window->grab().toImage();
  EXPECT_EQ(shot.size() / shot.devicePixelRatio(), QSize(786, 325));
  // Not one flat colour: the background and the keys are drawn.
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 7)
    for (int x = 0; x < shot.width(); x += 7) colours.insert(shot.pixel(x, y));
  EXPECT_GT(colours.size(), 20) << "the window looks empty";
  if (const char* out = std::getenv("VESKO_SCREENSHOT")) shot.save(QString::fromLocal8Bit(out));
}

}  // namespace
}  // namespace vesko::testing
