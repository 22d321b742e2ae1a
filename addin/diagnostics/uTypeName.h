#pragma once
// Readable C++ type names ("ERVLException", "std::runtime_error") from the run-time type information.
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <string>
#include <typeinfo>

inline std::string DemangledName(const char* mangled) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    &std::free);
  return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

inline std::string TypeName(const std::type_info& type) { return DemangledName(type.name()); }
