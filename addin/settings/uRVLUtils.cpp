#include "addin/settings/uRVLUtils.h"

#include "addin/frame/uRVLGlobals.h"
#include "platform/Files.h"
#include "ui/Screen.h"

int ShowMessageBox(const std::string& Text, unsigned Flags) {
  return MessageBox(Text, Globals().ProductName, Flags);
}

void ShowError(const std::string& Text) { ShowMessageBox(Text, MB_ICONERROR); }

void SetHourglass() { Screen().SetCursor(crHourGlass); }

void RestoreCursor() { Screen().SetCursor(crDefault); }

bool EnsureFolder(const std::string& Folder, bool& ForAll, bool& Create) {
  if (Folder.empty()) return false;
  const std::string folder = Folder.ends_with('/') ? Folder.substr(0, Folder.size() - 1) : Folder;
  // Only the root is short enough to be always there: paths have no drives.
  if (folder.empty() || platform::DirectoryExists(folder)) return true;
  const std::string parent = platform::ExtractFilePath(folder);
  if (parent != folder && !EnsureFolder(parent, ForAll, Create)) return false;
  if (!ForAll) {
    switch (MessageDlg("Folder " + folder + " not found, create?", mtConfirmation,
                       {mbYes, mbNo, mbCancel, mbNoToAll, mbYesToAll})) {
      case mrYes: return platform::ForceDirectories(folder);
      case mrNoToAll: ForAll = true; Create = false; return false;
      case mrYesToAll: ForAll = true; Create = true; break;
      default: return false;
    }
  }
  return Create && platform::ForceDirectories(folder);
}
