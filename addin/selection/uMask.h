#pragma once
// File-name wildcard masks: "*" any run of characters, "?" one character, "[a-z]" and "[!a-z]" one
// character in or not in a set. Letter case is ignored for ASCII letters only. A mask is compiled
// once into a list of match states and can then be tested against many names.
#include <bitset>
#include <string>
#include <vector>

#include "platform/Exception.h"

class EMaskError : public Exception {
public:
  using Exception::Exception;
};

class TMask {
public:
  // Raises EMaskError "'%s' is an invalid mask at (%d)" with the 1-based position of the fault.
  explicit TMask(const std::string& Mask);
  bool Matches(const std::string& Name) const;

private:
  // Literal: one byte, upper-cased. MultiByte: one UTF-8 character of two to four bytes, compared
  // exactly. End: the end of the name.
  enum class TKind { Literal, Any, Set, MultiByte, End };
  struct TState {
    bool SkipTo = false;   // preceded by "*": may match further on in the name
    TKind Kind = TKind::Literal;
    std::string Literal;   // Literal and MultiByte
    bool Negate = false;
    std::bitset<256> CharSet;   // upper-cased members of a set
  };

  // Whether `State` matches the character at `Pos`; its length in bytes goes to `Length`.
  static bool Test(const TState& State, const std::string& Name, size_t Pos, size_t& Length);

  std::vector<TState> FStates;
};

// Compiles `Mask` and tests `Name`; an invalid mask raises EMaskError.
bool MaskMatches(const std::string& Name, const std::string& Mask);
