#pragma once
// How the IDE starts a version-control add-in. The add-in is a shared library exporting one C
// function named RVLENTRY:
//
//   extern "C" RVLENTRY_EXPORT TIVCSClient* RVLENTRY(TIToolServices* toolServices);
//
// The IDE dlopen()s the library named in its registry key "Version Control" (value "VCSManager"),
// calls RVLENTRY once with its tool services (which stay valid until the client is released) and
// owns the one reference to the returned client, which it releases on exit. A null result means the
// add-in could not start; the IDE then runs without it.
#include "opentools/ToolIntf.h"
#include "opentools/VcsIntf.h"

using TVCSManagerInitProc = TIVCSClient* (*)(TIToolServices* toolServices);

// The exported symbol's name.
constexpr const char* VCSManagerEntryName = "RVLENTRY";

#define RVLENTRY_EXPORT __attribute__((visibility("default")))
