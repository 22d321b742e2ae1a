#include "addin/settings/uRVLUtils.h"

#include "addin/frame/uRVLGlobals.h"
#include "ui/Screen.h"

int ShowMessageBox(const std::string& Text, unsigned Flags) {
  return MessageBox(Text, Globals().ProductName, Flags);
}

void ShowError(const std::string& Text) { ShowMessageBox(Text, MB_ICONERROR); }

void SetHourglass() { Screen().SetCursor(crHourGlass); }

void RestoreCursor() { Screen().SetCursor(crDefault); }
