#pragma once
// One file the add-in acts on: its local name paired with its SourceSafe item, or with none when the
// file is not under version control. The key of an item is its SourceSafe path without the leading
// "$". `TRVLB3Item` serves the C++Builder IDE, which reloads files without touching their attributes.
#include <memory>
#include <string>

#include "addin/sourcesafe/uLiveCount.h"
#include "ui/Object.h"
#include "vss/api/VSSApi.h"

class TRVLProject;

// Selects the constructor that finds a local file's SourceSafe item.
struct TFromFile {};
// Selects the constructor that looks a SourceSafe path up.
struct TFromSpec {};

class TRVLItem : public TObject {
public:
  // The item for `VSSItem` of `Database`.
  TRVLItem(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database);
  // The item of the SourceSafe path `Path` (with or without "$"); raises when `Database` is set and
  // has no such item.
  TRVLItem(TFromSpec, const std::string& Path, VSSPtr<IVSSDatabase> Database);
  // The item of a local file, found through `Project` (may be nil) or else through the per-project
  // file of the file's own folder. Raises when the file lies in a bound project's folder and
  // SourceSafe can't be asked about it.
  TRVLItem(TFromFile, const std::string& FileName, TRVLProject* Project);
  // A copy with the source's project.
  TRVLItem(const TRVLItem& Source);
  TRVLItem& operator=(const TRVLItem&) = delete;
  ~TRVLItem() override;

  // The SourceSafe item, fetched again first when it was invalidated; nil when there is none (also
  // when it has been removed from SourceSafe meanwhile).
  virtual VSSPtr<IVSSItem> GetVSSItem();
  virtual bool IsInVSS();
  virtual std::string GetLocalSpec();
  virtual std::string GetSpec() { return FSpec; }
  // Saves the file when the IDE has it open; true when it was saved.
  virtual bool SaveInIDE();
  // Brings the file's editor page forward when the IDE has it open.
  virtual void ShowInIDE();
  // Makes the IDE read the file again; with ClearReadOnly it is first reloaded writable, then with
  // its own attributes again.
  virtual void ReloadInIDE(bool ClearReadOnly);
  // Looking at the file through the view commands, each with the hourglass meanwhile: a copy of its
  // SourceSafe version, the working file, the working file against SourceSafe's version, and this
  // version (left) against another.
  virtual void ViewVersion();
  virtual void ViewLocalFile();
  virtual void ShowDifference();
  virtual void CompareWith(TRVLItem* Other);

  // The SourceSafe item is fetched again on its next use, so that changes made by others are seen.
  void Invalidate() { FStale = true; }
  VSSPtr<IVSSDatabase> GetDatabase() const { return FDatabase; }
  TRVLProject* GetProject() const { return FProject; }

  static int LiveCount() { return TLiveCount<TRVLItem>::Count(); }

private:
  void LookupThroughProject(TRVLProject* Project);
  void LookupThroughOwnFolder();
  bool SpecFolderExists();
  // `Spec`'s item in FDatabase, nil for a project or (with `quiet`) for any failure.
  VSSPtr<IVSSItem> FileItem(const std::string& Spec, bool Quiet);

  TLiveCount<TRVLItem> FLive;
  VSSPtr<IVSSItem> FVSSItem;
  bool FStale = false;
  std::string FLocalSpec;
  bool FLocalSpecKnown = false;
  std::string FSpec;
  VSSPtr<IVSSDatabase> FDatabase;
  TRVLProject* FProject = nullptr;
  // FProject when the item made it itself; copies share it, so it outlives the item that made it
  // as long as a copy needs it.
  std::shared_ptr<TRVLProject> FOwnedProject;
};

class TRVLB3Item : public TRVLItem {
public:
  using TRVLItem::TRVLItem;
  TRVLB3Item(const TRVLItem& Source) : TRVLItem(Source) {}
  void ReloadInIDE(bool ClearReadOnly) override;
};

// SourceSafe's own form of an item key ("/a/b.cpp" gives "$/a/b.cpp").
std::string VSSPathOf(const std::string& Key);
// Whether the item is in SourceSafe and checked out by this user.
bool IsCheckedOutToMe(TRVLItem* Item);
// Whether the item is in SourceSafe and not checked out by this user, so that this user can check it out.
bool CanBeCheckedOut(TRVLItem* Item);
