// Shortcut numbers, their menu texts and key sequences, and Qt keys and key events as virtual keys.
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "ui/ShortCuts.h"
#include "ui/VirtualKeys.h"

namespace {

struct TShortCutCase {
  TShortCut Code;
  const char* Text;
  QKeyCombination Keys;
};

const TShortCutCase ShortCutCases[] = {
    {0x4041, "Ctrl+A", Qt::CTRL | Qt::Key_A},
    {0x6071, "Shift+Ctrl+F2", Qt::SHIFT | Qt::CTRL | Qt::Key_F2},
    {0x802E, "Alt+Del", Qt::ALT | Qt::Key_Delete},
    {0x0070, "F1", QKeyCombination(Qt::Key_F1)},
    {0x4030, "Ctrl+0", Qt::CTRL | Qt::Key_0},
    {0x0D, "Enter", QKeyCombination(Qt::Key_Return)},
    {0xE026, "Shift+Ctrl+Alt+Up", Qt::SHIFT | Qt::CTRL | Qt::ALT | Qt::Key_Up},
    {0x40BF, "Ctrl+/", Qt::CTRL | Qt::Key_Slash},
    {0x4066, "Ctrl+Num 6", QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_6)},
};

TEST(KeysTest, ShortCutsRoundTripThroughTextAndKeySequences) {
  for (const auto& c : ShortCutCases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ShortCutToText(c.Code), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.Code);
    EXPECT_EQ(ShortCutToKeySequence(c.Code), QKeySequence(c.Keys));
    EXPECT_EQ(KeySequenceToShortCut(QKeySequence(c.Keys)), c.Code);
  }
}

TEST(KeysTest, QtKeysMapToVirtualKeysAndBack) {
  struct {
    int Qt;
    bool Keypad;
    int VK;
  } const cases[] = {
      {Qt::Key_A, false, 'A'},          {Qt::Key_5, false, '5'},          {Qt::Key_Percent, false, '5'},
      {Qt::Key_5, true, VK_NUMPAD5},    {Qt::Key_Plus, true, VK_ADD},     {Qt::Key_Return, false, VK_RETURN},
      {Qt::Key_Enter, true, VK_RETURN}, {Qt::Key_Delete, false, VK_DELETE}, {Qt::Key_F12, false, VK_F12},
      {Qt::Key_PageUp, false, VK_PRIOR}, {Qt::Key_Semicolon, false, VK_OEM_1}, {Qt::Key_Colon, false, VK_OEM_1},
      {Qt::Key_Shift, false, VK_SHIFT}, {Qt::Key_unknown, false, 0},
      // Characters of national layouts: é, ß, Ü, Cyrillic Ж.
      {Qt::Key_Eacute, false, VK_OEM_8}, {Qt::Key_ssharp, false, VK_OEM_8}, {Qt::Key_Udiaeresis, false, VK_OEM_8},
      {0x0416, false, VK_OEM_8},        {Qt::Key_Dead_Acute, false, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(QtKeyToVirtualKey(c.Qt, c.Keypad), c.VK) << std::hex << c.Qt;
  for (int vk : {int('A'), int('7'), VK_F5, VK_DELETE, VK_RETURN, VK_OEM_1, VK_OEM_7, VK_NUMPAD3, VK_DIVIDE})
    EXPECT_EQ(QtKeyToVirtualKey(VirtualKeyToQtKey(vk), vk >= VK_NUMPAD0 && vk <= VK_DIVIDE), vk) << vk;
  EXPECT_EQ(VirtualKeyToQtKey(0xFF), 0);
}

// A key event's virtual key keeps the keypad apart; which keys the editor hook asks about is its test.
TEST(KeysTest, KeyEventsCarryTheKeypadsVirtualKeys) {
  const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_4, Qt::KeypadModifier);
  EXPECT_EQ(VirtualKeyOf(&keypad), VK_NUMPAD4);
}

} // namespace
