#pragma once
// `ss`: runs one command from the program's arguments and gives its exit code: 0 success, 1 the
// milder outcome (Diff found a difference, Dir found nothing, Status found a check-out), 100 an
// error, whose message goes to standard error.
#include <string>
#include <vector>

namespace vsscli {

int RunSs(const std::vector<std::string>& arguments);

} // namespace vsscli
