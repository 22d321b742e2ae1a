#pragma once
// The `ss` commands that shape the project tree: Create, CP, Workfold, Label, Share, Delete,
// Recover and Destroy. Each returns the exit code.
#include "vss/cli/CommandLine.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

int RunCreate(SsSession& session, const CommandLine& line);
int RunCP(SsSession& session, const CommandLine& line);
int RunWorkfold(SsSession& session, const CommandLine& line);
int RunLabel(SsSession& session, const CommandLine& line);
int RunShare(SsSession& session, const CommandLine& line);
int RunDelete(SsSession& session, const CommandLine& line);
int RunRecover(SsSession& session, const CommandLine& line);
int RunDestroy(SsSession& session, const CommandLine& line);

} // namespace vsscli
