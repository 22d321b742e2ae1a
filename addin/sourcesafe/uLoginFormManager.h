#pragma once
// Keeps the one login dialog of the process and runs it; a request while it is showing is refused,
// so there is never a second login dialog.
#include <string>

#include <QPointer>

#include "addin/frame/uSingleton.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "ui/Form.h"
#include "vss/api/VSSApi.h"


class TLoginFormManager : public TSingletonOf<TLoginFormManager> {
public:
  static constexpr char SingletonName[] = "TLoginFormManager";

  // The results of the last run of the dialog.
  virtual std::string GetUserName();
  virtual std::string GetPassword();
  virtual VSSPtr<IVSSDatabase> GetDatabase();
  virtual bool GetSavePass();

  // Shows the dialog for `UserName` and `IniPath` with `Message` in its status bar; returns its
  // modal result, or mrCancel at once while it is already showing.
  TModalResult Execute(const std::string& UserName, const std::string& IniPath, const std::string& Message);
  TFrmLogin* Form() const { return FForm; }

protected:
  friend TSingletonOf<TLoginFormManager>;
  TLoginFormManager() = default;
  void Init() override;
  void Done() override;

private:
  // Owned; also goes with the application object, should that end first.
  QPointer<TFrmLogin> FForm;
};
