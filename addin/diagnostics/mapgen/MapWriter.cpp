#include "addin/diagnostics/mapgen/MapWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

namespace mapgen {
namespace {

constexpr const char* CRLF = "\r\n";

std::string Address(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0001:%08X", address);
  return text;
}

std::string PublicRow(const TMapPublic& p) {
  std::string name = p.Name.size() > MaxMapName ? p.Name.substr(0, MaxMapName - 3) + "..." : p.Name;
  return " " + Address(p.Address) + "       " + name + CRLF;
}

void WritePublics(const std::vector<TMapPublic>& publics, const char* title, std::ostream& out) {
  out << CRLF << CRLF << "  Address         " << title << CRLF << CRLF;
  for (const TMapPublic& p : publics) out << PublicRow(p);
}

// One block per source file, blocks in the order of their first address; four entries a row.
void WriteLines(const std::vector<TMapLine>& lines, std::ostream& out) {
  std::map<std::string, std::vector<const TMapLine*>> byFile;
  for (const TMapLine& l : lines) byFile[l.File].push_back(&l);
  std::vector<const std::vector<const TMapLine*>*> blocks;
  for (auto& [file, entries] : byFile) blocks.push_back(&entries);
  std::sort(blocks.begin(), blocks.end(), [](auto* a, auto* b) { return a->front()->Address < b->front()->Address; });
  for (auto* block : blocks) {
    std::string file = block->front()->File;
    // The lookup reads a heading's file name within 255 characters; keep the end of a longer one.
    if (file.size() > MaxMapName) file = "..." + file.substr(file.size() - MaxMapName + 3);
    out << CRLF << CRLF << "Line numbers for " << std::filesystem::path(file).stem().string() << "(" << file
        << ") segment .text" << CRLF << CRLF;
    for (size_t i = 0; i < block->size(); ++i) {
      char entry[32];
      std::snprintf(entry, sizeof entry, "%6d %s", (*block)[i]->Line, Address((*block)[i]->Address).c_str());
      out << entry;
      if (i % 4 == 3 || i + 1 == block->size()) out << CRLF;
    }
  }
}

} // namespace

void WriteMap(const TMapData& data, std::ostream& out) {
  char segment[80];
  std::snprintf(segment, sizeof segment, " %s %08XH .text                   CODE", Address(data.TextStart).c_str(),
                data.TextLength);
  out << CRLF << " Start         Length     Name                   Class" << CRLF << segment << CRLF;
  std::vector<TMapPublic> byName = data.Publics;
  std::stable_sort(byName.begin(), byName.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
  WritePublics(byName, "Publics by Name", out);
  WritePublics(data.Publics, "Publics by Value", out);
  WriteLines(data.Lines, out);
  out << CRLF;
}

} // namespace mapgen
