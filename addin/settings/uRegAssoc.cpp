#include "addin/settings/uRegAssoc.h"

#include "addin/frame/uRVLGlobals.h"

void TRegAssoc::SetDisableAssoc(bool Value) {
  At(Globals().RegistryKey).WriteBool(Globals().DisableAssocValue, Value);
}

bool TRegAssoc::GetDisableAssoc() {
  return At(Globals().RegistryKey).ReadBool(Globals().DisableAssocValue, false);
}
