// The toolkit contract, one table of cases run against both toolkits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/headless/headless_toolkit.h"
#include "platform/qt/qt_toolkit.h"

namespace vesko {
namespace {

// Drives either toolkit the same way.
class Harness {
 public:
  virtual ~Harness() = default;
  virtual WindowToolkit& tk() = 0;
  virtual void wait(int ms) = 0;
  virtual void answerNextBox(int answer) = 0;
  virtual bool click(Ctl c) = 0;
  // How far a tick may be from its due time.
  virtual double toleranceMs() const = 0;
};

class HeadlessHarness : public Harness {
 public:
  WindowToolkit& tk() override { return tk_; }
  void wait(int ms) override { tk_.advance(ms); }
  void answerNextBox(int answer) override { tk_.answerMessageBox(answer); }
  bool click(Ctl c) override { return tk_.click(c); }
  double toleranceMs() const override { return 0; }

 private:
  HeadlessToolkit tk_;
};

class QtHarness : public Harness {
 public:
  QtHarness() : tk_(*qApp) {}
  WindowToolkit& tk() override { return tk_; }
  void wait(int ms) override {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  void answerNextBox(int answer) override {
    // The box is modal: it is answered from a timer once it shows.
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      box->button(answer == kMbCancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
      poll->deleteLater();
    });
    poll->start(10);
  }
  bool click(Ctl c) override {
    QWidget* w = tk_.widgetOf(c);
    if (!w || !w->isVisible() || !w->isEnabled()) return false;
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    return true;
  }
  double toleranceMs() const override { return 40; }

 private:
  QtToolkit tk_;
};

using MakeHarness = std::function<std::unique_ptr<Harness>()>;

class ToolkitContract : public ::testing::TestWithParam<MakeHarness> {
 protected:
  void SetUp() override {
    h = GetParam()();
    tk().setEventHandler([this](const Event& e) {
      seen.push_back(e);
      if (onEvent) onEvent(e);
    });
  }
  WindowToolkit& tk() { return h->tk(); }

  WindowDef window() {
    WindowDef w;
    w.name = "test";
    w.title = "测试";
    w.width = 300;
    w.height = 200;
    auto add = [&](const char* name, Kind kind, const char* tag = "", const char* parent = "") {
      ControlDef c;
      c.name = name;
      c.kind = kind;
      c.tag = tag;
      c.parent = parent;
      c.left = 10;
      c.top = 10;
      c.width = 40;
      c.height = 20;
      c.visible = kind != Kind::Timer;
      w.controls.push_back(c);
    };
    add("t1", Kind::Timer);
    add("t2", Kind::Timer);
    add("box", Kind::ShapeBox);
    add("a", Kind::PicBtn, "12abc", "box");
    add("b", Kind::PicBtn, "", "box");
    add("c", Kind::PicBtn, "7", "box");
    add("d", Kind::PicBtn, "12", "box");
    w.controls.back().style = ButtonStyle::Check;
    return w;
  }

  // Tick times of a timer, relative to the start of the case.
  std::vector<double> ticksOf(Ctl timer) const {
    std::vector<double> times;
    for (const auto& [c, t] : tickTimes)
      if (c == timer) times.push_back(t);
    return times;
  }
  void recordTicks() {
    start = tk().nowMs();
    onEvent = [this](const Event& e) {
      if (e.kind == EventKind::TimerTick) tickTimes.emplace_back(e.control, tk().nowMs() - start);
      if (onTick && e.kind == EventKind::TimerTick) onTick(e);
    };
  }
  void expectTicks(Ctl timer, std::vector<double> expected) {
    const auto got = ticksOf(timer);
    ASSERT_EQ(got.size(), expected.size()) << ::testing::PrintToString(got);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], h->toleranceMs()) << i;
  }

  std::unique_ptr<Harness> h;
  std::vector<Event> seen;
  std::function<void(const Event&)> onEvent;
  std::function<void(const Event&)> onTick;
  std::vector<std::pair<Ctl, double>> tickTimes;
  double start = 0;
};

TEST_P(ToolkitContract, TimerPeriodRules) {
  const Win w = tk().loadWindow(window(), false);
  const Ctl t1 = tk().control(w, "t1");
  recordTicks();
  tk().setPeriod(t1, 100);
  h->wait(250);
  tk().setPeriod(t1, 100);  // the same period keeps counting: next tick at 300
  h->wait(100);             // 350
  tk().setPeriod(t1, 200);  // another restarts the count: next at 550
  h->wait(250);             // 600
  tk().setPeriod(t1, 0);    // stopped
  h->wait(300);
  expectTicks(t1, {100, 200, 300, 550});
  EXPECT_EQ(tk().period(t1), 0);
}

TEST_P(ToolkitContract, PeriodSetInItsOwnTickCountsFromTheDueTime) {
  const Win w = tk().loadWindow(window(), false);
  const Ctl t1 = tk().control(w, "t1");
  const Ctl t2 = tk().control(w, "t2");
  recordTicks();
  int n = 0;
  onTick = [&](const Event& e) {
    if (e.control != t1) return;
    ++n;
    tk().setPeriod(t1, n % 2 ? 150 : 100);  // a new period in every tick
    if (n == 4) tk().setPeriod(t1, 0);
  };
  tk().setPeriod(t1, 100);
  tk().setPeriod(t2, 175);
  h->wait(700);
  tk().setPeriod(t2, 0);
  expectTicks(t1, {100, 250, 350, 500});
  expectTicks(t2, {175, 350, 525, 700});
}

TEST_P(ToolkitContract, FindByTagDesignTimeFirstThenClonesInOrder) {
  const Win w = tk().loadWindow(window(), false);
  const Ctl a = tk().control(w, "a"), b = tk().control(w, "b"), c = tk().control(w, "c"),
            d = tk().control(w, "d");
  const Ctl c1 = tk().cloneControl(c);
  const Ctl c2 = tk().cloneControl(c);
  tk().setTag(c1, "40");
  tk().setTag(c2, "40x");
  struct Case { int n; Ctl want; };
  for (const Case& k : {Case{12, a}, Case{7, c}, Case{40, c1}, Case{0, tk().control(w, "t1")}, Case{99, kNoControl}})
    EXPECT_EQ(tk().findByTag(w, k.n), k.want) << k.n;
  (void)b;
  (void)d;
  EXPECT_TRUE(tk().isCreated(c2));
  EXPECT_FALSE(tk().isCreated(kNoControl));
}

TEST_P(ToolkitContract, CloneKeepsPropertiesAndHandlersAndIsTheEventControl) {
  const Win w = tk().loadWindow(window(), false);
  const Ctl d = tk().control(w, "d");
  tk().setLeft(d, 120);
  tk().setChecked(d, true);
  const Ctl clone = tk().cloneControl(d);
  EXPECT_NE(clone, d);
  EXPECT_EQ(tk().nameOf(clone), "d");
  EXPECT_EQ(tk().left(clone), 120);
  EXPECT_EQ(tk().tag(clone), "12");
  EXPECT_TRUE(tk().checked(clone));
  EXPECT_EQ(tk().parentOf(clone), tk().control(w, "box"));
  Ctl inHandler = kNoControl;
  onEvent = [&](const Event& e) {
    if (e.kind == EventKind::Clicked) inHandler = tk().eventControl();
  };
  tk().setLeft(clone, 200);
  ASSERT_TRUE(h->click(clone));
  EXPECT_EQ(inHandler, clone);
  EXPECT_FALSE(tk().checked(clone));  // a check-style click inverts it
  EXPECT_TRUE(tk().checked(d));
  tk().setVisible(clone, false);
  EXPECT_FALSE(h->click(clone));
}

TEST_P(ToolkitContract, MessageBoxResults) {
  struct Case { int flags; int answer; int result; };
  for (const Case& k : {Case{kMbOkCancel, kMbOk, kMbOk}, Case{kMbOkCancel, kMbCancel, kMbCancel},
                        Case{kMbError, kMbOk, kMbOk}, Case{kMbWarning, kMbOk, kMbOk},
                        Case{kMbInformation, kMbOk, kMbOk}}) {
    h->answerNextBox(k.answer);
    EXPECT_EQ(tk().messageBox("确定吗？", k.flags), k.result) << k.flags;
  }
}

TEST_P(ToolkitContract, ComboBoxItems) {
  WindowDef def = window();
  ControlDef combo;
  combo.name = "list";
  combo.kind = Kind::ComboBox;
  def.controls.push_back(combo);
  const Win w = tk().loadWindow(def, false);
  const Ctl list = tk().control(w, "list");
  EXPECT_EQ(tk().currentItem(list), -1);
  tk().setCurrentItem(list, 0);  // no items: still none
  EXPECT_EQ(tk().currentItem(list), -1);
  tk().addItem(list, "甲", 1);
  tk().addItem(list, "乙", 2);
  tk().setCurrentItem(list, 1);
  EXPECT_EQ(tk().itemCount(list), 2);
  EXPECT_EQ(tk().itemText(list, 1), "乙");
  EXPECT_EQ(tk().itemValue(list, 1), 2);
  EXPECT_EQ(tk().currentItem(list), 1);
  EXPECT_EQ(tk().itemText(list, 5), "");
}

TEST_P(ToolkitContract, DestroyedWindowStopsItsTimersAndControls) {
  const Win w = tk().loadWindow(window(), false);
  const Ctl t1 = tk().control(w, "t1");
  recordTicks();
  tk().setPeriod(t1, 50);
  h->wait(120);
  tk().destroyWindow(w);
  h->wait(150);
  EXPECT_EQ(ticksOf(t1).size(), 2u);
  EXPECT_FALSE(tk().isCreated(t1));
  EXPECT_FALSE(tk().isWindowCreated(w));
}

INSTANTIATE_TEST_SUITE_P(Both, ToolkitContract,
                         ::testing::Values(MakeHarness([] { return std::make_unique<HeadlessHarness>(); }),
                                           MakeHarness([] { return std::make_unique<QtHarness>(); })),
                         [](const auto& info) { return info.index == 0 ? "Headless" : "Qt"; });

}  // namespace
}  // namespace vesko
