#include "addin/diagnostics/uRVLExceptionHandler.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <string_view>
#include <typeinfo>

#include <QApplication>

#include "addin/diagnostics/uFrmScanDebug.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegRVL.h"
#include "platform/Exception.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/TypeName.h"
#include "vss/api/VSSErrors.h"

namespace {

// Where the code segment starts in a module laid out by the Windows linker; the map's addresses are
// relative to it.
constexpr uintptr_t CodeSegmentStart = 4096;

struct TModule {
  std::string FileName;   // full path
  uintptr_t Base = 0;
};

// The loaded module holding `address`; false when it lies in none.
bool ModuleOf(const void* address, TModule& module) {
  Dl_info info{};
  if (!address || dladdr(address, &info) == 0 || !info.dli_fbase) return false;
  module.Base = reinterpret_cast<uintptr_t>(info.dli_fbase);
  module.FileName = info.dli_fname ? info.dli_fname : "";
  // The main program may be reported without a name.
  if (module.FileName.empty()) {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) module.FileName.assign(path, size_t(length));
  }
  return true;
}

// The module this code was linked into: the add-in's own.
const TModule& OwnModule() {
  static const TModule own = [] {
    TModule module;
    ModuleOf(reinterpret_cast<const void*>(&OwnModule), module);
    return module;
  }();
  return own;
}

// The raise address this project's exceptions record; others carry none.
const void* RaiseAddressOf(const std::exception& e) {
  auto* own = dynamic_cast<const Exception*>(&e);
  return own ? own->Address() : nullptr;
}

std::string Hex8(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
  return text;
}

// The system's short date and long time.
std::string DateTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, "%x %X", &local));
}

bool IsMapHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Finds the map entry nearest at or below `offset`: the first place where `offset` is written as
// eight upper-case hex digits, else the first place of offset - 1, and so on down to 1 (an offset of
// 1 or less is only looked for itself). Done in one pass over the text: every run of eight hex
// digits is a candidate, and the highest candidate value wins at its first place. npos: none.
size_t FindCandidate(std::string_view text, int32_t offset) {
  size_t best = std::string_view::npos;
  int32_t bestValue = 0;
  uint32_t window = 0;
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (!IsMapHexDigit(c)) {
      run = 0;
      continue;
    }
    window = (window << 4) | uint32_t(c <= '9' ? c - '0' : c - 'A' + 10);
    if (++run < 8) continue;
    int32_t value = int32_t(window);
    bool tried = value == offset || (offset > 1 && value >= 1 && value < offset);
    if (tried && (best == std::string_view::npos || value > bestValue)) {
      best = i - 7;
      bestValue = value;
      if (value == offset) break;   // nothing can beat the offset itself
    }
  }
  return best;
}

} // namespace

TRVLExceptionHandler::TRVLExceptionHandler() = default;
TRVLExceptionHandler::~TRVLExceptionHandler() = default;

void TRVLExceptionHandler::Init() {
  TSingletonOf::Init();
  FModuleName = platform::ExtractFileName(OwnModule().FileName);
  FScanForm = TRVLFormFactory::_Instance().CreateScanDebug();

  std::string folder = TRVLRegFactory::_Instance().CreateRegRVL()->GetInstallPath();
  if (!folder.empty()) platform::ForceDirectories(folder);
  // Without a usable installation folder, log and map live in the home folder.
  if (folder.empty() || !platform::DirectoryExists(folder)) folder = platform::HomeDirectory();
  folder = platform::IncludeTrailingPathDelimiter(folder);

  FLogFileName = folder + "RVLDebug.txt";
  // The log's only size limit: checked once per start-up, and then deleted rather than trimmed.
  if (platform::FileSize(FLogFileName) > MaxLogSize) platform::DeleteFile(FLogFileName);

  FMapFileName = folder + platform::ChangeFileExt(FModuleName, ".map");
  auto map = std::make_unique<std::ifstream>(FMapFileName, std::ios::binary);
  if (map->is_open()) FMapStream = std::move(map);

  // Taken over last: should anything above fail, the registry drops this handler without Done, and
  // the event must not be left pointing at it.
  FOldOnException = Application().OnException();
  Application().SetOnException([this](TObject* sender, const std::exception& e) { HandleException(sender, e); });
}

void TRVLExceptionHandler::Done() {
  FMapStream.reset();
  // At process exit the Qt application, the screen and every window may be gone already; then
  // there is no window left to free and no event left to restore.
  if (qApp) {
    FScanForm.reset();
    Application().SetOnException(FOldOnException);
  } else {
    (void)FScanForm.release();
  }
  TSingletonOf::Done();
}

std::string TRVLExceptionHandler::GetExceptionModule(const std::exception& E) const {
  const void* address = RaiseAddressOf(E);
  if (!address) return "";
  TModule module;
  if (!ModuleOf(address, module)) module = OwnModule();
  return platform::ExtractFileName(module.FileName).substr(0, 260);
}

void TRVLExceptionHandler::HandleException(TObject* Sender, const std::exception& E) {
  bool detailed = false;
  if (platform::TypeName(typeid(E)) != "ERVLException") {
    const std::string message = platform::FoldCase(E.what());
    detailed = platform::SameText(GetExceptionModule(E), FModuleName) ||
               message.find(platform::FoldCase(FModuleName)) != std::string::npos;
  }
  std::string unitText;
  if (detailed && Sender) {
    // The module that holds the sender class's type information is what the run-time keeps of
    // where the class was declared.
    Dl_info info{};
    if (dladdr(&typeid(*Sender), &info) != 0 && info.dli_fname && *info.dli_fname)
      unitText = "Unit: " + platform::ExtractFileName(info.dli_fname);
  }
  LogException(Sender, E, unitText, detailed);
  if (const auto* automation = dynamic_cast<const EVSSAutomation*>(&E);
      automation && automation->ErrorCode() == VSSError::DatabaseCorrupt) {
    if (FShownDamage == E.what()) return;
    FShownDamage = E.what();
  }
  if (FOldOnException)
    FOldOnException(Sender, E);
  else
    Application().ShowException(E);
}

void TRVLExceptionHandler::LogException(TObject* Sender, const std::exception& E, const std::string& UnitText,
                                        bool Detailed) {
  try {
    const uintptr_t address = reinterpret_cast<uintptr_t>(RaiseAddressOf(E));
    // The offset is computed in 32 bits, as the map's addresses are; below the code it wraps.
    const int32_t offset = int32_t(uint32_t(address - OwnModule().Base - CodeSegmentStart));
    const std::string label = Detailed ? "RVLAdress" : "Adress";
    const std::string addressText = Detailed ? Hex8(uint32_t(offset)) : Hex8(address);
    WriteLogLine(DateTimeNow() + " ==> " + E.what() + "\r\n   ==> Sender Class: " + ::ClassName(Sender) +
                 "   Sender Name: " + ::ComponentName(Sender) + "   Exception: " + platform::TypeName(typeid(E)) +
                 "\r\n   ==> " + UnitText + " " + label + ":" + addressText);
    std::string lineInfo, functionName;
    if (Detailed && FScanForm) {
      FScanForm->ShowScanning(E.what());
      FScanForm->repaint();
      try {
        FindAddress(offset, lineInfo, functionName);
      } catch (...) {
        FScanForm->hide();
        throw;
      }
      FScanForm->hide();
    }
    WriteLogLine("   ==> Adress Details: (" + lineInfo + ") Function: " + functionName);
    WriteLogLine(std::string(42, '-'));
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TRVLExceptionHandler::WriteLogLine(const std::string& Line) {
  std::ofstream log(FLogFileName, std::ios::binary | std::ios::app);
  if (!log) throw Exception("Cannot open " + FLogFileName + ": " + std::strerror(errno));
  log << Line << "\r\n";
  log.close();
  if (log.fail()) throw Exception("Cannot write " + FLogFileName);
}

std::string TRVLExceptionHandler::ReadMapSection(int64_t from, int64_t to) {
  FMapStream->clear();
  FMapStream->seekg(0, std::ios::end);
  const int64_t size = FMapStream->tellg();
  if (to < 0 || to > size) to = size;
  if (from >= to) return "";
  std::string text(size_t(to - from), '\0');
  FMapStream->seekg(from);
  FMapStream->read(text.data(), std::streamsize(text.size()));
  text.resize(size_t(FMapStream->gcount()));
  return text;
}

bool TRVLExceptionHandler::FindAddress(int32_t Offset, std::string& LineInfo, std::string& FunctionName) {
  LineInfo.clear();
  FunctionName.clear();
  if (!FMapStream) return false;
  const std::string text = ReadMapSection(0, -1);
  // 1-based positions, used as file offsets from here on.
  auto position = [&text](const char* heading) -> int64_t {
    size_t found = text.find(heading);
    return found == std::string::npos ? 0 : int64_t(found) + 1;
  };
  const int64_t publicsPos = position("Publics by Value");
  const int64_t linesPos = position("Line numbers");
  if (linesPos > 0) LineInfo = FindLineInfo(linesPos, Offset);
  if (publicsPos > 0) FunctionName = FindFunction(publicsPos, linesPos, Offset);
  return !LineInfo.empty() || !FunctionName.empty();
}

std::string TRVLExceptionHandler::FindFunction(int64_t SectionPos, int64_t EndPos, int32_t Offset) {
  // Without a line-number section after it, the publics run to the end of the file.
  const std::string section = ReadMapSection(SectionPos, EndPos > SectionPos ? EndPos : -1);
  const size_t match = FindCandidate(section, Offset);
  if (match == std::string::npos || match + 9 > section.size()) return "";
  std::string_view rest = std::string_view(section).substr(match + 9, 255);
  rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
  const size_t end = rest.find('\r');
  return end == std::string_view::npos ? "" : std::string(rest.substr(0, end));
}

std::string TRVLExceptionHandler::FindLineInfo(int64_t SectionPos, int32_t Offset) {
  const std::string section = ReadMapSection(SectionPos, -1);
  const size_t match = FindCandidate(section, Offset);
  if (match == std::string::npos) return "";
  // An entry is the line number right-aligned in six characters, a blank, "0001:" and the address.
  const std::string lineNumber = match >= 12 ? platform::Trim(section.substr(match - 12, 7)) : "";
  // The block's heading names the unit and, in parentheses, its source file. The search stops at
  // that heading: an earlier block's file would name the wrong source.
  const size_t heading = section.rfind("Line numbers", match);
  const size_t blockStart = heading == std::string::npos ? 0 : heading;
  for (size_t open = section.rfind('(', match); open != std::string::npos && open >= blockStart;
       open = open == 0 ? std::string::npos : section.rfind('(', open - 1)) {
    const std::string text = section.substr(open >= 2 ? open - 2 : 0, 255);
    const size_t first = text.find('('), close = text.find(')');
    if (close != std::string::npos && close > first + 1)
      return "Unit: " + text.substr(first + 1, close - first - 1) + " Line: " + lineNumber;
  }
  return "";
}
