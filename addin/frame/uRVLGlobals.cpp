#include "addin/frame/uRVLGlobals.h"

void TRVLGlobals::Init() {
  ProductName = "Ravelin";
  Version = "1.4";
  MenuName = "S&ourceSafe";
  ShortName = "SourceSafe";
  ExplorerExe = "ssexp";
  ExplorerTitle = "Visual SourceSafe Explorer";
  IDEKey = "Delphi\\3.0";
  ComputeRegistryKey();
  TempNameRange = 10000;
  IdleWait = 5000;
  ExitWait = 8000;
  FileFilter = "Delphi Files|*.pas;*.dfm;*.dpr|Units|*.pas|Forms|*.dfm|All Files|*.*";
  ProjectExtensions = ".dpr,.dpk";
  UserNameValue = "Name";
  PasswordValue = "Pass";
  SourceSafeKey = "Software\\Microsoft\\SourceSafe";
  DatabasesKey = SourceSafeKey + "\\Databases";
  APICurrentDatabaseValue = "API Current Database";
  CurrentDatabaseValue = "Current Database";
  SCCServerPathValue = "SCCServerPath";
  DisableAssocValue = "DisableAssoc";
  SyncOnOpenValue = "SyncOnOpen";
  SyncOnCloseValue = "SynOnClose";
  AsciiViewerValue = "AsciiViewer";
  DifferenceViewerValue = "DifferenceViewer";
  ProjectFileName = "vss.rvl";
  SCPathValue = "SCPATH";
  SCDBValue = "SCDB";
}

void TRVLGlobals::ComputeRegistryKey() {
  RegistryKey = "Software\\Halberd\\" + ProductName + "\\" + IDEKey;
}

void TRVLB3Globals::Init() {
  TRVLGlobals::Init();
  IDEKey = "C++Builder\\3.0";
  ComputeRegistryKey();
  FileFilter = "C++Builder Files|*.CPP;*.C;*.H;*.HPP;*.DFM|C++Builder Units|*.CPP|"
               "C++Builder Forms|*.DFM|Any file (*.*)|*.*";
  ProjectExtensions = ".bpr,.bpg";
}

TRVLGlobals& Globals() {
  static TRVLGlobals& globals = TRVLGlobals::_Instance();
  return globals;
}
