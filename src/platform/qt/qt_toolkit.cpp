#include "platform/qt/qt_toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <chrono>

#include "platform/qt/art.h"
#include "platform/qt/key_adapter.h"

namespace vesko {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QColor colour(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// A picture button: its normal picture, or the pressed one while held down
// or checked; cut to its transparent colour, so the cut-away parts neither
// show nor take clicks.
class PicButton : public QAbstractButton {
 public:
  PicButton(QtToolkit& tk, Ctl c, QWidget* parent) : QAbstractButton(parent), tk_(tk), c_(c) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { tk_.userClicked(c_); });
  }

  void updateShape() {
    const ControlDef& d = tk_.defOf(c_);
    if (d.transparent && !d.picture.empty())
      setMask(artShape(d.picture, size(), *d.transparent));
    else
      clearMask();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const std::string art = tk_.shownPicture(c_);
    p.drawPixmap(rect(), artPixmap(art, size(), devicePixelRatioF()));
  }
  void resizeEvent(QResizeEvent*) override { updateShape(); }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    QAbstractButton::mousePressEvent(e);
    const QPoint pos = e->position().toPoint();
    tk_.userPressed(c_, pos.x(), pos.y());
    update();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QAbstractButton::mouseMoveEvent(e);
    const QPoint pos = e->position().toPoint();
    tk_.userMoved(c_, pos.x(), pos.y());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    QPointer<PicButton> self(this);
    const QPoint pos = e->position().toPoint();
    tk_.userReleased(c_, pos.x(), pos.y());
    if (self) QAbstractButton::mouseReleaseEvent(e);
    if (self) update();
  }
  // Clicks count wherever the button is drawn, not only inside its rect's
  // hit area: the mask already keeps the cut-away parts out.
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

 private:
  QtToolkit& tk_;
  Ctl c_;
};

// A picture box, and the background of a window.
class ArtBox : public QWidget {
 public:
  ArtBox(std::string art, QWidget* parent) : QWidget(parent), art_(std::move(art)) {}
  void setArt(const std::string& art) {
    art_ = art;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (art_.empty()) return;
    QPainter p(this);
    p.drawPixmap(rect(), artPixmap(art_, size(), devicePixelRatioF()));
  }

 private:
  std::string art_;
};

// A canvas: its background and the rectangles filled since the last clear.
class Canvas : public QWidget {
 public:
  Canvas(QtToolkit& tk, Ctl c, QWidget* parent) : QWidget(parent), tk_(tk), c_(c) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const ControlDef& d = tk_.defOf(c_);
    p.fillRect(rect(), colour(d.background));
    for (const auto& r : tk_.canvasRectsOf(c_))
      p.fillRect(QRect(QPoint(r.x1, r.y1), QPoint(r.x2 - 1, r.y2 - 1)), colour(d.brush));
  }

 private:
  QtToolkit& tk_;
  Ctl c_;
};

// A top-level window: background picture, keys for the handlers, and a
// frameless body that moves when dragged.
class WindowWidget : public ArtBox {
 public:
  WindowWidget(QtToolkit& tk, Win w, const WindowDef& def)
      : ArtBox(def.background, nullptr), tk_(tk), w_(w) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    // A modal window closes with Escape, as dialogs do; there may be no
    // window manager to give it a close button.
    if (e->key() == Qt::Key_Escape && windowModality() != Qt::NonModal) {
      tk_.userClosed(w_);
      return;
    }
    tk_.userKey(w_, true, e->nativeScanCode(), e->key(), e->timestamp());
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    tk_.userKey(w_, false, e->nativeScanCode(), e->key(), e->timestamp());
  }
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) tk_.userFocusLost(w_);
    ArtBox::changeEvent(e);
  }
  void focusOutEvent(QFocusEvent* e) override {
    tk_.userFocusLost(w_);
    ArtBox::focusOutEvent(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && (windowFlags() & Qt::FramelessWindowHint)) {
      dragFrom_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
      dragging_ = true;
    }
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (dragging_ && (e->buttons() & Qt::LeftButton)) move(e->globalPosition().toPoint() - dragFrom_);
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    tk_.userClosed(w_);
  }

 private:
  QtToolkit& tk_;
  Win w_;
  QPoint dragFrom_;
  bool dragging_ = false;
};

QFont fontFor(const ControlDef& d) {
  QFont f = d.monospace ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QApplication::font();
  if (d.fontPixels > 0) f.setPixelSize(d.fontPixels);
  return f;
}

}  // namespace

QtToolkit::QtToolkit(QApplication& app) : app_(app) { clock_.start(); }

QtToolkit::~QtToolkit() {
  for (auto& [w, widget] : windowWidgets_) delete widget.data();
}

QWidget* QtToolkit::ensureWindowWidget(Win w) {
  auto it = windowWidgets_.find(w);
  if (it != windowWidgets_.end()) return it->second;
  const WindowDef& def = *windowDef(w);
  auto* widget = new WindowWidget(*this, w, def);
  Qt::WindowFlags flags = Qt::Window;
  if (def.frameless) flags = Qt::Window | Qt::FramelessWindowHint;
  if (def.onTop) flags |= Qt::WindowStaysOnTopHint;
  widget->setWindowFlags(flags);
  widget->setWindowTitle(text(def.title.empty() ? std::string(" ") : def.title));
  widget->setFixedSize(def.width, def.height);
  if (def.centred) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    widget->move(screen.center() - QPoint(def.width / 2, def.height / 2));
  } else {
    widget->move(def.left, def.top);
  }
  windowWidgets_[w] = widget;
  keyAdapters_[w] = new KeyAdapter(
      [this, w](bool pressed, int vk) {
        if (!isWindowCreated(w)) return;
        Event e;
        e.kind = pressed ? EventKind::KeyPressed : EventKind::KeyReleased;
        e.window = w;
        e.key = vk;
        deliver(e);
      },
      8);
  keyAdapters_[w]->setParent(widget);
  return widget;
}

Win QtToolkit::loadWindow(const WindowDef& def, bool modal) {
  const Win w = createWindowModel(def, modal);
  QWidget* widget = ensureWindowWidget(w);
  if (modal) widget->setWindowModality(Qt::ApplicationModal);
  Event e;
  e.kind = EventKind::Created;
  e.window = w;
  deliver(e);
  if (!isWindowCreated(w)) return w;
  widget->show();
  widget->raise();
  widget->activateWindow();
  // Without a window manager to keep them there, windows that stay on top
  // are raised again above the one just shown.
  for (const auto& [other, otherWidget] : windowWidgets_)
    if (other != w && otherWidget && windowDef(other)->onTop) otherWidget->raise();
  if (modal) {
    QEventLoop loop;
    modalLoops_[w] = &loop;
    loop.exec();
    modalLoops_.erase(w);
  }
  return w;
}

void QtToolkit::destroyWindow(Win w) {
  if (!isWindowCreated(w)) return;
  WindowToolkit::destroyWindow(w);
  for (Ctl c : controlsOf(w)) {
    auto t = timers_.find(c);
    if (t != timers_.end()) {
      delete t->second;
      timers_.erase(t);
    }
    widgets_.erase(c);
  }
  auto it = windowWidgets_.find(w);
  if (it != windowWidgets_.end()) {
    if (QWidget* widget = it->second) {
      widget->hide();
      widget->deleteLater();
    }
    windowWidgets_.erase(it);
  }
  keyAdapters_.erase(w);
  auto loop = modalLoops_.find(w);
  if (loop != modalLoops_.end()) {
    loop->second->quit();
    // The keyboard goes back to the window the dialog kept waiting, even
    // where no window manager hands the focus back.
    for (auto it = windowWidgets_.rbegin(); it != windowWidgets_.rend(); ++it) {
      if (it->second && it->second->isVisible()) {
        it->second->activateWindow();
        break;
      }
    }
  }
}

void QtToolkit::focusWindow(Win w) {
  if (QWidget* widget = windowWidget(w)) {
    widget->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
  }
}

void QtToolkit::shapeWindow(Win w, const std::string& picture, Rgb transparent) {
  QWidget* widget = windowWidget(w);
  if (!widget) return;
  const WindowDef& def = *windowDef(w);
  // The shape picture has its own size; what lies beyond it is cut away too.
  widget->setMask(artShape(picture, QSize(def.width, def.height).boundedTo(QSize(782, def.height)),
                           transparent));
}

void QtToolkit::setMinimised(Win w, bool minimised) {
  WindowToolkit::setMinimised(w, minimised);
  if (QWidget* widget = windowWidget(w)) minimised ? widget->showMinimized() : widget->showNormal();
}

void QtToolkit::endProgram() {
  for (auto& [w, loop] : modalLoops_) loop->quit();
  QCoreApplication::exit(0);
}

int QtToolkit::runMessageLoop() { return QApplication::exec(); }

void QtToolkit::processPendingEvents() { QCoreApplication::processEvents(); }

int QtToolkit::messageBox(const std::string& message, int flags) {
  QMessageBox::Icon icon = QMessageBox::Information;
  if (flags == kMbError) icon = QMessageBox::Critical;
  if (flags == kMbWarning) icon = QMessageBox::Warning;
  const auto buttons = flags == kMbOkCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok;
  QMessageBox box(icon, QStringLiteral("信息："), text(message), buttons);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Cancel ? kMbCancel : kMbOk;
}

bool QtToolkit::showFileDialog(Ctl dialog, FileDialogMode mode) {
  QFileDialog dlg;
  // Qt's own dialog, so that it is Chinese like the rest of the program.
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  const QStringList filters = {QStringLiteral("MIDI文本文件 (*.txt)"), QStringLiteral("*.mid (*.mid)")};
  dlg.setNameFilters(filters);
  dlg.selectNameFilter(filters.front());
  dlg.setDefaultSuffix(QStringLiteral("txt"));
  if (mode == FileDialogMode::Open) {
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
  } else {
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
  }
  const std::string current = fileName(dialog);
  if (!current.empty()) dlg.selectFile(text(current));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
  setFileName(dialog, dlg.selectedFiles().front().toStdString());
  return true;
}

void QtToolkit::raise(Ctl c) {
  WindowToolkit::raise(c);
  QWidget* w = widgetOf(c);
  if (!w) return;
  w->raise();
  auto& list = raised_[w->parentWidget()];
  list.push_back(w);
}

QWidget* QtToolkit::widgetOf(Ctl c) const {
  auto it = widgets_.find(c);
  return it != widgets_.end() ? it->second.data() : nullptr;
}

QWidget* QtToolkit::windowWidget(Win w) const {
  auto it = windowWidgets_.find(w);
  return it != windowWidgets_.end() ? it->second.data() : nullptr;
}

const ControlDef& QtToolkit::defOf(Ctl c) const { return findState(c)->def; }

bool QtToolkit::isHeld(Ctl c) const {
  const ControlState* st = findState(c);
  return st && st->held;
}

std::vector<WindowToolkit::CanvasRect> QtToolkit::canvasRectsOf(Ctl c) const {
  const ControlState* st = findState(c);
  return st ? st->filled : std::vector<CanvasRect>{};
}

void QtToolkit::controlCreated(Ctl c) {
  const ControlState& st = *findState(c);
  const ControlDef& d = st.def;
  QWidget* parent = st.parent != kNoControl ? widgetOf(st.parent) : ensureWindowWidget(st.window);
  if (!parent) parent = ensureWindowWidget(st.window);
  QWidget* w = nullptr;
  switch (d.kind) {
    case Kind::PicBtn:
      w = new PicButton(*this, c, parent);
      break;
    case Kind::Label:
    case Kind::TransLabel:
    case Kind::HyperLinker: {
      auto* label = new QLabel(parent);
      label->setFont(fontFor(d));
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(d.kind != Kind::HyperLinker && !d.monospace);
      if (d.kind == Kind::HyperLinker) {
        label->setOpenExternalLinks(true);
        label->setTextFormat(Qt::RichText);
      } else {
        label->setTextFormat(Qt::PlainText);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour(d.background));
        label->setPalette(pal);
      }
      // Labels are drawn over whatever lies below them.
      label->setAttribute(Qt::WA_TransparentForMouseEvents, d.kind != Kind::HyperLinker);
      w = label;
      break;
    }
    case Kind::GroupBox:
      w = new QGroupBox(parent);
      break;
    case Kind::ComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      connect(combo, &QComboBox::activated, this, [this, c](int index) { userChoseItem(c, index); });
      w = combo;
      break;
    }
    case Kind::SliderBar: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setRange(d.minimum, d.maximum);
      slider->setSingleStep(1);
      slider->setPageStep(1);
      slider->setTickPosition(QSlider::NoTicks);
      slider->setValue(d.position);
      connect(slider, &QSlider::valueChanged, this, [this, c](int v) { userSlider(c, v); });
      w = slider;
      break;
    }
    case Kind::Button: {
      auto* button = new QPushButton(parent);
      connect(button, &QPushButton::clicked, this, [this, c] { userClicked(c); });
      w = button;
      break;
    }
    case Kind::PicBox:
      w = new ArtBox(d.picture, parent);
      w->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    case Kind::DrawPanel:
      w = new Canvas(*this, c, parent);
      w->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    case Kind::ShapeBox:
      w = new QWidget(parent);
      break;
    case Kind::Timer:
    case Kind::CommonDlg:
    case Kind::MIDIPlay:
    case Kind::SysVolume:
    case Kind::MediaPlay:
    case Kind::Window:
      return;
  }
  widgets_[c] = w;
  // Controls made later go below those raised earlier, as the model stacks them.
  auto raised = raised_.find(parent);
  if (raised != raised_.end()) {
    for (const auto& r : raised->second)
      if (r) {
        w->stackUnder(r);
        break;
      }
  }
  changedText(c);
  placeWidget(c);
}

void QtToolkit::placeWidget(Ctl c) {
  QWidget* w = widgetOf(c);
  if (!w) return;
  const ControlState& st = *findState(c);
  syncing_ = true;
  w->setGeometry(st.def.left, st.def.top, st.def.width, st.def.height);
  w->setEnabled(!st.disabled);
  w->setVisible(st.def.visible);
  if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setCurrentIndex(st.currentItem);
  if (auto* slider = qobject_cast<QSlider*>(w)) slider->setValue(st.def.position);
  syncing_ = false;
  w->update();
}

void QtToolkit::changed(Ctl c, Prop p) {
  if (p == Prop::Period) return;
  placeWidget(c);
}

void QtToolkit::changedText(Ctl c) {
  QWidget* w = widgetOf(c);
  if (!w) return;
  const ControlState& st = *findState(c);
  const ControlDef& d = st.def;
  syncing_ = true;
  if (auto* pic = dynamic_cast<PicButton*>(w)) {
    pic->updateShape();
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    if (d.kind == Kind::HyperLinker)
      label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(text(d.link).toHtmlEscaped(),
                                                                   text(d.caption).toHtmlEscaped()));
    else
      label->setText(text(d.caption));
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(text(d.caption));
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->setText(text(d.caption));
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    for (int i = combo->count(); i < static_cast<int>(st.items.size()); ++i) combo->addItem(text(st.items[i].first));
    combo->setCurrentIndex(st.currentItem);
  } else if (auto* box = dynamic_cast<ArtBox*>(w)) {
    box->setArt(d.picture);
  }
  syncing_ = false;
  w->update();
}

void QtToolkit::canvasChanged(Ctl c) {
  if (QWidget* w = widgetOf(c)) w->update();
}

void QtToolkit::armTimer(Ctl c, std::int64_t dueNs) {
  QTimer*& t = timers_[c];
  if (!t) {
    t = new QTimer(this);
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
    connect(t, &QTimer::timeout, this, [this, c] { timerFired(c); });
  }
  timerDue_[c] = dueNs;
  const std::int64_t remaining = dueNs - nowNs();
  t->start(remaining > 0 ? static_cast<int>(remaining / 1000000) : 0);
}

void QtToolkit::disarmTimer(Ctl c) {
  auto it = timers_.find(c);
  if (it != timers_.end()) it->second->stop();
}

void QtToolkit::timerFired(Ctl c) {
  const std::int64_t due = timerDue_[c];
  std::int64_t remaining = due - nowNs();
  if (remaining > 2000000) {
    timers_[c]->start(static_cast<int>(remaining / 1000000));
    return;
  }
  // The timer was armed for whole milliseconds below the due time; the
  // rest is waited out here so that ticks come when they are due.
  while (remaining > 0) {
    if (remaining > 200000) QThread::usleep(static_cast<unsigned long>((remaining - 100000) / 1000));
    remaining = due - nowNs();
  }
  fireTimer(c);
}

void QtToolkit::userClicked(Ctl c) {
  if (!isCreated(c) || syncing_) return;
  ControlState& st = state(c);
  if (st.def.kind == Kind::PicBtn && st.def.style == ButtonStyle::Check) {
    st.checked = !st.checked;
    if (QWidget* w = widgetOf(c)) w->update();
  }
  deliverControlEvent(EventKind::Clicked, c);
}

void QtToolkit::userPressed(Ctl c, int x, int y) {
  if (!isCreated(c)) return;
  state(c).held = true;
  deliverControlEvent(EventKind::LeftPressed, c, x, y);
}

void QtToolkit::userReleased(Ctl c, int x, int y) {
  if (!isCreated(c)) return;
  state(c).held = false;
  deliverControlEvent(EventKind::LeftReleased, c, x, y);
}

void QtToolkit::userMoved(Ctl c, int x, int y) {
  if (!isCreated(c)) return;
  deliverControlEvent(EventKind::MouseMoved, c, x, y);
}

void QtToolkit::userSlider(Ctl c, int position) {
  if (!isCreated(c) || syncing_) return;
  state(c).def.position = position;
  deliverControlEvent(EventKind::SliderChanged, c);
}

void QtToolkit::userChoseItem(Ctl c, int index) {
  if (!isCreated(c) || syncing_) return;
  ControlState& st = state(c);
  st.currentItem = (index >= 0 && index < static_cast<int>(st.items.size())) ? index : -1;
}

void QtToolkit::userKey(Win w, bool pressed, quint32 scanCode, int qtKey, quint64 timestamp) {
  auto it = keyAdapters_.find(w);
  if (it == keyAdapters_.end()) return;
  if (pressed)
    it->second->keyPress(scanCode, qtKey, timestamp);
  else
    it->second->keyRelease(scanCode, qtKey, timestamp);
}

void QtToolkit::userFocusLost(Win w) {
  auto it = keyAdapters_.find(w);
  if (it != keyAdapters_.end()) it->second->focusLost();
}

void QtToolkit::userClosed(Win w) {
  // The first window loaded is the program's own: closing it ends the program.
  if (w == 1)
    endProgram();
  else
    destroyWindow(w);
}

}  // namespace vesko
