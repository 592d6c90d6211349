#include "platform/qt/key_adapter.h"

#include <Qt>

namespace vesko {

namespace {

// X11 key codes of a PC keyboard (evdev) and their virtual-key codes.
int virtualKeyOfScanCode(quint32 sc) {
  switch (sc) {
    case 9: return 27;    // Escape
    case 10: return 49;   case 11: return 50; case 12: return 51; case 13: return 52; case 14: return 53;
    case 15: return 54;   case 16: return 55; case 17: return 56; case 18: return 57; case 19: return 48;
    case 20: return 189;  // minus
    case 21: return 187;  // equals
    case 22: return 8;    // BackSpace
    case 23: return 9;    // Tab
    case 24: return 81; case 25: return 87; case 26: return 69; case 27: return 82; case 28: return 84;
    case 29: return 89; case 30: return 85; case 31: return 73; case 32: return 79; case 33: return 80;
    case 34: return 219;  // bracketleft
    case 35: return 221;  // bracketright
    case 36: return 13;   // Return
    case 37: return 17;   // Control_L
    case 38: return 65; case 39: return 83; case 40: return 68; case 41: return 70; case 42: return 71;
    case 43: return 72; case 44: return 74; case 45: return 75; case 46: return 76;
    case 47: return 186;  // semicolon
    case 48: return 222;  // apostrophe
    case 49: return 192;  // grave
    case 50: return 16;   // Shift_L
    case 51: return 220;  // backslash
    case 52: return 90; case 53: return 88; case 54: return 67; case 55: return 86; case 56: return 66;
    case 57: return 78; case 58: return 77;
    case 59: return 188;  // comma
    case 60: return 190;  // period
    case 61: return 191;  // slash
    case 62: return 16;   // Shift_R
    case 64: return 18;   // Alt_L
    case 65: return 32;   // space
    case 66: return 20;   // Caps_Lock
    case 67: return 112; case 68: return 113; case 69: return 114; case 70: return 115; case 71: return 116;
    case 72: return 117; case 73: return 118; case 74: return 119; case 75: return 120; case 76: return 121;
    case 95: return 122; case 96: return 123;
    case 105: return 17;  // Control_R
    case 108: return 18;  // Alt_R
    case 110: return 36;  // Home
    case 111: return 38;  // Up
    case 112: return 33;  // Page_Up
    case 113: return 37;  // Left
    case 114: return 39;  // Right
    case 115: return 35;  // End
    case 116: return 40;  // Down
    case 117: return 34;  // Page_Down
    case 118: return 45;  // Insert
    case 119: return 46;  // Delete
    default: return 0;
  }
}

int virtualKeyOfQtKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
  switch (key) {
    // Shifted symbols stand for the key they are on.
    case Qt::Key_Exclam: return 49;  case Qt::Key_At: return 50;         case Qt::Key_NumberSign: return 51;
    case Qt::Key_Dollar: return 52;  case Qt::Key_Percent: return 53;    case Qt::Key_AsciiCircum: return 54;
    case Qt::Key_Ampersand: return 55; case Qt::Key_Asterisk: return 56; case Qt::Key_ParenLeft: return 57;
    case Qt::Key_ParenRight: return 48;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

}  // namespace

KeyAdapter::KeyAdapter(Deliver deliver, int releaseDelayMs)
    : deliver_(std::move(deliver)), releaseDelayMs_(releaseDelayMs) {
  releaseTimer_.setSingleShot(true);
  releaseTimer_.setTimerType(Qt::PreciseTimer);
  connect(&releaseTimer_, &QTimer::timeout, this, [this] { flush(); });
}

int KeyAdapter::virtualKeyOf(quint32 scanCode, int qtKey) {
  const int vk = scanCode ? virtualKeyOfScanCode(scanCode) : 0;
  return vk ? vk : virtualKeyOfQtKey(qtKey);
}

quint32 KeyAdapter::identityOf(quint32 scanCode, int qtKey) {
  if (scanCode) return scanCode;
  return 0x10000u + static_cast<quint32>(virtualKeyOfQtKey(qtKey));
}

void KeyAdapter::keyPress(quint32 scanCode, int qtKey, quint64 timestamp) {
  const quint32 id = identityOf(scanCode, qtKey);
  if (pending_ && pending_->identity == id && pending_->timestamp == timestamp) {
    // The release that came with this press was an auto-repeat: the key is
    // still held, and the press goes to the handlers as a repeat.
    pending_.reset();
    releaseTimer_.stop();
  } else {
    flush();
  }
  auto it = held_.find(id);
  const int vk = it != held_.end() ? it->second : virtualKeyOf(scanCode, qtKey);
  held_[id] = vk;
  if (vk) deliver_(true, vk);
}

void KeyAdapter::keyRelease(quint32 scanCode, int qtKey, quint64 timestamp) {
  flush();
  const quint32 id = identityOf(scanCode, qtKey);
  if (held_.find(id) == held_.end()) held_[id] = virtualKeyOf(scanCode, qtKey);
  pending_ = Pending{id, timestamp};
  releaseTimer_.start(releaseDelayMs_);
}

void KeyAdapter::flush() {
  if (!pending_) return;
  const quint32 id = pending_->identity;
  pending_.reset();
  releaseTimer_.stop();
  auto it = held_.find(id);
  if (it == held_.end()) return;
  const int vk = it->second;
  held_.erase(it);
  if (vk) deliver_(false, vk);
}

void KeyAdapter::focusLost() {
  flush();
  std::map<quint32, int> held;
  held.swap(held_);
  for (const auto& [id, vk] : held)
    if (vk) deliver_(false, vk);
}

}  // namespace vesko
