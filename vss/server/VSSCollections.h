#pragma once
// The collections and records items hand out: child lists, check-outs and histories. Each is a
// snapshot taken when it was asked for.
#include <memory>
#include <string>
#include <vector>

#include "vss/api/VSSErrors.h"
#include "vss/api/VSSInterfaces.h"
#include "vss/server/VSSObject.h"
#include "vss/server/VSSTree.h"

// A 1-based list of objects (IVSSItems, IVSSCheckouts).
template <class Collection, class Element>
class VSSListObject : public VSSObject<Collection> {
public:
  explicit VSSListObject(std::vector<VSSPtr<Element>> elements) : FElements(std::move(elements)) {}
  int32_t Count() override { return static_cast<int32_t>(FElements.size()); }
  VSSPtr<Element> Item(int32_t index) override {
    if (index < 1 || index > Count())
      throw EVSSAutomation("Invalid index " + std::to_string(index), VSSError::BadIndex);
    return FElements[static_cast<size_t>(index - 1)];
  }

private:
  std::vector<VSSPtr<Element>> FElements;
};

using VSSItemsObject = VSSListObject<IVSSItems, IVSSItem>;
using VSSCheckoutsObject = VSSListObject<IVSSCheckouts, IVSSCheckout>;

struct VSSCheckoutRecord {
  std::string Username, LocalSpec, Machine, Project, Comment;
  int64_t Date = 0;
  int32_t VersionNumber = 0;
};

class VSSCheckoutObject : public VSSObject<IVSSCheckout> {
public:
  explicit VSSCheckoutObject(VSSCheckoutRecord record) : FRecord(std::move(record)) {}
  std::string Username() override { return FRecord.Username; }
  double Date() override;
  std::string LocalSpec() override { return FRecord.LocalSpec; }
  std::string Machine() override { return FRecord.Machine; }
  std::string Project() override { return FRecord.Project; }
  std::string Comment() override { return FRecord.Comment; }
  int32_t VersionNumber() override { return FRecord.VersionNumber; }

private:
  VSSCheckoutRecord FRecord;
};

// One history entry; `entry` is the item it shows (the file, or the project that carries a label).
class VSSVersionObject : public VSSObject<IVSSVersion2> {
public:
  VSSVersionObject(std::shared_ptr<VSSSession> session, int64_t entry, VSSVersionRow row)
      : FSession(std::move(session)), FEntry(entry), FRow(std::move(row)) {}
  std::string Username() override { return FRow.User; }
  int32_t VersionNumber() override { return FRow.Number; }
  std::string Action() override { return FRow.Action; }
  double Date() override;
  std::string Comment() override { return FRow.Comment; }
  std::string Label() override { return FRow.Label; }
  VSSPtr<IVSSItem> VSSItem() override;
  std::string LabelComment() override { return FRow.LabelComment; }

protected:
  void* Find(const VSSGuid& iid) override;

private:
  std::shared_ptr<VSSSession> FSession;
  int64_t FEntry;
  VSSVersionRow FRow;
};

class VSSVersionsObject : public VSSObject<IVSSVersions> {
public:
  explicit VSSVersionsObject(std::vector<VSSPtr<IVSSVersion>> versions) : FVersions(std::move(versions)) {}
  void Reset() override { FNext = 0; }
  bool Next(IVSSVersion** version) override;

private:
  std::vector<VSSPtr<IVSSVersion>> FVersions;
  size_t FNext = 0;
};
