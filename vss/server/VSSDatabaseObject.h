#pragma once
// The database object clients create and open; until Open succeeds every other call raises.
#include <memory>

#include "vss/api/VSSInterfaces.h"
#include "vss/server/VSSObject.h"
#include "vss/server/VSSSession.h"

class VSSDatabaseObject : public VSSObject<IVSSDatabase> {
public:
  void Open(const std::string& srcSafeIni, const std::string& user, const std::string& password) override;
  std::string SrcSafeIni() override;
  std::string DatabaseName() override;
  std::string UserName() override;
  std::string CurrentProject() override;
  void SetCurrentProject(const std::string& spec) override;
  VSSPtr<IVSSItem> VSSItem(const std::string& spec, bool deleted) override;

private:
  VSSSession& Session();
  std::string StoredCurrentProject();   // as the database keeps it for this user
  // The entry of `spec` (relative specs against the current project); raises when missing.
  int64_t Resolve(const std::string& spec, bool deleted);

  std::shared_ptr<VSSSession> FSession;
};
