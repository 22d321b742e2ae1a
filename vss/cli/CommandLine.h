#pragma once
// The command line of `ss`: a command name, its arguments and its switches. A switch is "-" and a
// letter, compared ignoring case, then its value ("-Ccomment", "-I-", "-O@file", "-Yuser,pwd").
// The same letter may appear more than once ("-I- -IW").
#include <cstdint>
#include <string>
#include <vector>

namespace vsscli {

struct Switch {
  char Letter = 0;     // upper case
  std::string Value;   // the text after the letter, as typed
};

class CommandLine {
public:
  // From the program's arguments, without the program name. The first argument that is not a
  // switch is the command; "--help", "-?" and "/?" there mean "Help", and after a command they ask
  // for that command's usage (HelpAsked) rather than name a file.
  static CommandLine Parse(const std::vector<std::string>& arguments);

  const std::string& Command() const { return FCommand; }
  const std::vector<std::string>& Arguments() const { return FArguments; }
  const std::vector<Switch>& Switches() const { return FSwitches; }
  bool HelpAsked() const { return FHelpAsked; }

  bool Has(char letter) const;
  // The value of the last switch with that letter; empty when there is none.
  std::string Value(char letter) const;
  std::vector<std::string> Values(char letter) const;
  // True when the switch is given and not turned off ("-R" yes, "-R-" no).
  bool IsOn(char letter) const;
  // The -C comment; "-C-" or none gives an empty one.
  std::string Comment() const;
  // The first switch whose letter is not in `allowed` (upper case letters), as typed; empty if none.
  std::string FirstUnknown(const std::string& allowed) const;
  // Raises an Exception naming `command` when a switch other than -I, -Y and those in `allowed`
  // is given, or the number of arguments is outside the range.
  void Validate(const std::string& command, const std::string& allowed, size_t minArguments,
                size_t maxArguments = SIZE_MAX) const;

private:
  std::string FCommand;
  std::vector<std::string> FArguments;
  std::vector<Switch> FSwitches;
  bool FHelpAsked = false;
};

} // namespace vsscli
