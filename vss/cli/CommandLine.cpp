#include "vss/cli/CommandLine.h"

#include <cctype>

namespace vsscli {

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (const std::string& argument : arguments) {
    bool help = argument == "--help" || argument == "-?" || argument == "/?";
    if (help && line.FCommand.empty()) {
      line.FCommand = "Help";
    } else if (argument.size() >= 2 && argument[0] == '-' && !help) {
      line.FSwitches.push_back(
          {char(std::toupper(static_cast<unsigned char>(argument[1]))), argument.substr(2)});
    } else if (line.FCommand.empty()) {
      line.FCommand = argument;
    } else {
      line.FArguments.push_back(argument);
    }
  }
  return line;
}

bool CommandLine::Has(char letter) const {
  for (const Switch& s : FSwitches)
    if (s.Letter == letter) return true;
  return false;
}

std::string CommandLine::Value(char letter) const {
  std::string value;
  for (const Switch& s : FSwitches)
    if (s.Letter == letter) value = s.Value;
  return value;
}

std::vector<std::string> CommandLine::Values(char letter) const {
  std::vector<std::string> values;
  for (const Switch& s : FSwitches)
    if (s.Letter == letter) values.push_back(s.Value);
  return values;
}

std::string CommandLine::FirstUnknown(const std::string& allowed) const {
  for (const Switch& s : FSwitches)
    if (allowed.find(s.Letter) == std::string::npos) return std::string("-") + s.Letter + s.Value;
  return {};
}

} // namespace vsscli
