#include "addin/dialogs/uRVLFormFactory.h"

#include "addin/diagnostics/uFrmScanDebug.h"
#include "addin/dialogs/uFrmAdvanced.h"
#include "addin/dialogs/uFrmFileList.h"
#include "addin/dialogs/uFrmSynchronize.h"
#include "addin/execute/uFrmExecuteLog.h"
#include "addin/settings/uFrmOptions.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/tools/uFrmAddProject.h"
#include "addin/tools/uFrmExplorer.h"
#include "addin/tools/uFrmFileDiff.h"
#include "addin/tools/uFrmLabel.h"
#include "addin/tools/uFrmOtherFiles.h"
#include "addin/tools/uFrmShare.h"
#include "addin/tools/uFrmHistory.h"
#include "addin/tools/uFrmOpenFromVCS.h"
#include "ui/Application.h"
#include "ui/Screen.h"

TRVLFormPtr<TFrmExecuteLog> TRVLFormFactory::CreateExecuteLog() {
  return MakeRVLForm<TFrmExecuteLog>(&Application());
}

TRVLFormPtr<TFrmFileList> TRVLFormFactory::CreateFileListComment(TRVLProject* Project) {
  return MakeRVLForm<TFrmFileListComment>(&Application(), Project);
}

TRVLFormPtr<TFrmFileList> TRVLFormFactory::CreateFileListNoComment(TRVLProject* Project) {
  return MakeRVLForm<TFrmFileListNoComment>(&Application(), Project);
}

TRVLFormPtr<TFrmFileList> TRVLFormFactory::CreateFileListCheckIn(TRVLProject* Project) {
  return MakeRVLForm<TFrmFileListCheckin>(&Application(), Project);
}

TFrmAdvanced* TRVLFormFactory::CreateAdvancedGet(TForm* Owner) { return MakeRVLForm<TFrmAdvancedGet>(Owner).release(); }

TFrmAdvanced* TRVLFormFactory::CreateAdvancedCheckOut(TForm* Owner) {
  return MakeRVLForm<TFrmAdvancedCheckout>(Owner).release();
}

TFrmAdvanced* TRVLFormFactory::CreateAdvancedUndo(TForm* Owner) {
  return MakeRVLForm<TFrmAdvancedUndo>(Owner).release();
}

TRVLFormPtr<TFrmFileList> TRVLFormFactory::CreateFileListAdd(TRVLProject* Project) {
  return MakeRVLForm<TFrmFileListAdd>(&Application(), Project);
}

TRVLFormPtr<TFrmFileList> TRVLFormFactory::CreateSynchronize() {
  return MakeRVLForm<TFrmSynchronize>(&Application(), nullptr);
}

TRVLFormPtr<TFrmAbout> TRVLFormFactory::CreateAbout() { return MakeRVLForm<TFrmAbout>(&Application()); }

TRVLFormPtr<TFrmOptions> TRVLFormFactory::CreateOptions() { return MakeRVLForm<TFrmOptions>(&Application()); }

TFrmSplash* TRVLFormFactory::CreateSplash() { return MakeRVLForm<TFrmSplash>(StartupForm()).release(); }

TRVLFormPtr<TFrmLogin> TRVLFormFactory::CreateLogin() { return MakeRVLForm<TFrmLogin>(&Application()); }

TRVLFormPtr<TFrmScanDebug> TRVLFormFactory::CreateScanDebug() { return MakeRVLForm<TFrmScanDebug>(nullptr); }

TRVLFormPtr<TFrmFileDiff> TRVLFormFactory::CreateFileDiff(const std::string& LeftFile, const std::string& RightFile,
                                                          const std::string& DiffFile, const std::string& LeftCaption,
                                                          const std::string& RightCaption) {
  return MakeRVLForm<TFrmFileDiff>(&Application(), LeftFile, RightFile, DiffFile, LeftCaption, RightCaption);
}

TFrmExplorer* TRVLFormFactory::CreateExplorer(VSSPtr<IVSSDatabase> Database, const std::string& Spec) {
  THourglass hourglass;
  if (!FExplorer || FExplorer->Closed()) FExplorer = MakeRVLForm<TFrmExplorer>(&Application(), Database).release();
  FExplorer->SetDatabase(Database);
  FExplorer->LoadTree(Spec);
  return FExplorer;
}

TRVLFormPtr<TFrmAddProject> TRVLFormFactory::CreateAddProject(VSSPtr<IVSSDatabase> Database) {
  THourglass hourglass;
  TRVLFormPtr<TFrmAddProject> form = MakeRVLForm<TFrmAddProject>(&Application(), Database);
  form->LoadTree("/");
  return form;
}

TRVLFormPtr<TFrmOpenFromVCS> TRVLFormFactory::CreateOpenFromVCS(VSSPtr<IVSSDatabase> Database) {
  THourglass hourglass;
  TRVLFormPtr<TFrmOpenFromVCS> form = MakeRVLForm<TFrmOpenFromVCS>(&Application(), Database);
  form->LoadTree("/");
  return form;
}

TRVLFormFactory::~TRVLFormFactory() {
  if (FExplorer) TRVLFormDeleter()(FExplorer);
}

TRVLFormPtr<TFrmLabel> TRVLFormFactory::CreateLabel(VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> Item) {
  return MakeRVLForm<TFrmLabel>(&Application(), std::move(Database), std::move(Item));
}

namespace {

// A project-tree dialog on `Database`, showing the database's whole tree.
template <class T>
TRVLFormPtr<T> MakeTreeForm(QObject* Owner, VSSPtr<IVSSDatabase> Database) {
  THourglass hourglass;
  TRVLFormPtr<T> form = MakeRVLForm<T>(Owner, std::move(Database));
  form->LoadTree("/");
  return form;
}

} // namespace

TRVLFormPtr<TFrmOtherFiles> TRVLFormFactory::CreateOtherFiles(TForm* Owner, VSSPtr<IVSSDatabase> Database) {
  return MakeTreeForm<TFrmOtherFiles>(Owner, std::move(Database));
}

TRVLFormPtr<TFrmShare> TRVLFormFactory::CreateShare(VSSPtr<IVSSDatabase> Database) {
  return MakeTreeForm<TFrmShare>(&Application(), std::move(Database));
}

TRVLFormPtr<TFrmShareConfirm> TRVLFormFactory::CreateShareConfirm(const std::string& Msg, bool AllowRecurse) {
  return MakeRVLForm<TFrmShareConfirm>(&Application(), Msg, AllowRecurse);
}

TRVLFormPtr<TFrmHistory> TRVLFormFactory::CreateHistory() { return MakeRVLForm<TFrmHistory>(&Application()); }

TRVLFormPtr<TFrmHistoryDetails> TRVLFormFactory::CreateHistoryDetails(TFrmHistory* History) {
  return MakeRVLForm<TFrmHistoryDetails>(&Application(), History);
}

TForm* StartupForm() {
  for (TForm* form : Screen().Forms())
    if (form->Owner() == &Application() && form->Name().empty()) return form;
  return nullptr;
}
