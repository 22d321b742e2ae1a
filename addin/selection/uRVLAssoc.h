#pragma once
// File associations: the companion files that go with a file ("Form1.dfm" with "Form1.pas"), found
// through the companion masks stored for the file's extension.
#include <memory>
#include <string>
#include <vector>

#include "ui/Object.h"

class TRegAssoc;

// Applies one companion mask to a base name: the first "*" is replaced by the base ("*.dfm" gives
// "Form1.dfm"); a mask without "*" is appended to it (".dfm" gives "Form1.dfm").
std::string ExpandMask(const std::string& Base, const std::string& Mask);

class TRVLAssoc : public TObject {
public:
  TRVLAssoc();
  ~TRVLAssoc() override;

  // Appends the full path of every companion of `FileName`, in the stored order, whether the
  // companion exists or not and whether associations are switched off or not.
  virtual void GetAssociatedFiles(const std::string& FileName, std::vector<std::string>& List);
  // The folder of `FileName` followed by `Mask` expanded with its base name.
  virtual std::string GetAssociatedFile(const std::string& FileName, const std::string& Mask);
  // False when the user switched associations off; read afresh on every call.
  virtual bool IsEnabled();

private:
  std::unique_ptr<TRegAssoc> FRegAssoc;
};
