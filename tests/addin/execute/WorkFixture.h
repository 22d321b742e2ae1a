#pragma once
// A user's everyday setting for the builders and executors: the sample C++Builder project open in the
// real IDE (in this process), every file of it in the SourceSafe project $/Demo of a real database,
// Alice working in the project's folder and Bob in a folder of his own.
#include <memory>
#include <string>
#include <vector>

#include "../sourcesafe/SourceSafeTest.h"
#include "host/Host.h"

class TRVLExecute;
class TRVLExecuteFactory;
class TRVLFileListBuilder;
class TRVLItem;
class TRVLItems;
class TRVLProject;
class THostModule;

class WorkFixture : public SourceSafeTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // The project's file `name` in Alice's (or another) folder.
  std::string Local(const std::string& name) const { return PathOf("Demo/" + name); }
  // The SourceSafe file $/Demo/`name` as `user` sees it.
  VSSPtr<IVSSItem> VSSFile(const std::string& name, const std::string& user = "Bob") const;
  // `user` checks `name` out to his folder, writes `content` into it and checks it in.
  void CheckInAs(const std::string& user, const std::string& name, const std::string& content) const;
  // Alice's local copy of `name` becomes writable and holds `content`.
  void Edit(const std::string& name, const std::string& content) const;
  // Alice checks `name` out and changes it to `content`.
  void CheckOutAndChange(const std::string& name, const std::string& content) const;
  // The content of SourceSafe's latest version of $/Demo/`name`.
  std::string Stored(const std::string& name) const;
  static TRVLExecuteFactory& Executors();
  // The item of Alice's local file.
  std::unique_ptr<TRVLItem> Item(const std::string& name) const;
  // Builds with `builder` for the open project, filtered by `filter`, from `current`.
  std::unique_ptr<TRVLItems> Build(TRVLFileListBuilder& builder, TRVLExecute* filter = nullptr,
                                   TRVLItem* current = nullptr) const;
  // The file names of the list's items, in order.
  static std::vector<std::string> FileNames(TRVLItems& list);
  // Items for Alice's local files `names`, in order.
  std::unique_ptr<TRVLItems> Items(const std::vector<std::string>& names) const;

  std::unique_ptr<THost> FHost;
  std::unique_ptr<TRVLProject> FProject;
};
