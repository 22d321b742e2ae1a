#include "addin/selection/uRVLDontCheckIn.h"

#include <algorithm>

#include "addin/selection/uMask.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"

TRVLDontCheckIn::TRVLDontCheckIn() : FMasks(TRVLRegFactory::_Instance().CreateRegOptions()->LoadDontCheckIn()) {}

bool TRVLDontCheckIn::CanCheckIn(const std::string& Name) {
  return std::none_of(FMasks.begin(), FMasks.end(), [&](const std::string& mask) { return MaskMatches(Name, mask); });
}
