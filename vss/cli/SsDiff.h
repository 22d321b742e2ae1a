#pragma once
// `ss Diff A B`: compares two local files or specs (a spec means its latest version) and writes the
// report to standard output or, with -O@file / "-O&file", appends it to each named file once.
// Returns 0 when they compare equal, 1 when they differ.
#include "vss/cli/CommandLine.h"
#include "vss/cli/SsSession.h"

namespace vsscli {

int RunDiff(SsSession& session, const CommandLine& line);

} // namespace vsscli
