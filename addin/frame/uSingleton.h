#pragma once
// Process-wide objects of the add-in. Each singleton class is reached only through `_Instance`, which
// asks the singleton registry; a class may be registered to stand in for one of its base classes, which
// is how one code base serves both IDEs.
#include <string>

#include "platform/Exception.h"
#include "ui/Object.h"

class TSingleton;

class ESingletonError : public Exception {
public:
  using Exception::Exception;
};

// A class reference: the class's name, its parent, and how to construct an instance of it.
struct TSingletonClass {
  const char* Name;
  const TSingletonClass* Parent;           // nullptr for TSingleton itself
  TSingleton* (*Construct)();              // nullptr for TSingleton itself

  // A class inherits from itself and from every class up its parent chain.
  bool InheritsFrom(const TSingletonClass& base) const;
};

// Derives from TObject so that a singleton can be the sender of events and exception reports.
class TSingleton : public TObject {
public:
  static const TSingletonClass& StaticClass();
  virtual const TSingletonClass& ClassType() const { return StaticClass(); }
  // The registered class name (hides the run-time type name, which is the same for these classes).
  std::string ClassName() const { return ClassType().Name; }

  // Singletons are never freed by their clients: this always raises.
  [[noreturn]] void Free();
  // Singletons are never constructed by their clients: this always raises.
  [[noreturn]] static void Create(const TSingletonClass& cls);

protected:
  friend class TSingletonRegistry;
  TSingleton() = default;
  ~TSingleton() override = default;
  TSingleton(const TSingleton&) = delete;
  TSingleton& operator=(const TSingleton&) = delete;

  // Run by the registry right after construction and right before destruction.
  virtual void Init() {}
  virtual void Done() {}
};

// Gives a singleton class `Self` (derived from `Base`) its class reference and the class-level
// operations. `Self` names itself with `static constexpr char SingletonName[]`, keeps its constructor
// protected and befriends its TSingletonOf base, so that only the registry constructs it.
template <class Self, class Base = TSingleton>
class TSingletonOf : public Base {
public:
  static const TSingletonClass& StaticClass();
  const TSingletonClass& ClassType() const override { return StaticClass(); }

  // The one instance that serves requests for `Self`: an instance of `Self` or of the class
  // registered to stand in for it.
  static Self& _Instance();
  [[noreturn]] static void Create() { TSingleton::Create(StaticClass()); }
  // Registers `Self` to serve the requests for `base`.
  static void RegisterAs(const TSingletonClass& base);

private:
  static TSingleton* Construct() { return new Self(); }
};

#include "addin/frame/uSingletonRegistry.h"

template <class Self, class Base>
const TSingletonClass& TSingletonOf<Self, Base>::StaticClass() {
  static const TSingletonClass cls{Self::SingletonName, &Base::StaticClass(), &Construct};
  return cls;
}

template <class Self, class Base>
Self& TSingletonOf<Self, Base>::_Instance() {
  return dynamic_cast<Self&>(TSingletonRegistry::Instance().GetInstance(StaticClass()));
}

template <class Self, class Base>
void TSingletonOf<Self, Base>::RegisterAs(const TSingletonClass& base) {
  TSingletonRegistry::Instance().Register(StaticClass(), base);
}
