#pragma once
// Process-wide constants of the add-in (product name, registry root, value names, ...) and the few
// process-wide values set later: the IDE's tool services and the open SourceSafe connection's
// credentials. `TRVLB3Globals` holds the C++Builder values.
#include <string>

#include "addin/frame/uSingleton.h"

class TIToolServices;

class TRVLGlobals : public TSingletonOf<TRVLGlobals> {
public:
  static constexpr char SingletonName[] = "TRVLGlobals";

  std::string ProductName;
  std::string Version;
  std::string MenuName;
  std::string ShortName;
  std::string ExplorerExe;
  std::string ExplorerTitle;
  std::string IDEKey;
  std::string RegistryKey;
  int TempNameRange = 0;
  int IdleWait = 0;
  int ExitWait = 0;
  std::string FileFilter;
  std::string ProjectExtensions;
  std::string UserNameValue;
  std::string PasswordValue;
  std::string DatabasesKey;
  std::string SourceSafeKey;
  std::string APICurrentDatabaseValue;
  std::string CurrentDatabaseValue;
  std::string SCCServerPathValue;
  std::string DisableAssocValue;
  std::string SyncOnOpenValue;
  std::string SyncOnCloseValue;
  std::string AsciiViewerValue;
  std::string DifferenceViewerValue;
  std::string ProjectFileName;
  std::string SCPathValue;
  std::string SCDBValue;
  std::string UserName;
  std::string Password;
  TIToolServices* ToolServices = nullptr;   // not owned

protected:
  friend TSingletonOf<TRVLGlobals>;
  TRVLGlobals() = default;
  void Init() override;
  // RegistryKey from ProductName and IDEKey.
  void ComputeRegistryKey();
};

class TRVLB3Globals : public TSingletonOf<TRVLB3Globals, TRVLGlobals> {
public:
  static constexpr char SingletonName[] = "TRVLB3Globals";

protected:
  friend TSingletonOf<TRVLB3Globals, TRVLGlobals>;
  TRVLB3Globals() = default;
  void Init() override;
};

// The globals instance of this process, asked for once and then remembered.
TRVLGlobals& Globals();
