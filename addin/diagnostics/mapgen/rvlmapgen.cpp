// rvlmapgen: writes the map file of a built module, so that the add-in's debug log can name the
// source line and function of a fault.
//   rvlmapgen [--root SOURCE_FOLDER] MODULE MAPFILE
#include <cstring>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "addin/diagnostics/mapgen/MapReader.h"
#include "addin/diagnostics/mapgen/MapWriter.h"

int main(int argc, char** argv) {
  std::string root;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--root") == 0) {
    root = argv[2];
    first = 3;
  }
  if (argc - first != 2) {
    std::cerr << "usage: rvlmapgen [--root SOURCE_FOLDER] MODULE MAPFILE\n";
    return 2;
  }
  try {
    mapgen::TMapData data = mapgen::ReadModule(argv[first], root);
    std::string target = argv[first + 1];
    std::string temporary = target + ".tmp";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      if (!out) throw std::runtime_error("cannot write " + temporary);
      mapgen::WriteMap(data, out);
      if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) throw std::runtime_error("cannot write " + target);
  } catch (const std::exception& e) {
    std::cerr << "rvlmapgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
