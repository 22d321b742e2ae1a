// Makes the library's start-up registrations once before any test runs, as loading the add-in does.
#include <gtest/gtest.h>

#include "addin/frame/uRVLStartup.h"

namespace {

class THostClasses : public ::testing::Environment {
public:
  void SetUp() override { RegisterHostClasses(); }
};

[[maybe_unused]] auto* const HostClasses = ::testing::AddGlobalTestEnvironment(new THostClasses);

} // namespace
