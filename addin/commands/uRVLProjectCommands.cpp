#include "addin/commands/uRVLProjectCommands.h"

#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/commands/uRVLFilesCommands.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmAddProject.h"
#include "addin/tools/uFrmExplorer.h"
#include "addin/tools/uFrmOpenFromVCS.h"
#include "addin/tools/uFrmShare.h"

void TRVLProjectCommands::ProjectExplorer(TRVLProject* Project) {
  VSSPtr<IVSSDatabase> database;
  std::string spec = "/";
  if (Project && Project->IsBound() && Project->GetDatabase()) {
    database = Project->GetDatabase();
    spec = Project->GetVSSProject()->Spec();
  } else {
    THourglass hourglass;
    database = TRVLFactory::_Instance().CreateLogin()->Login("");
  }
  if (!database) return;
  TFrmExplorer* explorer = TRVLFormFactory::_Instance().CreateExplorer(database, spec);
  if (explorer->WindowState() == wsMinimized) explorer->SetWindowState(wsNormal);
  explorer->Show();
}

// The binding and the Add come from the same database: the one the user logs in to.
void TRVLProjectCommands::AddProject(TRVLProject* Project) {
  if (!Project) return;
  VSSPtr<IVSSDatabase> database;
  {
    THourglass hourglass;
    database = TRVLFactory::_Instance().CreateLogin()->Login("");
  }
  if (!database) return;
  {
    TRVLFormPtr<TFrmAddProject> dialog = TRVLFormFactory::_Instance().CreateAddProject(database);
    dialog->SetProject(Project);
    if (dialog->ShowModal() != mrOk) return;
  }
  std::unique_ptr<TRVLFilesCommands> commands = TRVLCommandsFactory::_Instance().CreateFilesCommands();
  commands->SetProject(Project);
  commands->SetSelectionMode(TRVLFilesCommands::smAll);
  commands->AddFiles(true);
}

void TRVLProjectCommands::OpenFromSourceSafe(TRVLProject* Project) {
  VSSPtr<IVSSDatabase> database;
  {
    THourglass hourglass;
    database = Project && Project->IsBound() && Project->GetDatabase()
                   ? Project->GetDatabase()
                   : TRVLFactory::_Instance().CreateLogin()->Login("");
  }
  if (!database) return;
  TRVLFormFactory::_Instance().CreateOpenFromVCS(database)->ShowModal();
}

void TRVLProjectCommands::Share(TRVLProject* Project) {
  VSSPtr<IVSSDatabase> database = Project ? Project->GetDatabase() : nullptr;
  if (!database) {
    THourglass hourglass;
    database = TRVLFactory::_Instance().CreateLogin()->Login("");
  }
  if (!database) return;
  TRVLFormPtr<TFrmShare> share = TRVLFormFactory::_Instance().CreateShare(database);
  share->SetProject(Project);
  share->ShowModal();
}
