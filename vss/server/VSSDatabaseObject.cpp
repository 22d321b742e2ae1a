#include "vss/server/VSSDatabaseObject.h"

#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/server/VSSItemObject.h"
#include "vss/server/VSSSpec.h"
#include "vss/server/VSSTree.h"

void VSSDatabaseObject::Open(const std::string& srcSafeIni, const std::string& user, const std::string& password) {
  FSession = VSSSession::Open(srcSafeIni, user, password);
}

VSSSession& VSSDatabaseObject::Session() {
  if (!FSession) throw EVSSAutomation("The database is not open", VSSError::InvalidOperation);
  return *FSession;
}

std::string VSSDatabaseObject::SrcSafeIni() { return Session().IniPath; }

std::string VSSDatabaseObject::DatabaseName() { return Session().Name; }

std::string VSSDatabaseObject::UserName() { return Session().UserName; }

std::string VSSDatabaseObject::CurrentProject() {
  VSSSession& session = Session();
  return session.CurrentProject.empty() ? StoredCurrentProject() : session.CurrentProject;
}

std::string VSSDatabaseObject::StoredCurrentProject() {
  VSSSession& session = Session();
  VSSStore::Statement row(*session.Store, "SELECT current_project FROM users WHERE id = ?");
  row.Bind(1, session.UserId);
  return row.Step() ? row.Text(0) : std::string(VSSSpec::Root);
}

int64_t VSSDatabaseObject::Resolve(const std::string& spec, bool deleted) {
  const std::vector<std::string> names = VSSSpec::Parse(spec, CurrentProject());
  VSSTree tree(Session());
  const auto entry = Session().Store->Read([&] { return tree.Resolve(names, deleted); });
  if (!entry) throw EVSSAutomation("File or project not found", VSSError::NotFound);
  return *entry;
}

void VSSDatabaseObject::SetCurrentProject(const std::string& spec) {
  VSSSession& session = Session();
  const int64_t entry = Resolve(spec, false);
  VSSTree tree(session);
  const std::string project = session.Store->Read([&] {
    if (tree.Entry(entry).Type != VSSITEM_PROJECT)
      throw EVSSAutomation(tree.SpecOf(entry) + " is a file, not a project", VSSError::InvalidOperation);
    return tree.SpecOf(entry);
  });
  session.CurrentProject = project;
  // Opening a project sets the project it is already on: that only reads. A database that can't
  // take the change now (busy, read-only) still serves this session with it.
  if (StoredCurrentProject() == project) return;
  try {
    session.Store->Write([&] {
      session.Store->Execute("UPDATE users SET current_project = ? WHERE id = ?", project, session.UserId);
    });
  } catch (const EVSSAutomation& error) {
    if (error.ErrorCode() != VSSError::DatabaseBusy && error.ErrorCode() != VSSError::DatabaseReadOnly) throw;
  }
}

VSSPtr<IVSSItem> VSSDatabaseObject::VSSItem(const std::string& spec, bool deleted) {
  return VSSPtr<IVSSItem>(new VSSItemObject(FSession, Resolve(spec, deleted)));
}
