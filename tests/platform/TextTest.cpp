#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, FoldsCaseBeyondAscii) {
  EXPECT_EQ(FoldCase("ÄÖÜ Straße ΣΑΣ Project1.BPR"), "äöü straße σασ project1.bpr");
  EXPECT_EQ(UpperCase("äöü σας abc"), "ÄÖÜ ΣΑΣ ABC");
  EXPECT_TRUE(SameText("Ärger", "äRGER"));
  EXPECT_TRUE(SameText("ПРИВЕТ", "привет"));
  EXPECT_FALSE(SameText("a", "ä"));
  EXPECT_FALSE(SameText("abc", "abcd"));
}

TEST(Text, KeepsInvalidBytesAsTheyAre) {
  // A lone continuation byte, a truncated sequence, an overlong '/' and a surrogate.
  const std::string broken = std::string("A\x80Z") + "\xC3" + "\xC0\xAF" + "\xED\xA0\x80";
  EXPECT_EQ(FoldCase(broken), std::string("a\x80z") + "\xC3" + "\xC0\xAF" + "\xED\xA0\x80");
  EXPECT_TRUE(SameText("\xFF" "ABC", "\xFF" "abc"));
  EXPECT_FALSE(SameText("\xFF", "\xFE"));
}

TEST(Text, ComparesAndMatchesPrefixesIgnoringCase) {
  EXPECT_EQ(CompareText("Apple", "apple"), 0);
  EXPECT_LT(CompareText("apple", "BANANA"), 0);
  EXPECT_GT(CompareText("Zeta", "alpha"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_TRUE(StartsWithText("HKEY_Current_User\\x", "hkey_current_user"));
  EXPECT_TRUE(StartsWithText("Ärger", "ä"));
  EXPECT_TRUE(StartsWithText("x", ""));
  EXPECT_FALSE(StartsWithText("ab", "abc"));
}

TEST(Text, TrimsBlanksAndControlCharacters) {
  EXPECT_EQ(Trim("  \t value x \r\n"), "value x");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("ä"), "ä");   // bytes above 0x7F are text, not blanks
}

TEST(Text, SplitsKeepingEmptyParts) {
  EXPECT_EQ(Split("a\\\\b\\", '\\'), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(Split("abc", ','), (std::vector<std::string>{"abc"}));
  EXPECT_TRUE(Split("", ',').empty());
}
