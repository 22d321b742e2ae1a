#pragma once
// Keyboard shortcuts as the settings keep them: a 16-bit number holding a virtual-key code and the
// modifier bits, converted to Qt's key sequences and to the text shown in menus ("Ctrl+Shift+F2").
#include <cstdint>
#include <string>

#include <QKeySequence>

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;   // an OR of TShiftFlag values

// The shift state of Qt's modifiers and mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

// The shortcut of virtual key `key` (VK_*) with the Shift, Ctrl and Alt of `shift`.
TShortCut ShortCut(int key, TShiftState shift);
// Splits a shortcut into its virtual key and Shift/Ctrl/Alt state.
void ShortCutToKey(TShortCut shortCut, int& key, TShiftState& shift);

// "Shift+Ctrl+Alt+" (those present, in that order) and the key's name: "Ctrl+F2", "Shift+Del",
// "Ctrl+A". Empty for 0 and for a key without a name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse: modifiers in any order and letter case, "Ctrl+F2", "shift+ctrl+a"; 0 for text that
// names no key.
TShortCut TextToShortCut(const std::string& text);

// To Qt's key sequence (empty for 0 or a key Qt does not know) and back (the first key of the
// sequence; 0 when it has no virtual-key code).
QKeySequence ShortCutToKeySequence(TShortCut shortCut);
TShortCut KeySequenceToShortCut(const QKeySequence& sequence);
