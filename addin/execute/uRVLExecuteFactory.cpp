#include "addin/execute/uRVLExecuteFactory.h"

#include "addin/execute/uRVLExecuteAdd.h"
#include "addin/execute/uRVLExecuteCheckIn.h"
#include "addin/execute/uRVLExecuteGet.h"
#include "addin/execute/uRVLExecuteSynchronize.h"

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateGet() { return std::make_unique<TRVLExecuteGet>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateCheckOut() { return std::make_unique<TRVLExecuteCheckOut>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateCheckIn() { return std::make_unique<TRVLExecuteCheckIn>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateUndoCheckOut() {
  return std::make_unique<TRVLExecuteUndoCheckOut>();
}

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateAddFile() { return std::make_unique<TRVLExecuteAddFile>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateRemoveFile() {
  return std::make_unique<TRVLExecuteRemoveFile>();
}

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateSynchronize() {
  return std::make_unique<TRVLExecuteSynchronize>();
}

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateSyncClose() { return std::make_unique<TRVLExecuteSyncClose>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreatePurge() { return std::make_unique<TRVLExecutePurge>(); }

std::unique_ptr<TRVLExecute> TRVLExecuteFactory::CreateRecover() { return std::make_unique<TRVLExecuteRecover>(); }
