#include "addin/frame/uRVLEntry.h"

#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLHintManager.h"
#include "addin/frame/uRVLClient.h"
#include "addin/frame/uRVLGlobals.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

// The splash shows over the IDE's start-up screen while the IDE loads; without one, the IDE has
// finished starting and the splash goes at once.
void ShowSplash() {
  TFrmSplash* splash = TRVLFormFactory::_Instance().CreateSplash();
  if (!splash->Owner()) {
    splash->Close();
    return;
  }
  splash->Show();
  splash->repaint();
}

} // namespace

extern "C" TIVCSClient* RVLENTRY(TIToolServices* toolServices) {
  TIVCSClient* client = nullptr;
  Guarded(nullptr, [&] {
    // The add-in's windows belong to the IDE's main window.
    if (toolServices)
      if (auto* mainForm = qobject_cast<TForm*>(toolServices->GetParentHandle())) Application().SetMainForm(mainForm);
    // In place before anything else runs, so that every later failure reaches the debug log.
    TRVLExceptionHandler::_Instance();
    TRVLGlobals& globals = Globals();
    Guarded(&globals, [&] {
      globals.ToolServices = toolServices;
      ShowSplash();
      client = new TRVLClient();
      TRVLHintManager::_Instance();
    });
  });
  return client;
}
