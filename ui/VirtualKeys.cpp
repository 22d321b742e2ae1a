#include "ui/VirtualKeys.h"

#include <array>
#include <cstring>

#include <QKeyEvent>

namespace {

struct TKeyPair {
  int Qt;
  int VK;
};

// Keys whose code is not the character itself. The first entry for a virtual key is the one
// VirtualKeyToQtKey gives back.
constexpr TKeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE}, {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME}, {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT}, {Qt::Key_Execute, VK_EXECUTE}, {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN}, {Qt::Key_Super_L, VK_LWIN}, {Qt::Key_Super_R, VK_RWIN},
    {Qt::Key_Menu, VK_APPS}, {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS}, {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2}, {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits of a US keyboard.
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

// Keypad keys that are not digits.
constexpr TKeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Enter, VK_RETURN},
};

std::array<uint8_t, 256> KeyState{};

void SetPressed(int virtualKey, bool pressed) {
  if (virtualKey <= 0 || virtualKey > 255) return;
  if (pressed) KeyState[virtualKey] |= 0x80;
  else KeyState[virtualKey] &= static_cast<uint8_t>(~0x80);
}

} // namespace

int QtKeyToVirtualKey(int qtKey, bool keypad) {
  if (keypad) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + (qtKey - Qt::Key_0);
    for (const auto& pair : KeypadTable)
      if (pair.Qt == qtKey) return pair.VK;
  }
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
  for (const auto& pair : KeyTable)
    if (pair.Qt == qtKey) return pair.VK;
  // Keys that type a character outside ASCII (Qt names them by the character) have no code of
  // their own here: they count as a key of the national layout, so that they type text like any letter.
  if (qtKey >= 0xA0 && qtKey < Qt::Key_Escape) return VK_OEM_8;
  return 0;
}

int VirtualKeyToQtKey(int virtualKey) {
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) return virtualKey;
  if (virtualKey >= VK_F1 && virtualKey <= VK_F24) return Qt::Key_F1 + (virtualKey - VK_F1);
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return Qt::Key_0 + (virtualKey - VK_NUMPAD0);
  for (const auto& pair : KeypadTable)
    if (pair.VK == virtualKey && virtualKey != VK_RETURN) return pair.Qt;
  for (const auto& pair : KeyTable)
    if (pair.VK == virtualKey) return pair.Qt;
  return 0;
}

int VirtualKeyOf(const QKeyEvent* event) {
  return event ? QtKeyToVirtualKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier)) : 0;
}

void GetKeyboardState(uint8_t state[256]) { std::memcpy(state, KeyState.data(), KeyState.size()); }

void SetKeyboardState(const uint8_t state[256]) { std::memcpy(KeyState.data(), state, KeyState.size()); }

int16_t GetKeyState(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 255) return 0;
  return (KeyState[virtualKey] & 0x80) ? static_cast<int16_t>(0x8000 | (KeyState[virtualKey] & 1)) : 0;
}

void RecordKeyEvent(const QKeyEvent* event) {
  if (!event) return;
  const bool pressed = event->type() == QEvent::KeyPress;
  const int key = VirtualKeyOf(event);
  SetPressed(key, pressed);
  // The modifiers an event carries are the state before a modifier key itself changed it.
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (key != VK_SHIFT) SetPressed(VK_SHIFT, modifiers.testFlag(Qt::ShiftModifier));
  if (key != VK_CONTROL) SetPressed(VK_CONTROL, modifiers.testFlag(Qt::ControlModifier));
  if (key != VK_MENU) SetPressed(VK_MENU, modifiers.testFlag(Qt::AltModifier));
}

Qt::KeyboardModifiers KeyboardStateModifiers() {
  Qt::KeyboardModifiers result;
  if (GetKeyState(VK_SHIFT) < 0) result |= Qt::ShiftModifier;
  if (GetKeyState(VK_CONTROL) < 0) result |= Qt::ControlModifier;
  if (GetKeyState(VK_MENU) < 0) result |= Qt::AltModifier;
  return result;
}
