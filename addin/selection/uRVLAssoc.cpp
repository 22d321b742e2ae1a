#include "addin/selection/uRVLAssoc.h"

#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegAssoc.h"
#include "platform/Files.h"

std::string ExpandMask(const std::string& Base, const std::string& Mask) {
  const size_t star = Mask.find('*');
  if (star == std::string::npos) return Base + Mask;
  return std::string(Mask).replace(star, 1, Base);
}

TRVLAssoc::TRVLAssoc() : FRegAssoc(TRVLRegFactory::_Instance().CreateRegAssoc()) {}

TRVLAssoc::~TRVLAssoc() = default;

void TRVLAssoc::GetAssociatedFiles(const std::string& FileName, std::vector<std::string>& List) {
  // A file without extension finds the entry stored under the empty name.
  for (const std::string& mask : FRegAssoc->Load(platform::ExtractFileExt(FileName)))
    List.push_back(GetAssociatedFile(FileName, mask));
}

std::string TRVLAssoc::GetAssociatedFile(const std::string& FileName, const std::string& Mask) {
  return platform::ExtractFilePath(FileName) + ExpandMask(platform::ExtractBaseName(FileName), Mask);
}

bool TRVLAssoc::IsEnabled() { return !FRegAssoc->GetDisableAssoc(); }
