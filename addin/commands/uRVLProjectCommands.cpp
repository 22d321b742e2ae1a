#include "addin/commands/uRVLProjectCommands.h"

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmExplorer.h"

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
