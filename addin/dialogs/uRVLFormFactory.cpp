#include "addin/dialogs/uRVLFormFactory.h"

#include "addin/diagnostics/uFrmScanDebug.h"
#include "addin/execute/uFrmExecuteLog.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "ui/Application.h"
#include "ui/Screen.h"

TRVLFormPtr<TFrmExecuteLog> TRVLFormFactory::CreateExecuteLog() {
  return MakeRVLForm<TFrmExecuteLog>(&Application());
}

TRVLFormPtr<TFrmAbout> TRVLFormFactory::CreateAbout() { return MakeRVLForm<TFrmAbout>(&Application()); }

TFrmSplash* TRVLFormFactory::CreateSplash() { return MakeRVLForm<TFrmSplash>(StartupForm()).release(); }

TRVLFormPtr<TFrmLogin> TRVLFormFactory::CreateLogin() { return MakeRVLForm<TFrmLogin>(&Application()); }

TRVLFormPtr<TFrmScanDebug> TRVLFormFactory::CreateScanDebug() { return MakeRVLForm<TFrmScanDebug>(nullptr); }

TForm* StartupForm() {
  for (TForm* form : Screen().Forms())
    if (form->Owner() == &Application() && form->Name().empty()) return form;
  return nullptr;
}
