#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>

namespace vesko {

// Turns Qt's key events into what the keyboard's handlers rely on: the
// platform's virtual-key codes, and a held key that gives further presses
// and one release.
//  - Physical keys (the native scan code) decide the code, so Shift, Caps
//    Lock and the layout don't change which note a key plays; a release is
//    matched to its press by scan code (with Shift, key() differs between the
//    two). Without a scan code (offscreen) key() is used.
//  - X11 reports an auto-repeat as a release and a press with the same
//    timestamp; the auto-repeat flag on them is not reliable, the timestamps
//    are. A release is therefore held back for a few milliseconds and
//    dropped when the press of the same key with the same timestamp follows.
//  - When the window loses the keyboard focus, the releases of the keys
//    still held are delivered: they would never arrive otherwise.
class KeyAdapter : public QObject {
 public:
  using Deliver = std::function<void(bool pressed, int virtualKey)>;
  explicit KeyAdapter(Deliver deliver, int releaseDelayMs = 8);

  void keyPress(quint32 scanCode, int qtKey, quint64 timestamp);
  void keyRelease(quint32 scanCode, int qtKey, quint64 timestamp);
  void focusLost();
  // Delivers a held-back release now.
  void flush();

  // The virtual-key code of a key: by X11 scan code when there is one the
  // table knows, else by Qt's key. 0 for keys with no code.
  static int virtualKeyOf(quint32 scanCode, int qtKey);

 private:
  struct Pending {
    quint32 identity;
    quint64 timestamp;
  };
  static quint32 identityOf(quint32 scanCode, int qtKey);

  Deliver deliver_;
  int releaseDelayMs_;
  std::map<quint32, int> held_;  // identity -> the code its press delivered
  std::optional<Pending> pending_;
  QTimer releaseTimer_;
};

}  // namespace vesko
