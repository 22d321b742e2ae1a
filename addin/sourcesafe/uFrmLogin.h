#pragma once
// The login dialog: user name, password and one of the databases SourceSafe registers (or another
// srcsafe.ini the user browses to and registers). OK opens the database and keeps the dialog open
// with SourceSafe's message in the status bar when that fails. Whether the password is to be saved
// is remembered per user.
#include <memory>
#include <string>

#include "addin/dialogs/uRVLForm.h"
#include "vss/api/VSSApi.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TRegVSS;
class TStatusBar;

class TFrmLogin : public TRVLForm {
  Q_OBJECT
public:
  explicit TFrmLogin(QObject* Owner = nullptr);
  ~TFrmLogin() override;

  // Prepares the dialog for a login of `UserName` to the database of `IniPath` (the current
  // database, or the first registered one, when no registered database has that ini).
  void Setup(const std::string& UserName, const std::string& IniPath);
  void SetStatusText(const std::string& Text);

  VSSPtr<IVSSDatabase> GetDatabase() const { return FDatabase; }
  const std::string& GetUserName() const { return FUserName; }
  const std::string& GetPassword() const { return FPassword; }
  bool GetSavePass() const { return FSavePass; }
  const std::string& GetSelectedIni() const { return FSelectedIni; }

  // The placement, and the state of "Save password".
  void LoadWindowPlacement() override;
  void SaveWindowPlacement() override;

  QLabel* lblUser;
  QLineEdit* edUser;
  QLabel* lblPassword;
  QLineEdit* edPassword;
  QLabel* lblDataBase;
  QComboBox* cboxDataBases;
  QLabel* lblPath;
  QLineEdit* edSrcsafePath;
  QPushButton* ButtonBrowse;
  QCheckBox* chkbSavePassword;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  TStatusBar* sbarLoginStatus;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

private:
  void cboxDataBasesChange();
  void edSrcsafePathEnter();
  void edSrcsafePathExit();
  void ButtonBrowseClick();
  void btnOKClick();
  // Registers the database of `IniPath` under a name the user gives; false when he gives none.
  bool RegisterDatabase(const std::string& IniPath);
  void SelectDatabase(const std::string& Name);

  VSSPtr<IVSSDatabase> FDatabase;
  std::string FUserName;
  std::string FIniPath;
  std::string FPassword;
  bool FSavePass = false;
  std::unique_ptr<TRegVSS> FRegVSS;
  std::string FSelectedIni;
};
