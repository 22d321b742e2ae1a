#pragma once
// Writes map data in the layout of the Windows linker's detailed map file: segment table,
// "Publics by Name", "Publics by Value" and one "Line numbers for Unit(File) segment .text" block
// per source file. Lines end with CR LF, as the debug log's lookups expect.
#include <ostream>

#include "addin/diagnostics/mapgen/MapData.h"

namespace mapgen {

void WriteMap(const TMapData& data, std::ostream& out);

// Longest symbol or file name written: the lookups read at most 255 characters past an address or
// a heading's "(", and a name they cannot see the end of would be lost.
constexpr size_t MaxMapName = 240;

} // namespace mapgen
