#include "addin/execute/uRVLExecute.h"

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/execute/uFrmExecuteLog.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "vss/api/VSSErrors.h"

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
    } catch (const EVSSAutomation& e) {
      FLogWindow->AddLine(name + " - " + e.what(), TFrmExecuteLog::lmFailed);
      failed = true;
      // Every other file would wait for the same busy database in vain: they are left for later,
      // with one line for all of them.
      if (e.ErrorCode() == VSSError::DatabaseBusy && i + 1 < count) {
        FLogWindow->AddLine(std::to_string(count - i - 1) + " more file(s) left alone: the database is busy",
                            TFrmExecuteLog::lmFailed);
        i = count;
      }
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
