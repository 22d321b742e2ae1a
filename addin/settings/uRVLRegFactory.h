#pragma once
// Creates the settings sections; each new section belongs to the caller. `TRVLB3RegFactory` serves
// the C++Builder IDE, whose editor settings are kept differently.
#include <memory>
#include <string>

#include "addin/frame/uSingleton.h"

class TRVLRegistry;
class TRegUser;
class TRegWindow;
class TRegIDE;
class TRegRVL;
class TRegVSS;
class TRegAssoc;
class TRegProject;
class TRegOptions;
class TRegDiffView;
class TRegIntl;
class TRegTips;

class TRVLRegFactory : public TSingletonOf<TRVLRegFactory> {
public:
  static constexpr char SingletonName[] = "TRVLRegFactory";

  // A registry on the add-in's root key + "\" + keyTail.
  virtual std::unique_ptr<TRVLRegistry> CreateRegistry(const std::string& keyTail);
  virtual std::unique_ptr<TRegUser> CreateRegUser();
  virtual std::unique_ptr<TRegWindow> CreateRegWindow();
  virtual std::unique_ptr<TRegRVL> CreateRegRVL();
  virtual std::unique_ptr<TRegIDE> CreateRegIDE();
  virtual std::unique_ptr<TRegVSS> CreateRegVSS();
  virtual std::unique_ptr<TRegAssoc> CreateRegAssoc();
  virtual std::unique_ptr<TRegProject> CreateRegProject();
  virtual std::unique_ptr<TRegOptions> CreateRegOptions();
  virtual std::unique_ptr<TRegDiffView> CreateRegDiffView();
  virtual std::unique_ptr<TRegIntl> CreateRegIntl();
  virtual std::unique_ptr<TRegTips> CreateRegTips();

protected:
  friend TSingletonOf<TRVLRegFactory>;
  TRVLRegFactory() = default;
};

class TRVLB3RegFactory : public TSingletonOf<TRVLB3RegFactory, TRVLRegFactory> {
public:
  static constexpr char SingletonName[] = "TRVLB3RegFactory";

  // The C++Builder editor's settings.
  std::unique_ptr<TRegIDE> CreateRegIDE() override;

protected:
  friend TSingletonOf<TRVLB3RegFactory, TRVLRegFactory>;
  TRVLB3RegFactory() = default;
};
