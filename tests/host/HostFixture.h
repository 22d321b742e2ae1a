#pragma once
// A fresh IDE per test, on a copy of the sample project, answering prompts from a script.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QDeadlineTimer>

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

  // Runs events until `condition` holds, for at most five seconds.
  static bool WaitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(std::chrono::seconds(5));
    while (!condition()) {
      if (deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }

  std::unique_ptr<THost> FHost;
  TScriptedPrompterScope FPrompts;   // installed for the test's lifetime
  TScriptedPrompter* FPrompter = FPrompts.Script;

private:
};
