#pragma once
// The `ss` commands that only report: History, Dir, Status and Whoami. Their layouts are described
// in `ss Help`. Dir returns 1 when it found nothing, Status 1 when it found a check-out.
#include "vss/cli/CommandLine.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

int RunHistory(SsSession& session, const CommandLine& line);
int RunDir(SsSession& session, const CommandLine& line);
int RunStatus(SsSession& session, const CommandLine& line);
int RunWhoami(SsSession& session, const CommandLine& line);

} // namespace vsscli
