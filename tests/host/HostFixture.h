#pragma once
// A fresh IDE per test, on a copy of the sample project, answering prompts from a script.
#include <filesystem>
#include <memory>

#include "TempDirTest.h"
#include "host/Host.h"
#include "ScriptedPrompterScope.h"

class HostFixture : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::copy(RAVELIN_SAMPLES_DIR, Dir() / "samples", std::filesystem::copy_options::recursive);
    FHost = std::make_unique<THost>();
  }

  void TearDown() override {
    FHost.reset();
    TempDirTest::TearDown();
  }

  std::string Sample(const std::string& name) const { return PathOf("samples/Demo/" + name); }

  std::unique_ptr<THost> FHost;
  TScriptedPrompterScope FPrompts;   // installed for the test's lifetime
  TScriptedPrompter* FPrompter = FPrompts.Script;

private:
};
