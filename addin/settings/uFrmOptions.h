#pragma once
// The Options dialog: every stored option on six pages. All values are read when the dialog is made
// and written back, page by page, when the user presses OK; Cancel writes nothing.
#include <memory>
#include <string>
#include <vector>

#include "addin/dialogs/uRVLForm.h"
#include "ui/Graphics.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QTabWidget;
class TRVLListBox;
class TRegAssoc;
class TRegDiffView;
class TRegIntl;
class TRegOptions;
class TSyntaxLines;

class TFrmOptions : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmOptions(QObject* Owner = nullptr);
  ~TFrmOptions() override;

  // The page shown last is shown again.
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;

  // The index of the "Difference Viewer" page, the one the viewer opens alone.
  static constexpr int DiffViewerPage = 4;

  QTabWidget* pgcOptions;
  QPushButton* btnOK;
  QPushButton* btnCancel;

  // General
  QWidget* tabsGeneral;
  QGroupBox* gbSynchronize;
  QCheckBox* chkbSynchOnOpen;
  QCheckBox* chkbSyncOnClose;
  QGroupBox* gbViewers;
  QLabel* lblAsciiViewer;
  QLineEdit* edAsciiViewer;
  QLabel* lblDiffViewer;
  QLineEdit* edDiffViewer;
  QPushButton* btnBrowseAscii;
  QPushButton* btnBrowseDiff;
  QCheckBox* chkbUseInternalDiff;
  QGroupBox* gbShortCuts;
  QLabel* lblOperation;
  QComboBox* cboxOperation;
  QKeySequenceEdit* hkeyOperation;

  // Advanced
  QWidget* tabsAdvanced;
  QCheckBox* chkbShowHints;
  QCheckBox* chkbEnableEI;
  QCheckBox* chkbAutoCheck;
  QLabel* lblEvery;
  QLineEdit* edDays;
  QLabel* lblDays;
  QCheckBox* chkbShowCommentFromPopup;
  QCheckBox* chkbShowCommentFromAutoCheckout;

  // Associations
  QWidget* tabshAssoc;
  QLabel* lblMain;
  QComboBox* cboxMainFiles;
  QPushButton* btnAddMain;
  QPushButton* btnRemoveMain;
  QLabel* lblAssoc;
  QListWidget* lbAssoc;
  QPushButton* btnAddAssoc;
  QPushButton* btnEditAssoc;
  QPushButton* btnRemoveAssoc;
  QLabel* lblExample;
  QLabel* lblFormExample;
  QCheckBox* chkbDisable;

  // Files
  QWidget* tabsFiles;
  QLabel* lblUnchanged;
  QComboBox* cboxUnchanged;
  QLabel* lblCompare;
  QComboBox* cboxCompare;
  QLabel* lblReplace;
  QComboBox* cboxReplace;
  QLabel* lblDate;
  QComboBox* cboxSetLocalFilesTime;
  QCheckBox* chkbUseReadOnly;
  QGroupBox* gbCheckIn;
  QListWidget* lbCheckinFiles;
  QPushButton* btnAdd;
  QPushButton* btnEdit;
  QPushButton* btnRemove;
  QLabel* lblExmaple2;
  QLabel* lblCheckInExample;

  // Difference Viewer
  QWidget* tabsDiffViewer;
  QGroupBox* gbSyntax;
  QCheckBox* chkbUseSyntax;
  QCheckBox* chkbIgnoreSpaces;
  QGroupBox* gbColors;
  QLabel* lblEvent;
  QComboBox* cboxEvents;
  QPushButton* btnBrowseColor;
  QLabel* lblExample2;
  TRVLListBox* vlbExample;

  // International
  QWidget* tabsInternational;
  QLabel* lblDelphiLang;
  QComboBox* cboxIDELang;
  QLabel* lblSourceSafeLang;
  QComboBox* cboxSourceSafeLang;
  QGroupBox* gbInterHelp;
  QLabel* lblEmail;

  // The companion masks of each file type, in the order of cboxMainFiles.
  const std::vector<std::vector<std::string>>& AssocMasks() const { return FAssocMasks; }

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void BuildGeneral();
  void BuildAdvanced();
  void BuildAssociations();
  void BuildFiles();
  void BuildDiffViewer();
  void BuildInternational();

  void LoadGeneral();
  void LoadAssociations();
  void LoadFiles();
  void LoadInternational();
  void LoadDiffViewer();
  void LoadAdvanced();
  void SaveGeneral();
  void SaveAssociations();
  void SaveFiles();
  void SaveInternational();
  void SaveDiffViewer();
  void SaveAdvanced();

  void btnOKClick();
  void chkbUseInternalDiffClick();
  void btnBrowseAsciiClick(QPushButton* Sender);
  void cboxOperationChange();
  void hkeyOperationChange();
  void chkbAutoCheckClick();
  void edDaysExit();
  void cboxMainFilesChange();
  void btnAddMainClick();
  void btnRemoveMainClick();
  void btnAddAssocClick();
  void btnEditAssocClick();
  void btnRemoveAssocClick();
  void lbAssocClick();
  void chkbDisableClick();
  void btnAddClick();
  void btnEditClick();
  void btnRemoveClick();
  void lbCheckinFilesClick();
  void cboxEventsChange();
  void vlbExampleClick();
  void btnBrowseColorClick();
  void vlbExampleDrawItem(TRVLListBox* Control, int Index, QPainter& Canvas, const QRect& Rect, unsigned State);
  void lblEmailClick();
  // The never-check-in mask typed into an input box, "*" put before a bare extension; empty when
  // cancelled, blank, or refused as an invalid mask.
  std::string AskCheckInMask(const std::string& Value);

  std::unique_ptr<TRegAssoc> FRegAssoc;
  std::unique_ptr<TRegOptions> FRegOptions;
  std::unique_ptr<TRegIntl> FRegIntl;
  std::unique_ptr<TRegDiffView> FRegDiffView;
  TColor FIdentifierBackground = clWindow;
  std::vector<std::vector<std::string>> FAssocMasks;
  std::unique_ptr<TSyntaxLines> FExampleSyntax;
};
