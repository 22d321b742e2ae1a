#pragma once
// What a map file holds: the code segment, the public symbols and the line-number table of one
// module, with every address given as its offset in the loaded module minus 4096 (where the code
// segment starts in a module laid out by the Windows linker, which the debug log's lookups expect).
#include <cstdint>
#include <string>
#include <vector>

namespace mapgen {

struct TMapPublic {
  uint32_t Address;
  std::string Name;   // demangled
};

struct TMapLine {
  uint32_t Address;
  int Line;
  std::string File;   // relative to the source root when it lies below it
};

struct TMapData {
  uint32_t TextStart = 0;
  uint32_t TextLength = 0;
  std::vector<TMapPublic> Publics;   // in address order
  std::vector<TMapLine> Lines;       // one entry per address, in address order
};

// The distance between a module offset and its map address.
constexpr uint32_t MapAddressBias = 4096;

} // namespace mapgen
