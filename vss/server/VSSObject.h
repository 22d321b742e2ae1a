#pragma once
// Reference counting and interface lookup shared by every automation object of the server.
#include <atomic>
#include <cstdint>

#include "vss/api/VSSGuid.h"

template <class Interface>
class VSSObject : public Interface {
public:
  uint32_t AddRef() override { return ++FReferences; }
  uint32_t Release() override {
    const uint32_t left = --FReferences;
    if (left == 0) delete this;
    return left;
  }
  bool QueryInterface(const VSSGuid& iid, void** object) override {
    *object = Find(iid);
    if (*object) AddRef();
    return *object != nullptr;
  }

protected:
  // The interface pointer for `iid`, or nullptr; objects with more interfaces extend it.
  virtual void* Find(const VSSGuid& iid) {
    if (iid == IID_IVSSUnknown || iid == Interface::IID) return static_cast<Interface*>(this);
    return nullptr;
  }

private:
  std::atomic<uint32_t> FReferences{1};
};
