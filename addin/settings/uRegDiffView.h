#pragma once
// Settings of the built-in difference viewer, and the markers of SourceSafe's difference report in
// the chosen SourceSafe language.
#include "addin/settings/uReg.h"

class TRegDiffView : public TReg {
public:
  static constexpr char ClassName[] = "TRegDiffView";
  TRegDiffView();

  virtual bool GetSyntax() { return FRegistry->ReadBool("Syntax", true); }
  virtual void SetSyntax(bool Value) { FRegistry->WriteBool("Syntax", Value); }
  virtual bool GetIgnoreSpaces() { return FRegistry->ReadBool("IgnoreSpaces", false); }
  virtual void SetIgnoreSpaces(bool Value) { FRegistry->WriteBool("IgnoreSpaces", Value); }
  // Line colours, as colour numbers (0x00BBGGRR).
  virtual int GetChangeColor() { return FRegistry->ReadInteger("Change", 0x0000FF); }
  virtual void SetChangeColor(int Value) { FRegistry->WriteInteger("Change", Value); }
  virtual int GetInsertColor() { return FRegistry->ReadInteger("Insert", 0x00FF00); }
  virtual void SetInsertColor(int Value) { FRegistry->WriteInteger("Insert", Value); }
  virtual int GetDeleteColor() { return FRegistry->ReadInteger("Delete", 0xFFFF00); }
  virtual void SetDeleteColor(int Value) { FRegistry->WriteInteger("Delete", Value); }
  // "Change:", "Del:", "Ins:" in the chosen SourceSafe language.
  virtual std::string GetChangeWord() { return LangWord("Change"); }
  virtual std::string GetDeleteWord() { return LangWord("Del"); }
  virtual std::string GetInsertWord() { return LangWord("Ins"); }

protected:
  std::string LangWord(const std::string& name);

  std::string FLangKey;
};
