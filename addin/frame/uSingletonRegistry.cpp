#include "addin/frame/uSingletonRegistry.h"

#include <cstdio>
#include <exception>

#include "addin/frame/uSingleton.h"
#include "platform/Text.h"

TSingletonRegistry::~TSingletonRegistry() {
  while (!FInstances.empty()) {
    TSingleton* instance = FInstances.back().Instance;
    FInstances.pop_back();
    FServed.clear();
    // The library is going away: a singleton that fails to finish must not stop the others.
    try {
      instance->Done();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s could not finish: %s\n", instance->ClassName().c_str(), e.what());
    }
    delete instance;
  }
}

TSingletonRegistry& TSingletonRegistry::Instance() {
  static TSingletonRegistry registry;
  return registry;
}

const TSingletonClass& TSingletonRegistry::Resolve(const TSingletonClass& cls) const {
  const TSingletonClass* current = &cls;
  for (;;) {
    const TRegistrationEntry* found = nullptr;
    for (const TRegistrationEntry& entry : FRegistrations)
      if (platform::SameText(entry.Name, current->Name)) {
        found = &entry;
        break;
      }
    if (!found || platform::SameText(found->Class->Name, current->Name)) return *current;
    // Registration requires inheritance, so a chain only ever moves down the class tree and ends.
    current = found->Class;
  }
}

TSingleton& TSingletonRegistry::GetInstance(const TSingletonClass& cls) {
  if (const auto served = FServed.find(&cls); served != FServed.end()) return *served->second;
  const TSingletonClass& resolved = Resolve(cls);
  for (const TInstanceEntry& entry : FInstances)
    if (platform::SameText(entry.Name, resolved.Name)) return *(FServed[&cls] = entry.Instance);
  TSingleton* instance = resolved.Construct();
  try {
    instance->Init();
  } catch (...) {
    delete instance;
    throw;
  }
  FInstances.push_back({resolved.Name, instance});
  return *(FServed[&cls] = instance);
}

void TSingletonRegistry::Register(const TSingletonClass& replacement, const TSingletonClass& base) {
  const std::string name = replacement.Name, baseName = base.Name;
  if (!replacement.InheritsFrom(base))
    throw ESingletonError(name + " Tried to register as" + baseName + ", But " + name +
                          " does not inherit from " + baseName + "!");
  FRegistrations.push_back({baseName, name, &replacement});
  FServed.clear();
}
