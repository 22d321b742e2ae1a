#include "vss/cli/SsSession.h"

#include <filesystem>

#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/server/VSSDatabaseObject.h"

namespace vsscli {

SsSession::SsSession(const CommandLine& line)
    : FUser(platform::GetEnv("SSUSER")), FPassword(platform::GetEnv("SSPWD")) {
  if (line.Has('Y')) {
    std::string value = line.Value('Y');
    size_t comma = value.find(',');
    FUser = value.substr(0, comma);
    FPassword = comma == std::string::npos ? std::string() : value.substr(comma + 1);
  }
  for (const std::string& answer : line.Values('I'))
    if (platform::SameText(answer, "Y")) FAnswerYes = true;
}

IVSSDatabase& SsSession::Database() {
  if (!FDatabase) {
    // ss is part of the server's own installation: it uses the server directly, with no
    // registration needed.
    VSSPtr<IVSSDatabase> database(new VSSDatabaseObject());
    // The logon name is looked up only here: commands on local files alone don't need it.
    database->Open(platform::GetEnv("SSDIR"), FUser.empty() ? platform::UserName() : FUser, FPassword);
    FDatabase = std::move(database);
  }
  return *FDatabase;
}

VSSPtr<IVSSItem> SsSession::Item(const std::string& spec, bool deleted) {
  return Database().VSSItem(spec, deleted);
}

VSSPtr<IVSSItem> SsSession::CurrentProject() { return Item(Database().CurrentProject()); }

std::string SsSession::LocalPathOf(IVSSItem& file) {
  std::string local = file.LocalSpec();
  return local.empty() ? (std::filesystem::current_path() / file.Name()).string() : local;
}

std::string SsSession::FolderOf(IVSSItem& project) {
  std::string folder = project.LocalSpec();
  return folder.empty() ? std::filesystem::current_path().string() : folder;
}

} // namespace vsscli
