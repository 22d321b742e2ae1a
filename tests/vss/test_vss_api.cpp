// The client-side helpers of the automation interfaces: the reference holder and OLE dates.
#include <gtest/gtest.h>

#include "vss/api/VSSApi.h"

namespace {

// An object that records its references and its end.
class Counted : public IVSSCheckouts {
public:
  static constexpr VSSGuid IID = IID_IVSSCheckouts;
  explicit Counted(bool& freed) : FFreed(freed) {}
  uint32_t AddRef() override { return ++References; }
  uint32_t Release() override {
    const uint32_t left = --References;
    if (left == 0) delete this;
    return left;
  }
  bool QueryInterface(const VSSGuid& iid, void** object) override {
    *object = iid == IID_IVSSCheckouts || iid == IID_IVSSUnknown ? this : nullptr;
    if (*object) AddRef();
    return *object != nullptr;
  }
  int32_t Count() override { return 0; }
  VSSPtr<IVSSCheckout> Item(int32_t) override { return {}; }
  uint32_t References = 1;

private:
  ~Counted() override { FFreed = true; }
  bool& FFreed;
};

TEST(VSSPtrTest, HoldsAndReleasesReferences) {
  bool freed = false;
  auto* object = new Counted(freed);
  {
    VSSPtr<IVSSCheckouts> owner(object);   // adopts the first reference
    VSSPtr<IVSSCheckouts> copy = owner;
    EXPECT_EQ(object->References, 2u);
    VSSPtr<IVSSCheckouts> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(object->References, 2u);
    VSSPtr<IVSSUnknown> asUnknown = owner.Query<IVSSUnknown>();
    EXPECT_EQ(object->References, 3u);
    EXPECT_FALSE(owner.Query<IVSSItem>());
    VSSPtr<IVSSCheckouts> shared = VSSPtr<IVSSCheckouts>::Share(object);
    EXPECT_EQ(object->References, 4u);
    shared.Out();   // an out-parameter slot gives up what it held
    EXPECT_EQ(object->References, 3u);
  }
  EXPECT_TRUE(freed);
}

TEST(VSSDateTest, OleDatesCountDaysFrom1899InLocalTime) {
  const int64_t times[] = {0, 86400 * 365, 1000000000, 1700000000};
  for (int64_t time : times) EXPECT_EQ(VSSDateToUnix(VSSDateFromUnix(time)), time);
  // Whole days apart stay whole days apart in local wall-clock time (no DST shift in between here).
  EXPECT_NEAR(VSSDateFromUnix(1000000000 + 86400) - VSSDateFromUnix(1000000000), 1.0, 1.0 / 24 + 1e-9);
}

} // namespace
