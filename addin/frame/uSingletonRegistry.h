#pragma once
// The one registry of singletons per process: it creates each singleton on first request, resolves
// requests for a class to the class registered in its place, and destroys the singletons newest
// first when the library is unloaded. Class names are compared ignoring case.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct TSingletonClass;
class TSingleton;

class TSingletonRegistry {
public:
  TSingletonRegistry() = default;
  ~TSingletonRegistry();   // destroys every instance, newest first
  TSingletonRegistry(const TSingletonRegistry&) = delete;
  TSingletonRegistry& operator=(const TSingletonRegistry&) = delete;

  // The process-wide registry, created on first use and destroyed at unload.
  static TSingletonRegistry& Instance();

  // The instance for `cls` (after resolving registrations), created on first request.
  TSingleton& GetInstance(const TSingletonClass& cls);
  // Requests for `base` are from now on served by `replacement`; raises ESingletonError when
  // `replacement` does not inherit from `base`.
  void Register(const TSingletonClass& replacement, const TSingletonClass& base);
  // The class that serves requests for `cls`, following chains of registrations.
  const TSingletonClass& Resolve(const TSingletonClass& cls) const;

private:
  struct TInstanceEntry {
    std::string Name;
    TSingleton* Instance;
  };
  struct TRegistrationEntry {
    std::string Name;    // base class name
    std::string Value;   // replacement class name
    const TSingletonClass* Class;
  };
  std::vector<TInstanceEntry> FInstances;         // in order of creation
  std::vector<TRegistrationEntry> FRegistrations; // in order of registration
  // The instance each class asked for has been served by, until the next registration: lists
  // ask for their factories once an item.
  std::unordered_map<const TSingletonClass*, TSingleton*> FServed;
};
