#include "addin/frame/uRVLEntry.h"

#include "addin/frame/uRVLClient.h"
#include "addin/frame/uRVLGlobals.h"
#include "ui/Application.h"
#include "ui/Form.h"

extern "C" TIVCSClient* RVLENTRY(TIToolServices* toolServices) {
  TIVCSClient* client = nullptr;
  Guarded(nullptr, [&] {
    // The add-in's windows belong to the IDE's main window.
    if (toolServices)
      if (auto* mainForm = qobject_cast<TForm*>(toolServices->GetParentHandle())) Application().SetMainForm(mainForm);
    TRVLGlobals& globals = Globals();
    Guarded(&globals, [&] {
      globals.ToolServices = toolServices;
      client = new TRVLClient();
    });
  });
  return client;
}
