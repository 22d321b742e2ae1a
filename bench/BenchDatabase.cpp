#include "BenchDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/Environment.h"
#include "platform/Files.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSDatabaseObject.h"

namespace fs = std::filesystem;

BenchDatabase::BenchDatabase(const std::string& server) {
  std::string pattern = (fs::temp_directory_path() / "ravelin-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  FFolder = pattern;
  // Nothing here may touch the user's own registry or cache.
  platform::SetEnv("RAVELIN_REGISTRY_DIR", FFolder + "/registry");
  platform::SetEnv("XDG_CACHE_HOME", FFolder + "/cache");
  fs::create_directories(Work());
  VSSAdmin::CreateDatabase(FFolder + "/db", server);
  FDatabase = VSSPtr<IVSSDatabase>(new VSSDatabaseObject());
  FDatabase->Open(FFolder + "/db", "Admin", "");
  Root()->SetLocalSpec(Work());
}

void BenchDatabase::Reopen() {
  FDatabase = VSSPtr<IVSSDatabase>(new VSSDatabaseObject());
  FDatabase->Open(FFolder + "/db", "Admin", "");
}

BenchDatabase::~BenchDatabase() {
  FDatabase.Reset();
  std::error_code ec;
  for (auto& entry : fs::recursive_directory_iterator(FFolder, ec))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(FFolder, ec);
}

void WriteBenchFile(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(path).parent_path());
  platform::SetReadOnly(path, false);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}
