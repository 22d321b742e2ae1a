#pragma once
// File associations: for each file type (named by its extension with the dot), the masks of its
// companion files, one per line.
#include "addin/settings/uReg.h"

class TRegAssoc : public TReg {
public:
  static constexpr char ClassName[] = "TRegAssoc";
  TRegAssoc() : TReg(ClassName) {}

  // Associations switched off; kept directly under the add-in's root key.
  virtual void SetDisableAssoc(bool Value);
  virtual bool GetDisableAssoc();
  // Removes every association.
  virtual void Clear() { FRegistry->DeleteKey(); }
  virtual std::vector<std::string> GetNames() { return FRegistry->GetValueNames(); }
  virtual std::vector<std::string> Load(const std::string& Name) { return ReadLines(Name); }
  virtual void Save(const std::string& Name, const std::vector<std::string>& List) { WriteLines(Name, List); }
};
