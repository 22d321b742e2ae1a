#pragma once
// Scenario files for `ravelin-ide --script`: one command per line, `#` starts a comment line.
#include <string>
#include <vector>

struct TScenarioStep {
  int Line = 0;
  std::string Command;   // e.g. "open-project", "type"
  std::string Argument;  // the rest of the line after one blank (may be empty)
};

// Reads a scenario; false with "FILE:LINE: message" on the first unknown command or a command whose
// argument is missing or not allowed.
bool ParseScenario(const std::string& text, const std::string& fileName,
                   std::vector<TScenarioStep>& steps, std::string& error);
