#include "addin/settings/uRegOptions.h"

#include <ctime>

#include "addin/frame/uRVLGlobals.h"

namespace {
// Day number of 1 January 1970.
constexpr int UnixEpochDayNumber = 25569;
} // namespace

int DateToDayNumber(std::chrono::sys_days Date) {
  return static_cast<int>(Date.time_since_epoch().count()) + UnixEpochDayNumber;
}

std::chrono::sys_days Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  using namespace std::chrono;
  return sys_days{year{local.tm_year + 1900} / month{unsigned(local.tm_mon + 1)} / day{unsigned(local.tm_mday)}};
}

bool TRegOptions::GetSyncOnOpen() { return FRegistry->ReadBool(Globals().SyncOnOpenValue, false); }
void TRegOptions::SetSyncOnOpen(bool Value) { FRegistry->WriteBool(Globals().SyncOnOpenValue, Value); }
bool TRegOptions::GetSyncOnClose() { return FRegistry->ReadBool(Globals().SyncOnCloseValue, false); }
void TRegOptions::SetSyncOnClose(bool Value) { FRegistry->WriteBool(Globals().SyncOnCloseValue, Value); }

// The host's read-only text viewer stands in for the system's plain-text editor, so the default works
// wherever the IDE does.
std::string TRegOptions::GetAsciiViewer() {
  return FRegistry->ReadString(Globals().AsciiViewerValue, "ravelin-view");
}
void TRegOptions::SetAsciiViewer(const std::string& Value) {
  FRegistry->WriteString(Globals().AsciiViewerValue, Value);
}

std::string TRegOptions::GetDifferenceViewer() {
  return FRegistry->ReadString(Globals().DifferenceViewerValue, "");
}
void TRegOptions::SetDifferenceViewer(const std::string& Value) {
  FRegistry->WriteString(Globals().DifferenceViewerValue, Value);
}

int TRegOptions::GetShortCut(int Index) {
  return FRegistry->ReadInteger("ShortCut" + std::to_string(Index), 0);
}
void TRegOptions::SetShortCut(int Index, int ShortCut) {
  FRegistry->WriteInteger("ShortCut" + std::to_string(Index), ShortCut & 0xFFFF);
}

void TRegOptions::SetLastCheck(std::chrono::sys_days Date) {
  FRegistry->WriteInteger("LastCheck", DateToDayNumber(Date));
}

bool TRegOptions::IsUpdateCheckDue() {
  const int every = GetCheckEvery();
  return every > 0 && every <= DateToDayNumber(Today()) - GetLastCheck();
}

std::unique_ptr<TFlags> TRegOptions::GetFlags() {
  auto flags = std::make_unique<TFlags>();
  flags->ReadOnlyFlag = GetUseReadOnly();
  flags->UnchangedFlag = GetUnchangedFiles();
  flags->CompareFlag = GetCompareFiles();
  flags->ReplaceFlag = GetReplaceFiles();
  flags->SetTimeFlag = GetSetTimeFiles();
  return flags;
}

void TRegOptions::SetFlags(const TFlags& Flags) {
  SetUseReadOnly(Flags.ReadOnlyFlag);
  SetUnchangedFiles(Flags.UnchangedFlag);
  SetCompareFiles(Flags.CompareFlag);
  SetReplaceFiles(Flags.ReplaceFlag);
  SetSetTimeFiles(Flags.SetTimeFlag);
}
