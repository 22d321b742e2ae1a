#pragma once
// An item (project or file) as one user sees it, possibly as of one version. It keeps only ids and
// reads the store on every call (Items may answer from the session's listing of the project, which
// counts only while the store is unchanged), so it always shows the latest state of any process's changes;
// only an item listed by its project's Items keeps the name and type it was listed with, which
// never change while the item exists, and its spec; for a short while it also keeps the content and
// local path its list read, so that a walk over a project compares each local file with the list's
// snapshot and asks nothing more.
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "vss/api/VSSInterfaces.h"
#include "vss/server/VSSObject.h"
#include "vss/server/VSSTree.h"

class VSSItemObject : public VSSObject<IVSSItem> {
public:
  // version 0 means the latest.
  VSSItemObject(std::shared_ptr<VSSSession> session, int64_t entry, int32_t version = 0);
  // An item as its project's list read it, with the project's spec and the user's working folder.
  VSSItemObject(std::shared_ptr<VSSSession> session, const VSSEntry& listed, const std::string& projectSpec,
                const std::string& projectFolder);

  const std::shared_ptr<VSSSession>& Session() const { return FSession; }
  int64_t EntryId() const { return FEntry; }

  std::string Spec() override;
  std::string Name() override;
  std::string LocalSpec() override;
  void SetLocalSpec(const std::string& folder) override;
  int32_t Type() override;
  bool Binary() override;
  bool Deleted() override;
  void SetDeleted(bool deleted) override;
  int32_t VersionNumber() override;
  int32_t IsCheckedOut() override;
  bool IsDifferent(const std::string& local) override;

  VSSPtr<IVSSItems> Items(bool includeDeleted) override;
  VSSPtr<IVSSCheckouts> Checkouts() override;
  VSSPtr<IVSSItem> Parent() override;
  VSSPtr<IVSSItems> Links() override;

  void Get(std::string& local, int32_t flags) override;
  void Checkout(const std::string& comment, const std::string& local, int32_t flags) override;
  void Checkin(const std::string& comment, const std::string& local, int32_t flags) override;
  void UndoCheckout(const std::string& local, int32_t flags) override;

  VSSPtr<IVSSItem> Add(const std::string& local, const std::string& comment, int32_t flags) override;
  VSSPtr<IVSSItem> NewSubproject(const std::string& name, const std::string& comment) override;
  void Share(IVSSItem* item, const std::string& comment, int32_t flags) override;

  void Destroy() override;
  void Label(const std::string& label, const std::string& comment) override;
  VSSPtr<IVSSVersions> Versions(int32_t flags) override;
  VSSPtr<IVSSItem> Version(const std::string& versionOrLabel) override;

private:
  VSSTree Tree() { return VSSTree(*FSession); }
  VSSStore& Store() { return *FSession->Store; }
  VSSEntry Load();
  VSSPtr<IVSSItem> ItemAt(int64_t entry, int32_t version = 0) const;

  std::shared_ptr<VSSSession> FSession;
  int64_t FEntry;
  int32_t FVersion;
  // True for a moment after the item was listed: long enough for a walk over the list.
  bool SnapshotFresh() const;

  std::optional<VSSEntry> FListed;
  std::chrono::steady_clock::time_point FListedAt;
  std::string FListedSpec;    // a spec never changes while the item exists
  std::string FListedLocal;   // a listed file's local path as of the list
};
