// Saved passwords: scrambled differently on every write, always readable back, never stored plainly.
#include <set>

#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegUser.h"
#include "addin/settings/uScramble.h"
#include "platform/Files.h"
#include "platform/Registry.h"

namespace {

size_t CodePoints(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

TEST(Scramble, EverySeedGivesPrintableTextThatUnscramblesToThePassword) {
  const std::string password = std::string("p\0w\xff", 4) + "Ünï";
  for (unsigned seed = 32767; seed <= 65533; ++seed) {
    const std::string stored = ScrambleString(password, static_cast<uint16_t>(seed));
    ASSERT_EQ(stored.find('\0'), std::string::npos) << "seed " << seed;
    ASSERT_EQ(CodePoints(stored), password.size() + 2) << "seed " << seed;
    ASSERT_EQ(UnscrambleString(stored), password) << "seed " << seed;
  }
}

TEST(Scramble, ShortOrForeignValuesUnscrambleToNothing) {
  const std::string stored = ScrambleString("x", 40000);
  EXPECT_EQ(UnscrambleString(stored.substr(0, 4)), "") << "header only";
  EXPECT_EQ(UnscrambleString(""), "");
  EXPECT_EQ(UnscrambleString("secret"), "") << "a plain value typed into the registry";
  EXPECT_EQ(UnscrambleString(stored.substr(0, 5)), "") << "cut inside a character";
}

class PasswordTest : public TempDirTest {};

TEST_F(PasswordTest, SamePasswordIsStoredDifferentlyEachTimeAndReadsBack) {
  auto user = TRVLRegFactory::_Instance().CreateRegUser();
  const std::string key = Globals().RegistryKey + "\\User";
  std::set<std::string> storedForms;
  for (int i = 0; i < 4; ++i) {
    user->SetPassword("Main", "s3cret");
    const std::string stored = platform::RegistryKey(platform::Hive::CurrentUser, key, false).ReadString("Main-Pass");
    EXPECT_EQ(stored.find("s3cret"), std::string::npos);
    storedForms.insert(stored);
    EXPECT_EQ(TRVLRegFactory::_Instance().CreateRegUser()->GetPassword("Main"), "s3cret");
  }
  EXPECT_GE(storedForms.size(), 3u) << "a random seed per write";

  user->SetPassword("Main", "");
  EXPECT_EQ(platform::RegistryKey(platform::Hive::CurrentUser, key, false).ReadString("Main-Pass", "?"), "");
  EXPECT_EQ(user->GetPassword("Main"), "");
  EXPECT_EQ(user->GetLogonName(), platform::UserName());
}

} // namespace
