#pragma once
// Registry subtrees as text, in the "Windows Registry Editor Version 5.00" file format: how keys are
// exported to a file and imported back.
#include "platform/Registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One "[HKEY_...\path]" section: a key and the values written into it, in file order.
struct RegFileSection {
  Hive KeyHive = Hive::CurrentUser;
  std::string Path;
  std::vector<RegValue> Values;
};

// The file text of a key and everything below it (subkeys after their parent, in creation order).
// False with `error` set when the key is missing or holds a value the format can't carry.
bool ExportRegistryText(Hive hive, const std::string& path, std::string& text, std::string& error);
// Reads a file's text (CRLF and a UTF-8 byte-order mark allowed); false with "line N: ..." in
// `error` when any of it is malformed.
bool ParseRegistryText(std::string_view text, std::vector<RegFileSection>& sections, std::string& error);
// Creates the sections' keys and writes their values.
bool ImportRegistrySections(const std::vector<RegFileSection>& sections, std::string& error);

} // namespace platform
