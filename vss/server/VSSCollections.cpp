#include "vss/server/VSSCollections.h"

#include "vss/api/VSSDate.h"
#include "vss/server/VSSItemObject.h"

double VSSCheckoutObject::Date() { return VSSDateFromUnix(FRecord.Date); }

double VSSVersionObject::Date() { return VSSDateFromUnix(FRow.Date); }

VSSPtr<IVSSItem> VSSVersionObject::VSSItem() {
  return VSSPtr<IVSSItem>(new VSSItemObject(FSession, FEntry, FRow.Number));
}

void* VSSVersionObject::Find(const VSSGuid& iid) {
  if (iid == IID_IVSSVersion) return static_cast<IVSSVersion*>(this);
  return VSSObject<IVSSVersion2>::Find(iid);
}

bool VSSVersionsObject::Next(IVSSVersion** version) {
  if (FNext >= FVersions.size()) {
    *version = nullptr;
    return false;
  }
  *version = VSSPtr<IVSSVersion>(FVersions[FNext++]).Detach();
  return true;
}
