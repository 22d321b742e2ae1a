#include "vss/server/VSSItemObject.h"

#include "platform/Files.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSCollections.h"
#include "vss/server/VSSFileOps.h"
#include "vss/server/VSSHistory.h"
#include "vss/server/VSSProjectOps.h"

VSSItemObject::VSSItemObject(std::shared_ptr<VSSSession> session, int64_t entry, int32_t version)
    : FSession(std::move(session)), FEntry(entry), FVersion(version) {}

VSSItemObject::VSSItemObject(std::shared_ptr<VSSSession> session, const VSSEntry& listed,
                             const std::string& projectSpec, const std::string& projectFolder)
    : FSession(std::move(session)), FEntry(listed.Id), FVersion(0), FListed(listed),
      FListedAt(std::chrono::steady_clock::now()),
      FListedSpec((projectSpec.ends_with('/') ? projectSpec : projectSpec + "/") + listed.Name),
      FListedLocal(projectFolder.empty() ? std::string()
                                         : platform::IncludeTrailingPathDelimiter(projectFolder) + listed.Name) {}

bool VSSItemObject::SnapshotFresh() const {
  constexpr auto SnapshotLife = std::chrono::seconds(1);
  return FListed && std::chrono::steady_clock::now() - FListedAt < SnapshotLife;
}

VSSEntry VSSItemObject::Load() {
  return Tree().Entry(FEntry);
}

VSSPtr<IVSSItem> VSSItemObject::ItemAt(int64_t entry, int32_t version) const {
  return VSSPtr<IVSSItem>(new VSSItemObject(FSession, entry, version));
}

std::string VSSItemObject::Spec() {
  if (FListed) return FListedSpec;
  VSSTree tree = Tree();
  return Store().Read([&] { return tree.SpecOf(FEntry); });
}

std::string VSSItemObject::Name() { return FListed ? FListed->Name : Load().Name; }

std::string VSSItemObject::LocalSpec() {
  if (FListed && FListed->Type == VSSITEM_FILE && SnapshotFresh()) return FListedLocal;
  VSSTree tree = Tree();
  return Store().Read([&] {
    const VSSEntry entry = tree.Entry(FEntry);
    return entry.Type == VSSITEM_FILE ? VSSFileOps::FileLocalSpec(tree, entry) : tree.WorkingFolder(FEntry);
  });
}

void VSSItemObject::SetLocalSpec(const std::string& folder) {
  const std::string path = folder.empty() ? folder : platform::ExcludeTrailingPathDelimiter(platform::ExpandFileName(folder));
  VSSTree tree = Tree();
  Store().Write([&] {
    const VSSEntry entry = tree.Entry(FEntry);
    if (entry.Type != VSSITEM_PROJECT)
      throw EVSSAutomation("The working folder of " + tree.SpecOf(FEntry) + " is its project's; set it there",
                           VSSError::InvalidOperation);
    tree.SetWorkingFolder(entry.Item, path);
  });
}

int32_t VSSItemObject::Type() { return FListed ? FListed->Type : Load().Type; }

bool VSSItemObject::Binary() { return Load().Binary; }

bool VSSItemObject::Deleted() { return Load().Deleted; }

void VSSItemObject::SetDeleted(bool deleted) { VSSProjectOps::SetDeleted(*FSession, FEntry, deleted); }

int32_t VSSItemObject::VersionNumber() { return FVersion ? FVersion : Tree().LatestVersion(Load().Item); }

int32_t VSSItemObject::IsCheckedOut() {
  int32_t status = VSSFILE_NOTCHECKEDOUT;
  for (const VSSFileOps::CheckoutRow& row : VSSFileOps::CheckoutsOf(Store(), Load().Item)) {
    if (row.UserId == FSession->UserId) {
      VSSFileOps::MendCheckedOutCopy(row, Load().Name);
      return VSSFILE_CHECKEDOUT_ME;
    }
    status = VSSFILE_CHECKEDOUT;
  }
  return status;
}

bool VSSItemObject::IsDifferent(const std::string& local) {
  // The list's snapshot of the latest content answers for as long as a walk over the list takes;
  // an item kept longer asks the store again.
  if (SnapshotFresh() && FListed->Latest && !local.empty())
    return !FSession->LocalFiles.Holds(local, *FListed->Latest);
  return VSSFileOps::IsDifferent(*FSession, FEntry, FVersion, local);
}

VSSPtr<IVSSItems> VSSItemObject::Items(bool includeDeleted) {
  VSSTree tree = Tree();
  const auto listing = Store().Read([&] { return tree.ListingOf(FEntry, includeDeleted); });
  std::vector<VSSPtr<IVSSItem>> items;
  items.reserve(listing->Children.size());
  for (const VSSEntry& child : listing->Children)
    items.emplace_back(new VSSItemObject(FSession, child, listing->Spec, listing->Folder));
  return VSSPtr<IVSSItems>(new VSSItemsObject(std::move(items)));
}

VSSPtr<IVSSCheckouts> VSSItemObject::Checkouts() {
  std::vector<VSSPtr<IVSSCheckout>> checkouts;
  for (VSSFileOps::CheckoutRow& row : VSSFileOps::CheckoutsOf(Store(), Load().Item))
    checkouts.emplace_back(new VSSCheckoutObject(std::move(row.Record)));
  return VSSPtr<IVSSCheckouts>(new VSSCheckoutsObject(std::move(checkouts)));
}

VSSPtr<IVSSItem> VSSItemObject::Parent() {
  const int64_t parent = Load().Parent;
  return parent ? ItemAt(parent) : VSSPtr<IVSSItem>();
}

VSSPtr<IVSSItems> VSSItemObject::Links() {
  VSSTree tree = Tree();
  std::vector<VSSPtr<IVSSItem>> links;
  Store().Read([&] {
    for (int64_t entry : tree.EntriesOfItem(Load().Item))
      if (tree.IsLive(entry)) links.push_back(ItemAt(entry));
  });
  return VSSPtr<IVSSItems>(new VSSItemsObject(std::move(links)));
}

void VSSItemObject::Get(std::string& local, int32_t flags) { VSSFileOps::Get(*FSession, FEntry, FVersion, local, flags); }

void VSSItemObject::Checkout(const std::string& comment, const std::string& local, int32_t flags) {
  VSSFileOps::Checkout(*FSession, FEntry, comment, local, flags);
}

void VSSItemObject::Checkin(const std::string& comment, const std::string& local, int32_t flags) {
  VSSFileOps::Checkin(*FSession, FEntry, comment, local, flags);
}

void VSSItemObject::UndoCheckout(const std::string& local, int32_t flags) {
  VSSFileOps::UndoCheckout(*FSession, FEntry, local, flags);
}

VSSPtr<IVSSItem> VSSItemObject::Add(const std::string& local, const std::string& comment, int32_t flags) {
  return ItemAt(VSSProjectOps::Add(*FSession, FEntry, local, comment, flags));
}

VSSPtr<IVSSItem> VSSItemObject::NewSubproject(const std::string& name, const std::string& comment) {
  return ItemAt(VSSProjectOps::NewSubproject(*FSession, FEntry, name, comment));
}

void VSSItemObject::Share(IVSSItem* item, const std::string& comment, int32_t flags) {
  auto* source = dynamic_cast<VSSItemObject*>(item);
  if (!source || source->FSession->IniPath != FSession->IniPath)
    throw EVSSAutomation("Only an item of the same database can be shared", VSSError::InvalidOperation);
  VSSProjectOps::Share(*FSession, FEntry, source->FEntry, comment, flags);
}

void VSSItemObject::Destroy() { VSSProjectOps::Destroy(*FSession, FEntry); }

void VSSItemObject::Label(const std::string& label, const std::string& comment) {
  VSSHistory::Label(*FSession, FEntry, label, comment);
}

VSSPtr<IVSSVersions> VSSItemObject::Versions(int32_t flags) { return VSSHistory::Versions(FSession, FEntry, flags); }

VSSPtr<IVSSItem> VSSItemObject::Version(const std::string& versionOrLabel) {
  return ItemAt(FEntry, VSSHistory::FindVersion(*FSession, FEntry, versionOrLabel));
}
