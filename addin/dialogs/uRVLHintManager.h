#pragma once
// Takes over the application's hint event while the add-in is loaded: a hint over a control of one
// of the add-in's forms is given to that form, every other hint to the handler that was in place
// before. The add-in's hint window classes are registered with the application for as long.
#include <string>

#include "addin/frame/uSingleton.h"
#include "ui/Application.h"

class TRVLHintManager : public TSingletonOf<TRVLHintManager> {
public:
  static constexpr char SingletonName[] = "TRVLHintManager";

  // The application's hint event while the manager is in place.
  void ShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo);

protected:
  friend TSingletonOf<TRVLHintManager>;
  TRVLHintManager() = default;
  void Init() override;
  void Done() override;

private:
  TShowHintEvent FOldOnShowHint;
};
