#pragma once
// The languages of the host IDE and of SourceSafe, and the keys holding their words in each language.
#include "addin/settings/uReg.h"

class TRegIntl : public TReg {
public:
  static constexpr char ClassName[] = "TRegIntl";
  TRegIntl() : TReg(ClassName) {}

  virtual std::string GetDelphiLang() { return FRegistry->ReadString("DelphiLang", "English"); }
  virtual void SetDelphiLang(const std::string& Value) { FRegistry->WriteString("DelphiLang", Value); }
  virtual std::string GetSSLang() { return FRegistry->ReadString("SSLang", "English"); }
  virtual void SetSSLang(const std::string& Value) { FRegistry->WriteString("SSLang", Value); }
  virtual std::vector<std::string> GetIDELanguages();
  virtual std::vector<std::string> GetSSLanguages();
  // Full key paths of the chosen languages' words.
  virtual std::string GetIDELangKey();
  virtual std::string GetSSLangKey();
};
