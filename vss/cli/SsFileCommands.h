#pragma once
// The `ss` commands that move files between the database and local copies: Add, Checkout, Checkin,
// Undocheckout and Get. Each prints the spec of every file it handled and returns the exit code.
#include "vss/cli/CommandLine.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

int RunAdd(SsSession& session, const CommandLine& line);
int RunCheckout(SsSession& session, const CommandLine& line);
int RunCheckin(SsSession& session, const CommandLine& line);
int RunUndoCheckout(SsSession& session, const CommandLine& line);
int RunGet(SsSession& session, const CommandLine& line);

} // namespace vsscli
