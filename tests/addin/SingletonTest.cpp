// The singleton registry: resolving registrations, creating on first request, refusing what must be
// refused with its exact text, and destroying newest first.
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "MessageOf.h"
#include "addin/frame/uRVLFactory.h"

namespace {

std::vector<std::string> Log;

template <class Self, class Base>
class TLogged : public TSingletonOf<Self, Base> {
protected:
  void Init() override { Log.push_back("Init " + this->ClassName()); }
  void Done() override { Log.push_back("Done " + this->ClassName()); }
};

class TTestX : public TLogged<TTestX, TSingleton> {
public:
  static constexpr char SingletonName[] = "TTestX";
};
class TTestY : public TLogged<TTestY, TTestX> {
public:
  static constexpr char SingletonName[] = "TTestY";
};
class TTestZ : public TLogged<TTestZ, TTestY> {
public:
  static constexpr char SingletonName[] = "TTestZ";
};
// Named like TTestY but for letter case.
class TTestYCase : public TLogged<TTestYCase, TTestX> {
public:
  static constexpr char SingletonName[] = "ttesty";
};
class TTestUnrelated : public TLogged<TTestUnrelated, TSingleton> {
public:
  static constexpr char SingletonName[] = "TTestUnrelated";
};

class TTestFailingDone : public TLogged<TTestFailingDone, TSingleton> {
public:
  static constexpr char SingletonName[] = "TTestFailingDone";

protected:
  void Done() override { throw Exception("cannot finish"); }
};

const TSingletonClass& X = TTestX::StaticClass();
const TSingletonClass& Y = TTestY::StaticClass();
const TSingletonClass& Z = TTestZ::StaticClass();

class SingletonTest : public ::testing::Test {
protected:
  void SetUp() override { Log.clear(); }
};

TEST_F(SingletonTest, ChainsResolveToTheirEndAndShareOneInstance) {
  TSingletonRegistry registry;
  registry.Register(Y, X);
  registry.Register(Z, Y);
  EXPECT_STREQ(registry.Resolve(X).Name, "TTestZ");
  TSingleton& viaX = registry.GetInstance(X);
  EXPECT_EQ(typeid(viaX), typeid(TTestZ)) << "resolved through X=Y and Y=Z";
  EXPECT_EQ(&registry.GetInstance(Y), &viaX);
  EXPECT_EQ(&registry.GetInstance(Z), &viaX);
  EXPECT_EQ(Log, std::vector<std::string>({"Init TTestZ"})) << "created once, on first request";
}

TEST_F(SingletonTest, NamesCompareIgnoringCaseAndSelfRegistrationEndsResolution) {
  TSingletonRegistry registry;
  registry.Register(X, X);
  EXPECT_EQ(&registry.Resolve(X), &X);
  TSingleton& y = registry.GetInstance(Y);
  // Instances are keyed by class name: a class whose name differs only in case shares the entry.
  EXPECT_EQ(&registry.GetInstance(TTestYCase::StaticClass()), &y);
  // Registrations are found by name too: "TTestX=TTestY" also serves a request named "ttestx".
  TSingletonRegistry second;
  second.Register(TTestYCase::StaticClass(), X);
  second.Register(Z, Y);
  EXPECT_STREQ(second.Resolve(TTestYCase::StaticClass()).Name, "TTestZ");
}

TEST_F(SingletonTest, RegisteringAnUnrelatedClassIsRefusedWithItsTextAndChangesNothing) {
  TSingletonRegistry registry;
  registry.Register(Y, X);
  EXPECT_EQ(MessageOf<ESingletonError>([&] { registry.Register(TTestUnrelated::StaticClass(), X); }),
            "TTestUnrelated Tried to register asTTestX, But TTestUnrelated does not inherit from TTestX!");
  EXPECT_NE(MessageOf<ESingletonError>([&] { registry.Register(X, Y); }), "")
      << "a base class does not inherit from its child";
  EXPECT_STREQ(registry.Resolve(X).Name, "TTestY");
  EXPECT_TRUE(Log.empty());
}

TEST_F(SingletonTest, LaterRegistrationServesNewRequestsAndAllInstancesDieNewestFirst) {
  {
    TSingletonRegistry registry;
    TSingleton& early = registry.GetInstance(X);
    EXPECT_EQ(typeid(early), typeid(TTestX));
    registry.Register(Y, X);
    TSingleton& late = registry.GetInstance(X);
    EXPECT_EQ(typeid(late), typeid(TTestY));
    EXPECT_NE(&late, &early);
    registry.GetInstance(TTestUnrelated::StaticClass());
  }
  EXPECT_EQ(Log, std::vector<std::string>({"Init TTestX", "Init TTestY", "Init TTestUnrelated",
                                           "Done TTestUnrelated", "Done TTestY", "Done TTestX"}));
}

TEST_F(SingletonTest, OneSingletonFailingToFinishDoesNotKeepTheOthersAlive) {
  {
    TSingletonRegistry registry;
    registry.GetInstance(X);
    registry.GetInstance(TTestFailingDone::StaticClass());
    registry.GetInstance(TTestUnrelated::StaticClass());
  }
  EXPECT_EQ(Log, std::vector<std::string>({"Init TTestX", "Init TTestFailingDone", "Init TTestUnrelated",
                                           "Done TTestUnrelated", "Done TTestX"}));
}

TEST_F(SingletonTest, CreateAndFreeAlwaysRaiseWithTheirTexts) {
  EXPECT_EQ(MessageOf<ESingletonError>([] { TTestX::Create(); }),
            "A Client tried to instantiate TTestX by calling 'Create' The client should use 'TTestX._Instance'!");
  TSingletonRegistry registry;
  registry.Register(Y, X);
  TSingleton& instance = registry.GetInstance(X);
  EXPECT_EQ(MessageOf<ESingletonError>([&] { instance.Free(); }),
            "A Client tried to free TTestY by using 'Free'. TTestY is a Singleton and Should not be freed manually!");
  EXPECT_EQ(&registry.GetInstance(X), &instance) << "still alive after the refused Free";
}

} // namespace
