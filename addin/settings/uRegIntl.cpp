#include "addin/settings/uRegIntl.h"

std::vector<std::string> TRegIntl::GetIDELanguages() { return At(FRegistry->GetKey() + "\\IDE").GetKeyNames(); }

std::vector<std::string> TRegIntl::GetSSLanguages() {
  return At(FRegistry->GetKey() + "\\SourceSafe").GetKeyNames();
}

std::string TRegIntl::GetIDELangKey() { return FRegistry->GetKey() + "\\IDE\\" + GetDelphiLang(); }

std::string TRegIntl::GetSSLangKey() { return FRegistry->GetKey() + "\\SourceSafe\\" + GetSSLang(); }
