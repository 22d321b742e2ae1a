#pragma once
// Holds one counted reference to an automation object and releases it when it goes.
#include <utility>

#include "vss/api/VSSGuid.h"

template <class T>
class VSSPtr {
public:
  VSSPtr() = default;
  VSSPtr(std::nullptr_t) {}
  // Takes over a reference the caller already owns (a new object, or one a call returned).
  explicit VSSPtr(T* adopted) : FPtr(adopted) {}
  // Adds a reference of its own to an object somebody else holds.
  static VSSPtr Share(T* object) {
    if (object) object->AddRef();
    return VSSPtr(object);
  }

  VSSPtr(const VSSPtr& other) : FPtr(other.FPtr) {
    if (FPtr) FPtr->AddRef();
  }
  VSSPtr(VSSPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  template <class U>
  VSSPtr(VSSPtr<U>&& other) noexcept : FPtr(other.Detach()) {}
  VSSPtr& operator=(VSSPtr other) noexcept {
    std::swap(FPtr, other.FPtr);
    return *this;
  }
  ~VSSPtr() { Reset(); }

  T* Get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  T& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }

  // Gives up the reference without releasing it.
  T* Detach() noexcept { return std::exchange(FPtr, nullptr); }
  void Reset(T* adopted = nullptr) noexcept {
    T* old = std::exchange(FPtr, adopted);
    if (old) old->Release();
  }
  // For out-parameters (IVSSVersions::Next): releases what is held and lends the slot.
  T** Out() noexcept {
    Reset();
    return &FPtr;
  }

  // Asks the object for another interface by its identifier (U::IID); empty when refused.
  template <class U>
  VSSPtr<U> Query() const {
    void* result = nullptr;
    if (FPtr && FPtr->QueryInterface(U::IID, &result)) return VSSPtr<U>(static_cast<U*>(result));
    return VSSPtr<U>();
  }

private:
  T* FPtr = nullptr;
};
