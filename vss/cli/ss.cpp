// ss: SourceSafe's command-line tool.
#include "vss/cli/SsProgram.h"

int main(int argc, char** argv) {
  return vsscli::RunSs(std::vector<std::string>(argv + 1, argv + argc));
}
