#pragma once
// A scratch SourceSafe database for the benchmarks: a temporary folder (removed again when the
// object goes) holding the database in db/ and a working folder work/, opened as Admin. With
// `server` (a connection string of an empty PostgreSQL database) the database is kept there.
#include <string>

#include "vss/api/VSSInterfaces.h"

class BenchDatabase {
public:
  explicit BenchDatabase(const std::string& server = {});
  ~BenchDatabase();
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;

  IVSSDatabase& Database() { return *FDatabase; }
  // Opens the database again in a new session, as a new process would find it.
  void Reopen();
  VSSPtr<IVSSItem> Root() { return FDatabase->VSSItem("$/"); }
  const std::string& Folder() const { return FFolder; }   // the temporary folder
  std::string Work() const { return FFolder + "/work"; }

private:
  std::string FFolder;
  VSSPtr<IVSSDatabase> FDatabase;
};

// Writes `content` to `path`, making its folder and replacing a read-only file.
void WriteBenchFile(const std::string& path, const std::string& content);
