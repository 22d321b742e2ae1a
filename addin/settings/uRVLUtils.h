#pragma once
// Message boxes titled with the product name, the hourglass cursor, and the process environment
// (read and set here so that the programs the add-in starts inherit it).
#include <string>

#include "platform/Environment.h"
#include "ui/Prompter.h"

// A message box with the MB_* flags, captioned with the product name; returns the ID* pressed.
int ShowMessageBox(const std::string& Text, unsigned Flags);
void ShowError(const std::string& Text);
void SetHourglass();
void RestoreCursor();

using platform::GetEnv;
using platform::SetEnv;
