// The mask matcher: a table of the cases that can break, then generated masks and names checked
// against a plain backtracking matcher, and arbitrary bytes fed to the compiler.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MessageOf.h"
#include "addin/selection/uMask.h"

namespace {

std::string Repeat(const std::string& text, int count) {
  std::string result;
  for (int i = 0; i < count; ++i) result += text;
  return result;
}

// The message of the error `Mask` raises; empty when it compiles.
std::string CompileError(const std::string& Mask) {
  return MessageOf<EMaskError>([&] { TMask{Mask}; });
}

TEST(MaskTest, MatchesTheTableOfEdgeCases) {
  const struct {
    std::string Mask, Name;
    bool Matches;
  } rows[] = {
      {"*.*", "MAKEFILE", false}, {"*.*", "a.b", true}, {"*", "", true}, {"*", "any.thing", true},
      {"", "", true}, {"", "a", false}, {"*.DSK", "unit1.dsk", true}, {"[a-c]x", "Bx", true},
      {"[a-c]x", "dx", false}, {"*?", "", true}, {"?", "", false}, {"a?", "a", false}, {"a*?", "a", true},
      {"*?*?x", "x", true}, {"[!a-c]x", "dx", true}, {"[!a-c]x", "Bx", false}, {"[!a]", "", false},
      {"x[a]", "x", false}, {"[a-c-e]", "D", true}, {"[c-a]", "b", false}, {"[c-a]", "C", true}, {"[a-]]", "Z", true},
      {"[!!]", "!", false}, {"*a?c", "abaxc", true}, {"*a?c", "abacxc", false}, {"a*b*c", "abcbc", true},
      {"*ab", "aab", true}, {"*[0-9]", "v12", true}, {"**a", "ba", true},
      // UTF-8: a multi-byte character is one character, compared exactly; case folds for ASCII only.
      {"?.txt", "é.txt", true}, {"[!a].txt", "é.txt", true}, {"[aé]", "é", false}, {"[aé]", "A", true},
      {"é*", "éclair", true}, {"É*", "éclair", false}, {"*é", "cafÉ", false}, {"*?é", "aé", true},
      {"é", "\xC3", false}, {"\xC3*", "é", false}, {"\xFF", "\xFF", true}, {"*\xA9", "é", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(MaskMatches(row.Name, row.Mask), row.Matches) << "'" << row.Mask << "' on '" << row.Name << "'";
}

TEST(MaskTest, InvalidMasksNameThePositionOfTheFault) {
  const struct {
    std::string Mask;
    int Position;
  } rows[] = {
      {"[]", 2}, {"[!]", 3}, {"[-a]", 2}, {"[abc", 5}, {"[", 2}, {"[!", 3}, {"[a-", 4}, {"[a-]", 5},
      {"[é]", 4}, {"x[é-a]", 5}, {"*.[", 4},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CompileError(row.Mask), "'" + row.Mask + "' is an invalid mask at (" + std::to_string(row.Position) + ")");
  EXPECT_THROW(MaskMatches("a", "[]"), EMaskError);
}

TEST(MaskTest, AtMostThirtyStatesFollowAStar) {
  const TMask thirty(Repeat("*a", 30));
  EXPECT_TRUE(thirty.Matches(Repeat("a", 30)));
  EXPECT_FALSE(thirty.Matches(Repeat("a", 29)));
  EXPECT_EQ(CompileError(Repeat("*a", 31)), "'" + Repeat("*a", 31) + "' is an invalid mask at (62)");
  // A trailing "*" makes the end of the name one of them; dropped "?" are none.
  EXPECT_EQ(CompileError(Repeat("*a", 30) + "*"), "'" + Repeat("*a", 30) + "*' is an invalid mask at (62)");
  EXPECT_TRUE(TMask(Repeat("*?", 40)).Matches(""));
}

// Masks built from these pieces, checked by plain backtracking over the pieces themselves.
struct TPiece {
  enum { Literal, Any, Star, Set, NotSet } Kind;
  std::string Text;      // as written in the mask
  std::string Members;   // of a set: its single-byte characters, upper-cased
};
const TPiece Pieces[] = {
    {TPiece::Star, "*", ""}, {TPiece::Any, "?", ""}, {TPiece::Literal, "a", ""}, {TPiece::Literal, "B", ""},
    {TPiece::Literal, ".", ""}, {TPiece::Literal, "é", ""}, {TPiece::Literal, "\xFF", ""},
    {TPiece::Literal, "]", ""}, {TPiece::Set, "[a-b]", "AB"}, {TPiece::Set, "[xé.]", "X."},
    {TPiece::NotSet, "[!x]", "X"}, {TPiece::NotSet, "[!a-bé]", "AB"},
};
const std::string Chars[] = {"a", "A", "b", "B", ".", "x", "é", "\xFF", "]"};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool Reference(const std::vector<TPiece>& Mask, size_t I, const std::vector<std::string>& Name, size_t J) {
  if (I == Mask.size()) return J == Name.size();
  if (Mask[I].Kind == TPiece::Star) {
    // Any "*" and "?" right after a "*" add nothing.
    while (I < Mask.size() && (Mask[I].Kind == TPiece::Star || Mask[I].Kind == TPiece::Any)) ++I;
    for (size_t k = J; k <= Name.size(); ++k)
      if (Reference(Mask, I, Name, k)) return true;
    return false;
  }
  if (J == Name.size()) return false;
  const std::string& c = Name[J];
  const bool single = c.size() == 1, member = single && Mask[I].Members.find(Upper(c[0])) != std::string::npos;
  bool ok = true;
  if (Mask[I].Kind == TPiece::Literal) ok = single ? Upper(c[0]) == Upper(Mask[I].Text[0]) : c == Mask[I].Text;
  if (Mask[I].Kind == TPiece::Set) ok = member;
  if (Mask[I].Kind == TPiece::NotSet) ok = !member;
  return ok && Reference(Mask, I + 1, Name, J + 1);
}

TEST(MaskTest, AgreesWithBacktrackingOnGeneratedMasksAndNames) {
  std::mt19937 random(20240611);
  const auto pick = [&](const auto& from) { return from[random() % std::size(from)]; };
  for (int round = 0; round < 20000; ++round) {
    std::vector<TPiece> pieces;
    std::string mask;
    for (int n = random() % 7; n > 0; --n) mask += pieces.emplace_back(pick(Pieces)).Text;
    const TMask compiled(mask);
    for (int k = 0; k < 4; ++k) {
      std::vector<std::string> name;
      std::string text;
      for (int n = random() % 7; n > 0; --n) text += name.emplace_back(pick(Chars));
      ASSERT_EQ(compiled.Matches(text), Reference(pieces, 0, name, 0)) << "'" << mask << "' on '" << text << "'";
    }
  }
}

TEST(MaskTest, ArbitraryBytesCompileOrRaiseTheError) {
  std::mt19937 random(7);
  const std::string special = "*?[]!-aZé\xC3\xFF";
  const auto bytes = [&](size_t length) {
    std::string text;
    while (text.size() < length)
      text += random() % 2 ? special[random() % special.size()] : static_cast<char>(random() % 256);
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string mask = bytes(random() % 24);
    try {
      const TMask compiled(mask);
      for (int k = 0; k < 3; ++k) compiled.Matches(bytes(random() % 12));
    } catch (const EMaskError& error) {
      const size_t position = std::stoul(error.Message().substr(error.Message().rfind('(') + 1));
      EXPECT_TRUE(position >= 1 && position <= mask.size() + 1) << error.Message();
    }
  }
}

} // namespace
