#pragma once
// File-list builders: each decides which files one command concerns. A builder walks its sources
// (the current item and its companions, the SourceSafe project tree, the IDE's units and forms, the
// project's other files), turns every file into an item, and adds those that its own test and the
// optional filter (the executor that will act on the list) accept. Adding replaces an entry with the
// same SourceSafe path in place, so a file is listed once, at its first position.
#include <memory>
#include <set>
#include <string>

#include "ui/Object.h"
#include "vss/api/VSSApi.h"

class TRVLExecute;
class TRVLItem;
class TRVLItems;
class TRVLProject;

class TRVLFileListBuilder : public TObject {
public:
  virtual void AddItem(TRVLItems* List, TRVLItem* Item);
  virtual bool Accept(TRVLItem*) { return true; }
  virtual void SetParams(TRVLProject* Project, TRVLItem* CurrentItem);
  virtual void SetFilter(TRVLExecute* Filter) { FFilter = Filter; }
  virtual void SetIncludeAssociated(bool Include) { FIncludeAssociated = Include; }
  virtual void Build(TRVLItems* List) = 0;

protected:
  // Adds the files of `Project` (a SourceSafe project), descending into subprojects when `Deep`.
  void AddVSSFiles(TRVLItems* List, IVSSItem* Project, bool Deep);
  // Adds the IDE project's units, then its forms.
  void AddIDEFiles(TRVLItems* List);
  // Adds the item of the local file `FileName`.
  void AddFile(TRVLItems* List, const std::string& FileName);

  TRVLProject* FProject = nullptr;    // not owned; may be nil
  TRVLItem* FCurrentItem = nullptr;   // not owned; may be nil
  TRVLExecute* FFilter = nullptr;     // not owned; may be nil
  bool FIncludeAssociated = true;
};

// The current item and its companion files.
class TRVLCurrentFileListBuilder : public TRVLFileListBuilder {
public:
  void Build(TRVLItems* List) override;
};

// The files of the bound SourceSafe project, without its subprojects.
class TRVLVCSProjectListBuilder : public TRVLFileListBuilder {
public:
  bool Accept(TRVLItem* Item) override;
  void Build(TRVLItems* List) override;
};

// The SourceSafe project tree, then the IDE's units and forms, then the project's other files.
class TRVLAllFilesListBuilder : public TRVLFileListBuilder {
public:
  void Build(TRVLItems* List) override;
};

class TRVLAllVCSFilesListBuilder : public TRVLAllFilesListBuilder {
public:
  bool Accept(TRVLItem* Item) override;
};

// Controlled files whose local copy exists and differs, except those checked out to the user.
class TRVLDifferentFilesListBuilder : public TRVLAllVCSFilesListBuilder {
public:
  bool Accept(TRVLItem* Item) override;
};

// The IDE project's units and forms only.
class TRVLAllLocalFilesListBuilder : public TRVLFileListBuilder {
public:
  void Build(TRVLItems* List) override;
};

// Controlled files missing locally ("new") or changed by others ("changed"), counted as they are
// accepted (before the filter is asked); the synchronize-on-open question reads the counts. A file
// met twice (in SourceSafe and among the IDE's units) counts once.
class TRVLSyncOpenListBuilder : public TRVLAllVCSFilesListBuilder {
public:
  bool Accept(TRVLItem* Item) override;
  int NewFiles() const { return FNewFiles; }
  int ChangedFiles() const { return FChangedFiles; }

private:
  int FNewFiles = 0;
  int FChangedFiles = 0;
  std::set<std::string> FCounted;   // keys counted, letter case folded
};

// Every file of the project, for the synchronize-before-closing question.
class TRVLSyncCloseListBuilder : public TRVLAllFilesListBuilder {};

// The candidates of Synchronize: every controlled file of the project, then the IDE's units and
// forms (new ones among them).
class TRVLSynchronizeListBuilder : public TRVLFileListBuilder {
public:
  TRVLSynchronizeListBuilder();
  ~TRVLSynchronizeListBuilder() override;
  void Build(TRVLItems* List) override;

private:
  std::unique_ptr<TRVLFileListBuilder> FAllVCSFiles;
  std::unique_ptr<TRVLFileListBuilder> FAllLocalFiles;
};

// Whether the local copy of a controlled item exists and differs from SourceSafe's, and the item is
// not checked out to the user: what "changed" means to the builders.
bool IsChangedElsewhere(TRVLItem* Item);
