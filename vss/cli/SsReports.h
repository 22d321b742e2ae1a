#pragma once
// The `ss` commands that only report: History, Dir, Status and Whoami. Their layouts are described
// in `ss Help`. Dir returns 1 when it found nothing, Status 1 when it found a check-out.
#include <string>

#include "vss/cli/CommandLine.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

// "2026-12-06 10:15", local time.
std::string FormatDate(double date);

int RunHistory(SsSession& session, const CommandLine& line);
int RunDir(SsSession& session, const CommandLine& line);
int RunStatus(SsSession& session, const CommandLine& line);
int RunWhoami(SsSession& session, const CommandLine& line);

} // namespace vsscli
