#include "addin/selection/uMask.h"

#include <utility>

#include "platform/Text.h"

// Names and masks are UTF-8. A valid multi-byte sequence is one character: in a mask it is a literal
// compared byte for byte, inside a set it is skipped, and in a name "?", a negated set and the search
// after "*" step over it whole, so no state ever matches part of one. Bytes that are not valid
// UTF-8 count as characters of their own.

namespace {

// A mask may hold at most this many states that follow a "*".
constexpr int MaxSkipStates = 30;

unsigned char Upper(char C) {
  const auto c = static_cast<unsigned char>(C);
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Length in bytes of the character at `Pos` (< Text.size()).
size_t CharLength(const std::string& Text, size_t Pos) {
  char32_t code;
  const size_t length = platform::DecodeUtf8(Text, Pos, code);
  return length == 0 ? 1 : length;
}

} // namespace

TMask::TMask(const std::string& Mask) {
  // `Pos` is where the reading stands (0-based); the message counts from 1.
  const auto invalid = [&Mask](size_t Pos) {
    throw EMaskError("'" + Mask + "' is an invalid mask at (" + std::to_string(Pos + 1) + ")");
  };
  bool skipTo = false;
  int skipStates = 0;
  const auto write = [&](TState State, size_t Pos) {
    if (skipTo && ++skipStates > MaxSkipStates) invalid(Pos);
    State.SkipTo = std::exchange(skipTo, false);
    FStates.push_back(std::move(State));
  };

  const size_t size = Mask.size();
  size_t pos = 0;
  while (pos < size) {
    TState state;
    if (Mask[pos] == '*') {
      skipTo = true;
    } else if (Mask[pos] == '?') {
      // After "*" a "?" adds nothing: "*?" is "*".
      if (!skipTo) {
        state.Kind = TKind::Any;
        write(std::move(state), pos);
      }
    } else if (Mask[pos] == '[') {
      state.Kind = TKind::Set;
      if (++pos < size && Mask[pos] == '!') {
        state.Negate = true;
        ++pos;
      }
      int previous = -1;
      while (pos < size && Mask[pos] != ']') {
        if (const size_t length = CharLength(Mask, pos); length > 1) {
          pos += length;
        } else if (Mask[pos] == '-') {
          if (previous < 0) invalid(pos);
          // The range runs from the previous character, which stays the start of any further range;
          // one that ends in a multi-byte character adds nothing.
          if (++pos == size) break;
          const size_t endLength = CharLength(Mask, pos);
          if (endLength == 1)
            for (int c = previous; c <= Upper(Mask[pos]); ++c) state.CharSet.set(static_cast<size_t>(c));
          pos += endLength;
        } else {
          previous = Upper(Mask[pos++]);
          state.CharSet.set(static_cast<size_t>(previous));
        }
      }
      if (pos == size || state.CharSet.none()) invalid(pos);
      write(std::move(state), pos);
    } else {
      const size_t length = CharLength(Mask, pos);
      state.Kind = length > 1 ? TKind::MultiByte : TKind::Literal;
      state.Literal = length > 1 ? Mask.substr(pos, length) : std::string(1, static_cast<char>(Upper(Mask[pos])));
      pos += length - 1;
      write(std::move(state), pos);
    }
    ++pos;
  }
  // The end of the name; after a trailing "*" it matches whatever is left.
  TState end;
  end.Kind = TKind::End;
  write(std::move(end), size);
}

bool TMask::Test(const TState& State, const std::string& Name, size_t Pos, size_t& Length) {
  Length = 0;
  if (Pos >= Name.size()) return State.Kind == TKind::End;
  Length = CharLength(Name, Pos);
  const unsigned char c = Upper(Name[Pos]);
  switch (State.Kind) {
    case TKind::Literal: return Length == 1 && c == static_cast<unsigned char>(State.Literal[0]);
    case TKind::MultiByte: return Name.compare(Pos, Length, State.Literal) == 0;
    case TKind::Any: return true;
    case TKind::Set: return (Length == 1 && State.CharSet.test(c)) != State.Negate;
    case TKind::End: return false;
  }
  return false;
}

bool TMask::Matches(const std::string& Name) const {
  // Where to try the latest skip state again, one character further on, when a later state fails.
  // Earlier skip states need no second try: each found its earliest place, and moving one on would
  // only leave the skip states after it less of the name to search. (Retrying every skip state
  // gives the same answers but takes exponential time on masks with many "*".)
  bool canRetry = false;
  size_t retryPos = 0, retryState = 0;
  size_t pos = 0, i = 0;
  while (i < FStates.size()) {
    const TState& state = FStates[i];
    size_t length;
    bool matched = Test(state, Name, pos, length);
    if (state.SkipTo) {
      while (!matched && pos < Name.size()) {
        pos += length;
        matched = Test(state, Name, pos, length);
      }
      canRetry = matched && pos < Name.size();
      retryPos = pos + length, retryState = i;
    }
    if (matched) {
      pos += length;
      ++i;
    } else if (!canRetry) {
      return false;
    } else {
      pos = retryPos, i = retryState;
    }
  }
  return true;
}

bool MaskMatches(const std::string& Name, const std::string& Mask) { return TMask(Mask).Matches(Name); }
