#include "ui/ShortCuts.h"

#include <string_view>

#include "platform/Text.h"
#include "ui/VirtualKeys.h"

namespace {

struct TKeyName {
  int Key;
  const char* Name;
};

// Names of the keys menus show; letters, digits and F1..F24 are named by their own text.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"}, {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"},
    {VK_DIVIDE, "Num /"}, {VK_OEM_1, ";"}, {VK_OEM_PLUS, "="}, {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"}, {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"}, {VK_OEM_3, "`"}, {VK_OEM_4, "["},
    {VK_OEM_5, "\\"}, {VK_OEM_6, "]"}, {VK_OEM_7, "'"},
};

constexpr TShortCut KeyMask = 0x00FF;

std::string KeyName(int key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
  for (const auto& entry : KeyNames)
    if (entry.Key == key) return entry.Name;
  return {};
}

// The virtual key named `name`, 0 for none.
int KeyOfName(std::string_view name) {
  for (int key = 1; key <= 0xFF; ++key) {
    const std::string text = KeyName(key);
    if (!text.empty() && platform::SameText(text, name)) return key;
  }
  return 0;
}

bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() <= prefix.size() || !platform::StartsWithText(text, prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

} // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= ssShift;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= ssCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= ssAlt;
  if (buttons.testFlag(Qt::LeftButton)) shift |= ssLeft;
  if (buttons.testFlag(Qt::RightButton)) shift |= ssRight;
  if (buttons.testFlag(Qt::MiddleButton)) shift |= ssMiddle;
  return shift;
}

TShortCut ShortCut(int key, TShiftState shift) {
  if (key <= 0 || key > 0xFF) return 0;
  TShortCut result = static_cast<TShortCut>(key);
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift) {
  key = shortCut & KeyMask;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & KeyMask);
  if (name.empty()) return {};
  std::string result;
  if (shortCut & scShift) result += "Shift+";
  if (shortCut & scCtrl) result += "Ctrl+";
  if (shortCut & scAlt) result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string_view rest = text;
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (auto [prefix, bit] : {std::pair{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}})
      if (ConsumePrefix(rest, prefix)) {
        modifiers |= bit;
        found = true;
      }
  }
  const int key = KeyOfName(rest);
  return key ? static_cast<TShortCut>(modifiers | key) : 0;
}

QKeySequence ShortCutToKeySequence(TShortCut shortCut) {
  const int qtKey = VirtualKeyToQtKey(shortCut & KeyMask);
  if (!qtKey) return {};
  Qt::KeyboardModifiers modifiers;
  if (shortCut & scShift) modifiers |= Qt::ShiftModifier;
  if (shortCut & scCtrl) modifiers |= Qt::ControlModifier;
  if (shortCut & scAlt) modifiers |= Qt::AltModifier;
  const int key = shortCut & KeyMask;
  if ((key >= VK_NUMPAD0 && key <= VK_NUMPAD9) || (key >= VK_MULTIPLY && key <= VK_DIVIDE)) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

TShortCut KeySequenceToShortCut(const QKeySequence& sequence) {
  if (sequence.isEmpty()) return 0;
  const QKeyCombination combination = sequence[0];
  const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
  const int key = QtKeyToVirtualKey(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
  TShiftState shift = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= ssShift;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= ssCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= ssAlt;
  return ShortCut(key, shift);
}
