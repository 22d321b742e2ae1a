#include "addin/sourcesafe/uLoginFormManager.h"

#include "addin/dialogs/uRVLFormFactory.h"

void TLoginFormManager::Init() {
  TSingletonOf::Init();
  FForm = TRVLFormFactory::_Instance().CreateLogin().release();
}

void TLoginFormManager::Done() {
  if (FForm) TRVLFormDeleter()(FForm.data());
  TSingletonOf::Done();
}

std::string TLoginFormManager::GetUserName() { return FForm ? FForm->GetUserName() : std::string(); }

std::string TLoginFormManager::GetPassword() { return FForm ? FForm->GetPassword() : std::string(); }

VSSPtr<IVSSDatabase> TLoginFormManager::GetDatabase() { return FForm ? FForm->GetDatabase() : nullptr; }

bool TLoginFormManager::GetSavePass() { return FForm && FForm->GetSavePass(); }

TModalResult TLoginFormManager::Execute(const std::string& UserName, const std::string& IniPath,
                                        const std::string& Message) {
  if (!FForm || FForm->isVisible() || FForm->IsModal()) return mrCancel;
  FForm->SetStatusText(Message);
  FForm->Setup(UserName, IniPath);
  return FForm->ShowModal();
}
