#pragma once
// The user's options: synchronisation, viewers, menu shortcuts, SourceSafe flags, hints, editor
// integration, update checks and the masks of files never checked in.
#include <chrono>
#include <memory>

#include "addin/settings/uFlags.h"
#include "addin/settings/uReg.h"

// Dates are kept as day numbers: whole days since 30 December 1899.
int DateToDayNumber(std::chrono::sys_days Date);
// Today's date in local time.
std::chrono::sys_days Today();

class TRegOptions : public TReg {
public:
  static constexpr char ClassName[] = "TRegOptions";
  TRegOptions() : TReg(ClassName) {}

  virtual bool GetSyncOnOpen();
  virtual void SetSyncOnOpen(bool Value);
  virtual bool GetSyncOnClose();
  virtual void SetSyncOnClose(bool Value);
  virtual std::string GetAsciiViewer();
  virtual void SetAsciiViewer(const std::string& Value);
  // Empty: the built-in difference viewer.
  virtual std::string GetDifferenceViewer();
  virtual void SetDifferenceViewer(const std::string& Value);
  // Shortcut codes of the four menu commands that can have one; 0 means none.
  virtual int GetShortCut(int Index);
  virtual void SetShortCut(int Index, int ShortCut);
  virtual int GetUseReadOnly() { return FRegistry->ReadInteger("UseReadOnly", 2); }
  virtual void SetUseReadOnly(int Value) { FRegistry->WriteInteger("UseReadOnly", Value); }
  virtual int GetUnchangedFiles() { return FRegistry->ReadInteger("UnchangedFiles", 0); }
  virtual void SetUnchangedFiles(int Value) { FRegistry->WriteInteger("UnchangedFiles", Value); }
  virtual int GetCompareFiles() { return FRegistry->ReadInteger("CompareFiles", 0); }
  virtual void SetCompareFiles(int Value) { FRegistry->WriteInteger("CompareFiles", Value); }
  virtual int GetReplaceFiles() { return FRegistry->ReadInteger("ReplaceFiles", 0); }
  virtual void SetReplaceFiles(int Value) { FRegistry->WriteInteger("ReplaceFiles", Value); }
  virtual int GetSetTimeFiles() { return FRegistry->ReadInteger("SetTimeFiles", 0); }
  virtual void SetSetTimeFiles(int Value) { FRegistry->WriteInteger("SetTimeFiles", Value); }
  virtual bool GetShowHints() { return FRegistry->ReadBool("ShowHints", true); }
  virtual void SetShowHints(bool Value) { FRegistry->WriteBool("ShowHints", Value); }
  virtual bool GetUseEI() { return FRegistry->ReadBool("UseEI", true); }
  virtual void SetUseEI(bool Value) { FRegistry->WriteBool("UseEI", Value); }
  // Day number of the last update check.
  virtual int GetLastCheck() { return FRegistry->ReadInteger("LastCheck", 0); }
  virtual void SetLastCheck(std::chrono::sys_days Date);
  // Days between update checks; 0 or less means never.
  virtual int GetCheckEvery() { return FRegistry->ReadInteger("CheckEvery", 0); }
  virtual void SetCheckEvery(int Value) { FRegistry->WriteInteger("CheckEvery", Value); }
  virtual bool IsUpdateCheckDue();
  virtual bool GetPopupComment() { return FRegistry->ReadBool("PopupComment", false); }
  virtual void SetPopupComment(bool Value) { FRegistry->WriteBool("PopupComment", Value); }
  virtual bool GetAutoCheckComment() { return FRegistry->ReadBool("AutoCheckComment", false); }
  virtual void SetAutoCheckComment(bool Value) { FRegistry->WriteBool("AutoCheckComment", Value); }
  virtual std::vector<std::string> LoadDontCheckIn() { return ReadLines("DontCheckIn"); }
  virtual void SaveDontCheckIn(const std::vector<std::string>& List) { WriteLines("DontCheckIn", List); }
  // The stored SourceSafe flags; the extra fields are 0.
  virtual std::unique_ptr<TFlags> GetFlags();
  virtual void SetFlags(const TFlags& Flags);
};
