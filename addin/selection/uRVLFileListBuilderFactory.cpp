#include "addin/selection/uRVLFileListBuilderFactory.h"

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateCurrentFileBuilder() {
  return std::make_unique<TRVLCurrentFileListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateVCSProjectBuilder() {
  return std::make_unique<TRVLVCSProjectListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateDifferentFilesBuilder() {
  return std::make_unique<TRVLDifferentFilesListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateAllVCSFilesBuilder() {
  return std::make_unique<TRVLAllVCSFilesListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateAllLocalFilesBuilder() {
  return std::make_unique<TRVLAllLocalFilesListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateSynchronizeBuilder() {
  return std::make_unique<TRVLSynchronizeListBuilder>();
}

std::unique_ptr<TRVLSyncOpenListBuilder> TRVLFileListBuilderFactory::CreateSyncOpenBuilder() {
  return std::make_unique<TRVLSyncOpenListBuilder>();
}

std::unique_ptr<TRVLFileListBuilder> TRVLFileListBuilderFactory::CreateSyncCloseBuilder() {
  return std::make_unique<TRVLSyncCloseListBuilder>();
}
