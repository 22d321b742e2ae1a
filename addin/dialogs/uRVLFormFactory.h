#pragma once
// Creates the add-in's dialogs, so that callers never name a form class; it also decides each
// dialog's owner and constructor arguments. A created form is not shown yet and belongs to the
// caller unless said otherwise.
#include <QPointer>

#include "addin/dialogs/uFrmAbout.h"
#include "addin/dialogs/uFrmSplash.h"
#include "addin/dialogs/uRVLForm.h"
#include "addin/frame/uSingleton.h"
#include "vss/api/VSSApi.h"

class TFrmAddProject;
class TFrmAdvanced;
class TFrmExecuteLog;
class TFrmExplorer;
class TFrmLabel;
class TFrmFileList;
class TFrmFileDiff;
class TFrmHistory;
class TFrmHistoryDetails;
class TFrmLogin;
class TFrmOpenFromVCS;
class TFrmOptions;
class TFrmOtherFiles;
class TFrmScanDebug;
class TFrmShare;
class TFrmShareConfirm;
class TRVLProject;

class TRVLFormFactory : public TSingletonOf<TRVLFormFactory> {
public:
  static constexpr char SingletonName[] = "TRVLFormFactory";

  // The executors' log window.
  virtual TRVLFormPtr<TFrmExecuteLog> CreateExecuteLog();
  // The file-list dialogs of the operations, on `Project` (may be nil).
  virtual TRVLFormPtr<TFrmFileList> CreateFileListComment(TRVLProject* Project);
  virtual TRVLFormPtr<TFrmFileList> CreateFileListNoComment(TRVLProject* Project);
  virtual TRVLFormPtr<TFrmFileList> CreateFileListCheckIn(TRVLProject* Project);
  // The advanced panels, owned by the file-list dialog `Owner` they are attached to.
  virtual TFrmAdvanced* CreateAdvancedGet(TForm* Owner);
  virtual TFrmAdvanced* CreateAdvancedCheckOut(TForm* Owner);
  virtual TFrmAdvanced* CreateAdvancedUndo(TForm* Owner);
  virtual TRVLFormPtr<TFrmFileList> CreateFileListAdd(TRVLProject* Project);
  virtual TRVLFormPtr<TFrmFileList> CreateSynchronize();
  // Owned by the application.
  virtual TRVLFormPtr<TFrmAbout> CreateAbout();
  // The Options dialog, with every option read; owned by the application.
  virtual TRVLFormPtr<TFrmOptions> CreateOptions();
  // Owned by the IDE's start-up screen (StartupForm) and freed with it or when it closes itself;
  // without a start-up screen it has no owner, and the caller closes it, which frees it.
  virtual TFrmSplash* CreateSplash();
  // The login dialog; owned by the caller, and freed with the application at the latest.
  virtual TRVLFormPtr<TFrmLogin> CreateLogin();
  // The difference viewer on two versions of a file and the report `ss Diff` wrote for them; owned
  // by the application. Everything is loaded when it returns.
  virtual TRVLFormPtr<TFrmFileDiff> CreateFileDiff(const std::string& LeftFile, const std::string& RightFile,
                                                   const std::string& DiffFile, const std::string& LeftCaption,
                                                   const std::string& RightCaption);
  // The one project explorer, made on first request, switched to `Database` and showing the tree of
  // `Spec`; owned by the application and freed when it closes, so the next request makes a new one.
  virtual TFrmExplorer* CreateExplorer(VSSPtr<IVSSDatabase> Database, const std::string& Spec);
  // The project dialogs on `Database`, each showing its tree from the root.
  virtual TRVLFormPtr<TFrmAddProject> CreateAddProject(VSSPtr<IVSSDatabase> Database);
  virtual TRVLFormPtr<TFrmOpenFromVCS> CreateOpenFromVCS(VSSPtr<IVSSDatabase> Database);
  // The label dialog on `Item` of `Database`.
  TRVLFormPtr<TFrmLabel> CreateLabel(VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> Item);
  // The other-files window on `Database`, showing its whole tree; owned by the file-list dialog
  // `Owner`, over which it stays usable while that one is up.
  virtual TRVLFormPtr<TFrmOtherFiles> CreateOtherFiles(TForm* Owner, VSSPtr<IVSSDatabase> Database);
  // The share dialog on `Database`, showing its whole tree.
  virtual TRVLFormPtr<TFrmShare> CreateShare(VSSPtr<IVSSDatabase> Database);
  // The question `Msg` before a share; "Recurse Directories" can be ticked when `AllowRecurse`.
  virtual TRVLFormPtr<TFrmShareConfirm> CreateShareConfirm(const std::string& Msg, bool AllowRecurse);
  // The history window, and its details dialog showing `History`'s selected version; both owned by
  // the application.
  virtual TRVLFormPtr<TFrmHistory> CreateHistory();
  virtual TRVLFormPtr<TFrmHistoryDetails> CreateHistoryDetails(TFrmHistory* History);
  // The exception handler's waiting window; no owner.
  TRVLFormPtr<TFrmScanDebug> CreateScanDebug();

protected:
  friend TSingletonOf<TRVLFormFactory>;
  TRVLFormFactory() = default;
  // The explorer's code goes with the add-in, so an explorer still open goes first.
  ~TRVLFormFactory() override;

private:
  QPointer<TFrmExplorer> FExplorer;
};

// The IDE's start-up screen while it loads: the first form owned by the application that has no
// component name; nullptr when there is none.
TForm* StartupForm();
