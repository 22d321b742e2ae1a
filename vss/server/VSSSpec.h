#pragma once
// SourceSafe paths ("$/a/b") and item names. Names keep their case and compare ignoring it; a name
// with characters SourceSafe forbids, "." or "..", or an empty segment is refused.
#include <string>
#include <vector>

namespace VSSSpec {

inline constexpr const char* Root = "$/";

bool ValidName(const std::string& name);
// Raises "... is not a valid SourceSafe name" for a bad name.
void CheckName(const std::string& name);
// The names below the root: "$/" -> {}, "$/a/b/" -> {"a", "b"}. A spec without "$/" is relative to
// `current` (a spec itself). Raises for a malformed spec or a bad name.
std::vector<std::string> Parse(const std::string& spec, const std::string& current = Root);
// {"a", "b"} -> "$/a/b"; {} -> "$/".
std::string Join(const std::vector<std::string>& names);

} // namespace VSSSpec
