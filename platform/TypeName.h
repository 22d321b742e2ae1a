#pragma once
// Readable C++ type and symbol names ("ERVLException", "std::runtime_error") from mangled ones.
#include <string>
#include <typeinfo>

namespace platform {

// The demangled form of a mangled name, or the name itself when it isn't one.
std::string DemangledName(const char* mangled);
std::string TypeName(const std::type_info& type);

} // namespace platform
