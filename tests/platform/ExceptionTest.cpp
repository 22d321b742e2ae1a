#include "platform/Exception.h"

#include <gtest/gtest.h>

namespace {

__attribute__((noinline)) void RaiseHere() { throw Exception("raised here"); }

__attribute__((noinline)) void RaiseElsewhere() { throw Exception("no address", nullptr); }

} // namespace

TEST(Exception, RecordsTheRaiseSite) {
  try {
    RaiseHere();
    FAIL() << "nothing raised";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "raised here");
    // The address lies inside the function that wrote the throw.
    const auto site = reinterpret_cast<uintptr_t>(error.Address());
    const auto start = reinterpret_cast<uintptr_t>(&RaiseHere);
    EXPECT_GT(site, start);
    EXPECT_LT(site, start + 512);
  }
  try {
    RaiseElsewhere();
  } catch (Exception& error) {
    EXPECT_EQ(error.Address(), nullptr);
    error.SetMessage("changed");
    EXPECT_EQ(error.Message(), "changed");
    EXPECT_STREQ(error.what(), "changed");
  }
}
