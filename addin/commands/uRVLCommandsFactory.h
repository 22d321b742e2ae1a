#pragma once
// Creates the command groups; each group belongs to the caller.
#include <memory>

#include "addin/frame/uSingleton.h"

class TRVLCommands;
class TRVLFilesCommands;
class TRVLProjectCommands;
class TRVLViewCommands;

class TRVLCommandsFactory : public TSingletonOf<TRVLCommandsFactory> {
public:
  static constexpr char SingletonName[] = "TRVLCommandsFactory";

  virtual std::unique_ptr<TRVLFilesCommands> CreateFilesCommands();
  virtual std::unique_ptr<TRVLProjectCommands> CreateProjectCommands();
  virtual std::unique_ptr<TRVLViewCommands> CreateViewCommands();
  virtual std::unique_ptr<TRVLCommands> CreateCommands();

protected:
  friend TSingletonOf<TRVLCommandsFactory>;
  TRVLCommandsFactory() = default;
};
