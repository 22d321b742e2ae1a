#include "platform/TypeName.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace platform {

std::string DemangledName(const char* mangled) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    &std::free);
  return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

std::string TypeName(const std::type_info& type) { return DemangledName(type.name()); }

} // namespace platform
