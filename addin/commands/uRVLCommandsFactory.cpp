#include "addin/commands/uRVLCommandsFactory.h"

#include "addin/commands/uRVLCommands.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/commands/uRVLProjectCommands.h"
#include "addin/tools/uRVLViewCommands.h"

std::unique_ptr<TRVLFilesCommands> TRVLCommandsFactory::CreateFilesCommands() {
  return std::make_unique<TRVLFilesCommands>();
}

std::unique_ptr<TRVLViewCommands> TRVLCommandsFactory::CreateViewCommands() {
  return std::make_unique<TRVLViewCommands>();
}

std::unique_ptr<TRVLCommands> TRVLCommandsFactory::CreateCommands() { return std::make_unique<TRVLCommands>(); }

std::unique_ptr<TRVLProjectCommands> TRVLCommandsFactory::CreateProjectCommands() {
  return std::make_unique<TRVLProjectCommands>();
}
