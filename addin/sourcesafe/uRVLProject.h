#pragma once
// An IDE project file bound to a SourceSafe project in an open database. The binding is read from the
// per-project file when the project is created and written there when the user binds it.
#include <memory>
#include <string>

#include "addin/sourcesafe/uLiveCount.h"
#include "ui/Object.h"
#include "vss/api/VSSApi.h"

class TRegProject;

class TRVLProject : public TObject {
public:
  // Binds through the per-project file beside `ProjectFile` (a full path free of surrounding blanks;
  // a folder path ending in "/" uses that folder's "Default" section). Unbound when the file names
  // no SourceSafe project, the login fails or the SourceSafe project is gone.
  explicit TRVLProject(const std::string& ProjectFile);
  // A project for a SourceSafe project, named "Default" in its working folder.
  TRVLProject(VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> VSSProject);
  ~TRVLProject() override;

  virtual VSSPtr<IVSSDatabase> GetDatabase();
  virtual VSSPtr<IVSSItem> GetVSSProject();
  virtual bool IsBound();

  const std::string& FileName() const { return FFileName; }
  // The open per-project settings; nil for a project made from SourceSafe or without a file name.
  TRegProject* GetRegProject() const { return FRegProject.get(); }
  // Binds to `VSSProject` (not nil) and records the binding in the per-project file.
  void SetBinding(VSSPtr<IVSSItem> VSSProject, VSSPtr<IVSSDatabase> Database);
  // Logs in to the database of `IniPath` (SourceSafe's current one when empty); nil on failure.
  void Connect(const std::string& IniPath);

  // Projects alive in this process.
  static int LiveCount() { return TLiveCount<TRVLProject>::Count(); }

private:
  void Bind();

  TLiveCount<TRVLProject> FLive;
  std::string FFileName;
  VSSPtr<IVSSDatabase> FDatabase;
  VSSPtr<IVSSItem> FVSSProject;
  std::unique_ptr<TRegProject> FRegProject;
};
