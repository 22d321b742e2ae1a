#pragma once
// Reads the public symbols and the DWARF line table of a built ELF module (shared library or
// position-independent program) into map data.
#include <string>

#include "addin/diagnostics/mapgen/MapData.h"

namespace mapgen {

// `sourceRoot` (may be empty) is cut from the front of source file names below it.
// Throws std::runtime_error with a readable message when the file is not a readable ELF module.
TMapData ReadModule(const std::string& fileName, const std::string& sourceRoot);

} // namespace mapgen
