#pragma once
// A project's binding to SourceSafe, kept in the per-project file ("vss.rvl") beside the IDE project
// file: one section per IDE project holding its SourceSafe path and database, and a "-Files" section
// for the files outside the project that the user added to it. The registry part says how the
// per-project files of the old version are handled: converted and deleted without asking, or not.
#include <memory>
#include <string>
#include <vector>

#include "addin/settings/uReg.h"
#include "platform/Profile.h"

class TRegProject : public TReg {
public:
  static constexpr char ClassName[] = "TRegProject";
  TRegProject() : TReg(ClassName) {}

  virtual bool GetAutoConvert() { return FRegistry->ReadBool("AutoConvert", false); }
  virtual void SetAutoConvert(bool Value) { FRegistry->WriteBool("AutoConvert", Value); }
  virtual bool GetAutoDelete() { return FRegistry->ReadBool("AutoDelete", false); }
  virtual void SetAutoDelete(bool Value) { FRegistry->WriteBool("AutoDelete", Value); }

  // The SourceSafe path of this project's section; else of "Default"; else of the file's first
  // section that has one; empty when none has.
  virtual std::string GetVssPath();
  virtual void SetVssPath(const std::string& Path);
  // The database of this project's own section only; empty when absent.
  virtual std::string GetSrcSafeIni();
  virtual void SetSrcSafeIni(const std::string& IniPath);
  // Binds the section to an IDE project file (a folder path ending in "/" gives "Default"), and
  // offers to convert the old version's file when the project has no per-project file yet.
  virtual void Open(const std::string& ProjectFile);
  // The SourceSafe paths of the files outside the project that belong to it.
  virtual std::vector<std::string> GetOtherFiles();
  virtual void AddOtherFile(const std::string& Spec);

  const std::string& GetSection() const { return FSection; }
  const std::string& GetIniName() const { return FIniName; }

private:
  void ConvertOldFile(const std::string& OldFile);
  // Raises ERVLException naming the file when a write did not reach it.
  void Write(const std::string& Section, const std::string& Key, const std::string& Value);
  platform::ProfileFile& IniFile();

  std::string FSection;
  std::unique_ptr<platform::ProfileFile> FIniFile;
  std::string FIniName;
};
