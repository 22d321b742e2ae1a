#pragma once
// The reference-counted base of every interface the IDE and its add-ins hand each other, and the
// holder that pairs AddRef with Release. Interfaces cross library boundaries, so an object is freed
// by its own Release (through its virtual destructor), never by the side that merely holds it.
#include <utility>

// Version of the interfaces published by this IDE.
constexpr int OpenToolsVersion = 3;

class TInterface {
public:
  TInterface() = default;
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;

  // A new object starts with one reference, owned by whoever created it.
  virtual int AddRef() { return ++FRefCount; }
  // Frees the object when the last reference goes; returns the references left.
  virtual int Release() {
    int left = --FRefCount;
    if (left == 0) delete this;
    return left;
  }
  virtual int GetVersion() { return OpenToolsVersion; }

protected:
  virtual ~TInterface() = default;

private:
  int FRefCount = 1;
};

// Holds one reference. Constructing from a raw pointer adopts the reference the caller already
// owns (what every Create…/Get…Interface call returns); Share() takes a new one.
template <class T>
class TIntfPtr {
public:
  TIntfPtr() = default;
  explicit TIntfPtr(T* adopted) noexcept : FPtr(adopted) {}
  static TIntfPtr Share(T* p) {
    if (p) p->AddRef();
    return TIntfPtr(p);
  }
  TIntfPtr(const TIntfPtr& other) : FPtr(other.FPtr) {
    if (FPtr) FPtr->AddRef();
  }
  TIntfPtr(TIntfPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  TIntfPtr& operator=(TIntfPtr other) noexcept {
    std::swap(FPtr, other.FPtr);
    return *this;
  }
  ~TIntfPtr() { Reset(); }

  void Reset() {
    if (FPtr) std::exchange(FPtr, nullptr)->Release();
  }
  // Gives up the reference without releasing it (to return it to a caller).
  T* Detach() noexcept { return std::exchange(FPtr, nullptr); }
  T* Get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  T& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }

private:
  T* FPtr = nullptr;
};
