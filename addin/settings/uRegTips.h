#pragma once
// Which one-time tips the user has already seen.
#include "addin/settings/uReg.h"

class TRegTips : public TReg {
public:
  static constexpr char ClassName[] = "TRegTips";
  TRegTips() : TReg(ClassName) {}

  virtual bool GetShowUpdateTip() { return FRegistry->ReadBool("ShowUpdateTip", true); }
  virtual void SetShowUpdateTip(bool Value) { FRegistry->WriteBool("ShowUpdateTip", Value); }
};
