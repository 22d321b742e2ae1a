#include "addin/settings/uRVLUtils.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uSpecPath.h"
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
  const std::string folder = platform::ExcludeTrailingPathDelimiter(Folder);
  if (platform::DirectoryExists(folder)) return true;
  if (!EnsureFolder(platform::ExtractFilePath(folder), ForAll, Create)) return false;
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

VSSPtr<IVSSItem> EnsureSourceSafeProject(IVSSDatabase& Database, const std::string& Path) {
  if (Path.empty()) throw ERVLException("Can not create a project named ''");
  try {
    VSSPtr<IVSSItem> item = Database.VSSItem(Path, false);
    if (item->Type() == VSSITEM_PROJECT) return item;
  } catch (const std::exception&) {
  }
  const std::string parentPath = SpecFolder(Path);
  // A path with no level left to take off names nothing that could be created.
  VSSPtr<IVSSItem> parent = parentPath.empty() || parentPath == Path ? nullptr : EnsureSourceSafeProject(Database, parentPath);
  if (!parent) throw ERVLException("Cannot Create SubProject " + parentPath);
  return parent->NewSubproject(SpecName(Path), "");
}
