#include "addin/execute/uRVLExecute.h"

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/execute/uFrmExecuteLog.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItems.h"

TRVLExecute::TRVLExecute() : FFlags(TRVLRegFactory::_Instance().CreateRegOptions()->GetFlags()) {}

TRVLExecute::~TRVLExecute() = default;

void TRVLExecute::Execute(const std::string& Comment, TFlags* Flags) {
  THourglass hourglass;
  TFlags& flags = Flags ? *Flags : *FFlags;
  FLogWindow = TRVLFormFactory::_Instance().CreateExecuteLog();
  FLogWindow->Show();
  BeforeExecute();
  bool failed = false;
  const int count = FItems ? FItems->Count() : 0;
  for (int i = 0; i < count; ++i) {
    const std::string name = FItems->GetItem(i)->GetLocalSpec();
    try {
      ExecuteItem(i, Comment, flags);
      FLogWindow->AddLine(name + " - OK", TFrmExecuteLog::lmOK);
    } catch (const std::exception& e) {
      FLogWindow->AddLine(name + " - " + e.what(), TFrmExecuteLog::lmFailed);
      failed = true;
    }
    FLogWindow->ShowLastLine();
    AfterExecute();
    FLogWindow->raise();
  }
  if (!failed) return;
  FLogWindow->hide();
  FLogWindow->DeleteOKLines();
  FLogWindow->ShowModal();
}

TRVLExecuteAndReload::TRVLExecuteAndReload() : FReloadList(TRVLFactory::_Instance().CreateItems()) {}

TRVLExecuteAndReload::~TRVLExecuteAndReload() {
  Guarded(this, [this] { AfterExecute(); });
}

void TRVLExecuteAndReload::AfterExecute() {
  for (int i = FReloadList->Count() - 1; i >= 0; --i) {
    FReloadList->GetItem(i)->ReloadInIDE(true);
    FReloadList->Delete(i);
  }
}
