#include "vss/server/VSSSession.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "vss/api/VSSErrors.h"
#include "vss/server/VSSIni.h"
#include "vss/server/VSSPassword.h"
#include "vss/server/VSSRegistry.h"

std::shared_ptr<VSSSession> VSSSession::Open(const std::string& iniPath, const std::string& user,
                                             const std::string& password) {
  if (VSSPassword::Length(password) > VSSPassword::MaxLength)
    throw EVSSAutomation("Out of present range", VSSError::Overflow);
  std::string database = iniPath;
  if (database.empty()) database = VSSRegistry::CurrentDatabase();
  if (database.empty()) throw EVSSAutomation("Cannot find database (none is current)", VSSError::DatabaseNotFound);

  auto session = std::make_shared<VSSSession>();
  session->IniPath = VSSIni::IniPathOf(database);
  const std::string folder = platform::ExtractFileDir(session->IniPath);
  session->Name = VSSRegistry::NameOfFolder(folder);
  if (session->Name.empty()) session->Name = platform::ExtractFileName(folder);
  session->Store = VSSStore::Open(session->IniPath);

  const std::string login = user.empty() ? platform::UserName() : user;
  VSSStore::Statement find(*session->Store, "SELECT id, name, password FROM users WHERE folded = ?");
  find.Bind(1, platform::FoldCase(login));
  if (!find.Step()) throw EVSSAutomation("User \"" + login + "\" not found", VSSError::UserNotFound);
  if (!VSSPassword::Verify(find.Text(2), password)) throw EVSSAutomation("Invalid password", VSSError::InvalidPassword);
  session->UserId = find.Int(0);
  session->UserName = find.Text(1);
  return session;
}
