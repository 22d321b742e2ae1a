#pragma once
// The values directly under the add-in's registry root that its installer writes.
#include "addin/settings/uReg.h"

class TRegRVL : public TReg {
public:
  static constexpr char ClassName[] = "TRegRVL";
  TRegRVL();

  // The add-in's installation folder ("PATH"), empty when not installed.
  virtual std::string GetInstallPath();
};
