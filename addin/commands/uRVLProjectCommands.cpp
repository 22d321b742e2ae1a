#include "addin/commands/uRVLProjectCommands.h"

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmExplorer.h"
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
