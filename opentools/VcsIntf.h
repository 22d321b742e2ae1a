#pragma once
// The version-control client an add-in gives the IDE. The IDE shows a menu captioned with
// GetMenuName, filled with the client's verbs; it asks GetVerbCount after loading, before the menu
// opens and after each project change, and calls ProjectChange after each project change.
#include <string>

#include "opentools/Interface.h"

// Bits of GetVerbState.
constexpr int vsEnabled = 1;
constexpr int vsChecked = 2;

class TIVCSClient : public TInterface {
public:
  virtual std::string GetIDString() = 0;
  virtual void ExecuteVerb(int index) = 0;
  virtual std::string GetMenuName() = 0;
  virtual std::string GetVerb(int index) = 0;
  virtual int GetVerbCount() = 0;
  virtual int GetVerbState(int index) = 0;
  virtual void ProjectChange() = 0;
};
