#pragma once
// The object factory: every host-dependent object of the add-in is created here, so that the host
// variant is chosen in one place. `TRVLB3Factory` serves the C++Builder IDE.
#include "addin/frame/uSingleton.h"

class TRVLFactory : public TSingletonOf<TRVLFactory> {
public:
  static constexpr char SingletonName[] = "TRVLFactory";

protected:
  friend TSingletonOf<TRVLFactory>;
  TRVLFactory() = default;
};

class TRVLB3Factory : public TSingletonOf<TRVLB3Factory, TRVLFactory> {
public:
  static constexpr char SingletonName[] = "TRVLB3Factory";

protected:
  friend TSingletonOf<TRVLB3Factory, TRVLFactory>;
  TRVLB3Factory() = default;
};
