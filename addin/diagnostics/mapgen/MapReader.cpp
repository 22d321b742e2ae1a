#include "addin/diagnostics/mapgen/MapReader.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gelf.h>
#include <dwarf.h>
#include <elfutils/libdw.h>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <unistd.h>

#include "platform/TypeName.h"

namespace mapgen {
namespace {

struct FdCloser {
  int Fd;
  ~FdCloser() { if (Fd >= 0) close(Fd); }
};
struct ElfDeleter { void operator()(Elf* e) const { elf_end(e); } };
struct DwarfDeleter { void operator()(Dwarf* d) const { dwarf_end(d); } };

struct TRange { GElf_Addr Low, High; };

// The module's load base and its executable segments, from the program headers.
struct TLayout {
  GElf_Addr Base = 0;
  std::vector<TRange> Code;

  bool InCode(GElf_Addr a) const {
    return std::any_of(Code.begin(), Code.end(), [a](const TRange& r) { return a >= r.Low && a < r.High; });
  }
  // Only addresses at or above the bias have a map address.
  bool Mappable(GElf_Addr a) const { return InCode(a) && a - Base >= MapAddressBias; }
  uint32_t MapAddress(GElf_Addr a) const { return uint32_t(a - Base - MapAddressBias); }
};

TLayout ReadLayout(Elf* elf) {
  size_t count = 0;
  if (elf_getphdrnum(elf, &count) != 0 || count == 0)
    throw std::runtime_error("it has no program headers (not a linked module)");
  TLayout layout;
  bool first = true;
  for (size_t i = 0; i < count; ++i) {
    GElf_Phdr ph;
    if (!gelf_getphdr(elf, int(i), &ph) || ph.p_type != PT_LOAD) continue;
    GElf_Addr pageStart = ph.p_vaddr & ~GElf_Addr(ph.p_align > 1 ? ph.p_align - 1 : 0);
    if (first || pageStart < layout.Base) layout.Base = pageStart;
    first = false;
    if (ph.p_flags & PF_X) layout.Code.push_back({ph.p_vaddr, ph.p_vaddr + ph.p_memsz});
  }
  if (layout.Code.empty()) throw std::runtime_error("it has no executable segment");
  return layout;
}

// The full symbol table when present, else the dynamic one (a stripped module).
Elf_Scn* FindSymbolTable(Elf* elf) {
  Elf_Scn* dynamic = nullptr;
  for (Elf_Scn* scn = elf_nextscn(elf, nullptr); scn; scn = elf_nextscn(elf, scn)) {
    GElf_Shdr sh;
    if (!gelf_getshdr(scn, &sh)) continue;
    if (sh.sh_type == SHT_SYMTAB) return scn;
    if (sh.sh_type == SHT_DYNSYM) dynamic = scn;
  }
  return dynamic;
}

void ReadPublics(Elf* elf, const TLayout& layout, TMapData& data) {
  Elf_Scn* scn = FindSymbolTable(elf);
  if (!scn) return;
  GElf_Shdr sh;
  gelf_getshdr(scn, &sh);
  Elf_Data* symbols = elf_getdata(scn, nullptr);
  if (!symbols || sh.sh_entsize == 0) return;
  std::set<std::pair<uint32_t, std::string>> publics;   // sorted, and aliases of one name kept once
  for (size_t i = 0; i < sh.sh_size / sh.sh_entsize; ++i) {
    GElf_Sym sym;
    if (!gelf_getsym(symbols, int(i), &sym)) continue;
    if (GELF_ST_TYPE(sym.st_info) != STT_FUNC || sym.st_shndx == SHN_UNDEF) continue;
    const char* name = elf_strptr(elf, sh.sh_link, sym.st_name);
    if (!name || !*name || !layout.Mappable(sym.st_value)) continue;
    publics.emplace(layout.MapAddress(sym.st_value), platform::DemangledName(name));
  }
  for (auto& [address, name] : publics) data.Publics.push_back({address, name});
}

std::string SourceName(const char* file, const char* compDir, const std::string& root) {
  std::filesystem::path path(file);
  if (path.is_relative() && compDir) path = std::filesystem::path(compDir) / path;
  path = path.lexically_normal();
  if (!root.empty()) {
    std::filesystem::path relative = path.lexically_relative(root);
    if (!relative.empty() && *relative.begin() != "..") return relative.generic_string();
  }
  return path.generic_string();
}

void ReadLines(Elf* elf, const TLayout& layout, const std::string& root, TMapData& data) {
  std::unique_ptr<Dwarf, DwarfDeleter> dwarf(dwarf_begin_elf(elf, DWARF_C_READ, nullptr));
  if (!dwarf) return;   // no debug information: the map has publics only
  // Several rows may share an address; the last one describes the code there.
  std::map<uint32_t, std::pair<int, std::string>> byAddress;
  Dwarf_CU* cu = nullptr;
  Dwarf_Die cuDie;
  uint8_t unitType = 0;
  while (dwarf_get_units(dwarf.get(), cu, &cu, nullptr, &unitType, &cuDie, nullptr) == 0) {
    if (unitType != DW_UT_compile && unitType != DW_UT_partial) continue;
    Dwarf_Lines* lines = nullptr;
    size_t count = 0;
    if (dwarf_getsrclines(&cuDie, &lines, &count) != 0) continue;
    Dwarf_Attribute attr;
    const char* compDir = dwarf_formstring(dwarf_attr(&cuDie, DW_AT_comp_dir, &attr));
    for (size_t i = 0; i < count; ++i) {
      Dwarf_Line* line = dwarf_onesrcline(lines, i);
      Dwarf_Addr address = 0;
      int number = 0;
      bool end = false;
      if (!line || dwarf_lineaddr(line, &address) != 0 || dwarf_lineno(line, &number) != 0) continue;
      dwarf_lineendsequence(line, &end);
      const char* file = dwarf_linesrc(line, nullptr, nullptr);
      if (end || number <= 0 || !file || !layout.Mappable(address)) continue;
      byAddress[layout.MapAddress(address)] = {number, SourceName(file, compDir, root)};
    }
  }
  for (auto& [address, entry] : byAddress) data.Lines.push_back({address, entry.first, entry.second});
}

void ReadText(Elf* elf, const TLayout& layout, TMapData& data) {
  size_t names = 0;
  if (elf_getshdrstrndx(elf, &names) != 0) return;
  for (Elf_Scn* scn = elf_nextscn(elf, nullptr); scn; scn = elf_nextscn(elf, scn)) {
    GElf_Shdr sh;
    const char* name = gelf_getshdr(scn, &sh) ? elf_strptr(elf, names, sh.sh_name) : nullptr;
    if (name && std::string(name) == ".text" && layout.Mappable(sh.sh_addr)) {
      data.TextStart = layout.MapAddress(sh.sh_addr);
      data.TextLength = uint32_t(sh.sh_size);
      return;
    }
  }
}

} // namespace

TMapData ReadModule(const std::string& fileName, const std::string& sourceRoot) {
  elf_version(EV_CURRENT);
  FdCloser fd{open(fileName.c_str(), O_RDONLY | O_CLOEXEC)};
  if (fd.Fd < 0) throw std::runtime_error("cannot open " + fileName);
  std::unique_ptr<Elf, ElfDeleter> elf(elf_begin(fd.Fd, ELF_C_READ, nullptr));
  if (!elf || elf_kind(elf.get()) != ELF_K_ELF)
    throw std::runtime_error(fileName + " is not an ELF file");
  TLayout layout;
  try {
    layout = ReadLayout(elf.get());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(fileName + ": " + e.what());
  }
  TMapData data;
  ReadText(elf.get(), layout, data);
  ReadPublics(elf.get(), layout, data);
  ReadLines(elf.get(), layout, sourceRoot, data);
  return data;
}

} // namespace mapgen
