#include "addin/settings/uRegProject.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLUtils.h"
#include "platform/Files.h"
#include "ui/Prompter.h"

namespace {

const char DefaultSection[] = "Default";
const char FilesSuffix[] = "-Files";

// The answer to a Yes / No / Yes to All question; Yes to All also sets the matching option.
bool Agreed(const std::string& Question, TRegProject& Settings, void (TRegProject::*SetAuto)(bool)) {
  switch (MessageDlg(Question, mtConfirmation, {mbYes, mbNo, mbYesToAll})) {
  case mrYesToAll:
    (Settings.*SetAuto)(true);
    return true;
  case mrYes:
    return true;
  default:
    return false;
  }
}

} // namespace

platform::ProfileFile& TRegProject::IniFile() {
  if (!FIniFile) throw ERVLException("The project settings were used before a project file was opened");
  return *FIniFile;
}

std::string TRegProject::GetVssPath() {
  platform::ProfileFile& ini = IniFile();
  const std::string& key = Globals().SCPathValue;
  std::string path = ini.ReadString(FSection, key);
  if (path.empty()) path = ini.ReadString(DefaultSection, key);
  for (const std::string& section : ini.Sections()) {
    if (!path.empty()) break;
    path = ini.ReadString(section, key);
  }
  return path;
}

void TRegProject::SetVssPath(const std::string& Path) { Write(FSection, Globals().SCPathValue, Path); }

std::string TRegProject::GetSrcSafeIni() { return IniFile().ReadString(FSection, Globals().SCDBValue); }

void TRegProject::SetSrcSafeIni(const std::string& IniPath) { Write(FSection, Globals().SCDBValue, IniPath); }

std::vector<std::string> TRegProject::GetOtherFiles() { return IniFile().Keys(FSection + FilesSuffix); }

void TRegProject::AddOtherFile(const std::string& Spec) { Write(FSection + FilesSuffix, Spec, "1"); }

void TRegProject::Write(const std::string& Section, const std::string& Key, const std::string& Value) {
  platform::ProfileFile& ini = IniFile();
  // A value that is already stored is not written again, so binding a project in a folder the user
  // can't write to still works.
  if (ini.ValueExists(Section, Key) && ini.ReadString(Section, Key) == Value) return;
  if (!ini.WriteString(Section, Key, Value))
    throw ERVLException("Could not write the project settings file " + FIniName + ": " + ini.Error());
}

void TRegProject::Open(const std::string& ProjectFile) {
  FSection = platform::ExtractFileName(ProjectFile);
  if (FSection.empty()) FSection = DefaultSection;
  FIniName = platform::ExtractFilePath(ProjectFile) + Globals().ProjectFileName;
  FIniFile = std::make_unique<platform::ProfileFile>(FIniName);

  const std::string oldFile = platform::ChangeFileExt(ProjectFile, ".vss");
  if (!platform::FileExists(oldFile) || platform::FileExists(FIniName)) return;
  if (GetAutoConvert() ||
      Agreed("This project was managed by an old version of " + Globals().ProductName +
                 "\nWould you like to convert it to the new version?",
             *this, &TRegProject::SetAutoConvert))
    ConvertOldFile(oldFile);
}

void TRegProject::ConvertOldFile(const std::string& OldFile) {
  const platform::ProfileFile old(OldFile);
  std::string path = old.ReadString("VssProj", "VssPath");
  // The old version wrote SourceSafe paths with a doubled "$" ("$$/Proj"); a path already in
  // SourceSafe's own form is taken as it is.
  if (path.starts_with("$$")) path.erase(0, 1);
  SetVssPath(path);
  SetSrcSafeIni(old.ReadString("VssProj", "SrcSafeIni"));
  if (GetAutoDelete() || Agreed("Delete old Ravelin file?", *this, &TRegProject::SetAutoDelete))
    if (!platform::DeleteFile(OldFile)) ShowError("Could not delete the old project file " + OldFile);
}
