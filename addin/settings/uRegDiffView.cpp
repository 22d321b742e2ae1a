#include "addin/settings/uRegDiffView.h"

#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegIntl.h"

TRegDiffView::TRegDiffView()
    : TReg(ClassName), FLangKey(TRVLRegFactory::_Instance().CreateRegIntl()->GetSSLangKey()) {}

std::string TRegDiffView::LangWord(const std::string& name) {
  return At(FLangKey).ReadString(name, name) + ":";
}
