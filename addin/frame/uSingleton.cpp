#include "addin/frame/uSingleton.h"

bool TSingletonClass::InheritsFrom(const TSingletonClass& base) const {
  for (const TSingletonClass* cls = this; cls; cls = cls->Parent)
    if (cls == &base) return true;
  return false;
}

const TSingletonClass& TSingleton::StaticClass() {
  static const TSingletonClass cls{"TSingleton", nullptr, nullptr};
  return cls;
}

void TSingleton::Free() {
  const std::string name = ClassName();
  throw ESingletonError("A Client tried to free " + name + " by using 'Free'. " + name +
                        " is a Singleton and Should not be freed manually!");
}

void TSingleton::Create(const TSingletonClass& cls) {
  const std::string name = cls.Name;
  throw ESingletonError("A Client tried to instantiate " + name + " by calling 'Create' " +
                        "The client should use '" + name + "._Instance'!");
}
