#pragma once
// Environment variables of this process, inherited by the programs it starts.
#include <string>

namespace platform {

std::string GetEnv(const std::string& name);   // empty when unset
void SetEnv(const std::string& name, const std::string& value);

} // namespace platform
