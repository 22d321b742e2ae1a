#include "addin/execute/uRVLExecuteFactory.h"

#include "addin/execute/uRVLExecuteCheckIn.h"
#include "addin/execute/uRVLExecuteGet.h"

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateGet() { return std::make_unique<TRVLExecuteGet>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateCheckOut() { return std::make_unique<TRVLExecuteCheckOut>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateCheckIn() { return std::make_unique<TRVLExecuteCheckIn>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateUndoCheckOut() {
  return std::make_unique<TRVLExecuteUndoCheckOut>();
}
