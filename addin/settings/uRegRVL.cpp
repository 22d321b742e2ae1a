#include "addin/settings/uRegRVL.h"

#include "addin/frame/uRVLGlobals.h"

TRegRVL::TRegRVL() : TReg(ClassName) { FRegistry->SetKey(Globals().RegistryKey); }

std::string TRegRVL::GetInstallPath() { return FRegistry->ReadString("PATH", ""); }
