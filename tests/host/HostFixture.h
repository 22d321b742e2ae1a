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
#include "ui/ScriptedPrompter.h"

class HostFixture : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::copy(RAVELIN_SAMPLES_DIR, Dir() / "samples", std::filesystem::copy_options::recursive);
    auto prompter = std::make_unique<TScriptedPrompter>();
    FPrompter = prompter.get();
    FOldPrompter = SetPrompter(std::move(prompter));
    FHost = std::make_unique<THost>();
  }

  void TearDown() override {
    FHost.reset();
    SetPrompter(std::move(FOldPrompter));
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
  TScriptedPrompter* FPrompter = nullptr;

private:
  std::unique_ptr<TPrompter> FOldPrompter;
};
