#include "vss/cli/CommandLine.h"

#include <cctype>

#include "platform/Exception.h"

namespace vsscli {

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
  CommandLine line;
  for (const std::string& argument : arguments) {
    bool help = argument == "--help" || argument == "-?" || argument == "/?";
    if (help && line.FCommand.empty()) {
      line.FCommand = "Help";
    } else if (help) {
      line.FHelpAsked = true;
    } else if (argument.size() >= 2 && argument[0] == '-') {
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

bool CommandLine::IsOn(char letter) const { return Has(letter) && Value(letter) != "-"; }

std::string CommandLine::Comment() const {
  std::string comment = Value('C');
  return comment == "-" ? std::string() : comment;
}

void CommandLine::Validate(const std::string& command, const std::string& allowed, size_t minArguments,
                           size_t maxArguments) const {
  std::string unknown = FirstUnknown(allowed + "IY");
  if (!unknown.empty()) throw Exception("Invalid option for " + command + ": " + unknown);
  if (FArguments.size() < minArguments)
    throw Exception(command + " needs " + (minArguments == 1 ? "an argument" : "more arguments") +
                    "; see ss Help " + command);
  if (FArguments.size() > maxArguments) throw Exception("Too many arguments for " + command);
}

std::string CommandLine::FirstUnknown(const std::string& allowed) const {
  for (const Switch& s : FSwitches)
    if (allowed.find(s.Letter) == std::string::npos) return std::string("-") + s.Letter + s.Value;
  return {};
}

} // namespace vsscli
