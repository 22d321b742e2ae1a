#pragma once
// The library's one export: the IDE calls it once with its services and gets the add-in's
// version-control client, or nil when the add-in could not start.
#include "opentools/VcsEntry.h"

extern "C" RVLENTRY_EXPORT TIVCSClient* RVLENTRY(TIToolServices* toolServices);
