#pragma once
// Creates the file-list builders; each builder belongs to the caller.
#include <memory>

#include "addin/frame/uSingleton.h"
#include "addin/selection/uRVLFileListBuilder.h"

class TRVLFileListBuilderFactory : public TSingletonOf<TRVLFileListBuilderFactory> {
public:
  static constexpr char SingletonName[] = "TRVLFileListBuilderFactory";

  virtual std::unique_ptr<TRVLFileListBuilder> CreateCurrentFileBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateVCSProjectBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateDifferentFilesBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateAllVCSFilesBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateAllLocalFilesBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateSynchronizeBuilder();
  virtual std::unique_ptr<TRVLSyncOpenListBuilder> CreateSyncOpenBuilder();
  virtual std::unique_ptr<TRVLFileListBuilder> CreateSyncCloseBuilder();

protected:
  friend TSingletonOf<TRVLFileListBuilderFactory>;
  TRVLFileListBuilderFactory() = default;
};
