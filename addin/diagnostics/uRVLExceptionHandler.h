#pragma once
// The one place where exceptions end. The handler takes over the application's exception event,
// appends a record of every exception to the debug log "RVLDebug.txt" in the installation folder and
// passes the exception on to the handler that was in place before. For a fault in the add-in's own
// module it names the source file, line and function, read from the module's map file.
#include <cstdint>
#include <exception>
#include <fstream>
#include <memory>
#include <string>

#include "addin/diagnostics/uFrmScanDebug.h"
#include "addin/frame/uSingleton.h"
#include "ui/Application.h"

class TRVLExceptionHandler : public TSingletonOf<TRVLExceptionHandler> {
public:
  static constexpr char SingletonName[] = "TRVLExceptionHandler";

  // The report operation: logs `E` and hands it to the previous exception event. Call it while `E`
  // is being handled (inside the catch block). Never throws.
  void HandleException(TObject* Sender, const std::exception& E);
  // File name (without folder) of the module the exception was raised in; empty when `E` carries no
  // raise address. An address outside every loaded module counts as the add-in's own.
  std::string GetExceptionModule(const std::exception& E) const;
  // Writes one five-line record; shows its own failures with an error box instead of raising.
  void LogException(TObject* Sender, const std::exception& E, const std::string& UnitText, bool Detailed);
  void WriteLogLine(const std::string& Line);

  // Map look-ups for a code offset (module offset - 4096): the source file and line, and the
  // nearest public symbol at or below it. True when either was found.
  bool FindAddress(int32_t Offset, std::string& LineInfo, std::string& FunctionName);
  std::string FindLineInfo(int64_t SectionPos, int32_t Offset);
  std::string FindFunction(int64_t SectionPos, int64_t EndPos, int32_t Offset);

  const std::string& ModuleName() const { return FModuleName; }
  // A command the user gives is a new occasion: a damaged database it meets is said again.
  void ForgetShownDamage() { FShownDamage.clear(); }
  const std::string& LogFileName() const { return FLogFileName; }
  const std::string& MapFileName() const { return FMapFileName; }
  TFrmScanDebug* ScanForm() const { return FScanForm.get(); }

  // Largest log kept at start-up; a bigger one is deleted.
  static constexpr int64_t MaxLogSize = 20480;

protected:
  friend TSingletonOf<TRVLExceptionHandler>;
  TRVLExceptionHandler();
  ~TRVLExceptionHandler() override;
  void Init() override;
  void Done() override;

private:
  // The text of the map file from `from` up to `to` (-1: the end).
  std::string ReadMapSection(int64_t from, int64_t to);

  std::string FModuleName;
  // The damaged-database error last shown: every lookup meets the same damage, which is said once.
  std::string FShownDamage;
  TExceptionEvent FOldOnException;
  std::unique_ptr<std::ifstream> FMapStream;   // nullptr when the map could not be opened
  std::string FLogFileName;
  std::string FMapFileName;
  TRVLFormPtr<TFrmScanDebug> FScanForm;
};
