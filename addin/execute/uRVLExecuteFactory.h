#pragma once
// Creates the executors; each executor belongs to the caller.
#include <memory>

#include "addin/execute/uRVLExecute.h"
#include "addin/frame/uSingleton.h"

class TRVLExecuteFactory : public TSingletonOf<TRVLExecuteFactory> {
public:
  static constexpr char SingletonName[] = "TRVLExecuteFactory";

  virtual std::unique_ptr<TRVLExecute> CreateGet();
  virtual std::unique_ptr<TRVLExecute> CreateCheckOut();
  virtual std::unique_ptr<TRVLExecute> CreateCheckIn();
  virtual std::unique_ptr<TRVLExecute> CreateUndoCheckOut();
  virtual std::unique_ptr<TRVLExecute> CreateAddFile();
  virtual std::unique_ptr<TRVLExecute> CreateRemoveFile();
  virtual std::unique_ptr<TRVLExecute> CreateSynchronize();
  virtual std::unique_ptr<TRVLExecute> CreateSyncClose();
  virtual std::unique_ptr<TRVLExecute> CreatePurge();
  virtual std::unique_ptr<TRVLExecute> CreateRecover();

protected:
  friend TSingletonOf<TRVLExecuteFactory>;
  TRVLExecuteFactory() = default;
};
