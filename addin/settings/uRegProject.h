#pragma once
// How old per-project files are handled: converted and deleted without asking, or not.
#include "addin/settings/uReg.h"

class TRegProject : public TReg {
public:
  static constexpr char ClassName[] = "TRegProject";
  TRegProject() : TReg(ClassName) {}

  virtual bool GetAutoConvert() { return FRegistry->ReadBool("AutoConvert", false); }
  virtual void SetAutoConvert(bool Value) { FRegistry->WriteBool("AutoConvert", Value); }
  virtual bool GetAutoDelete() { return FRegistry->ReadBool("AutoDelete", false); }
  virtual void SetAutoDelete(bool Value) { FRegistry->WriteBool("AutoDelete", Value); }
};
