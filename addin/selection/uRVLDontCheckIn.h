#pragma once
// The user's masks of files that are never checked in nor added, as stored when the object was made.
#include <string>
#include <vector>

#include "ui/Object.h"

class TRVLDontCheckIn : public TObject {
public:
  TRVLDontCheckIn();

  // False as soon as one of the masks, tried in order, matches `Name`; an invalid mask raises
  // EMaskError.
  virtual bool CanCheckIn(const std::string& Name);

private:
  std::vector<std::string> FMasks;
};
