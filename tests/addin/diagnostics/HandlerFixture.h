#pragma once
// A fresh exception handler per test: its own singleton registry (so Init and Done run for each
// test), an installation folder in the temporary folder, a scripted prompter for error boxes, and a
// previous exception event that records what is passed on to it.
#include <memory>
#include <string>
#include <vector>

#include "TempDirTest.h"
#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/frame/uSingletonRegistry.h"
#include "ScriptedPrompterScope.h"

class HandlerFixture : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the handler (runs Init) with the installation folder as set in the registry.
  TRVLExceptionHandler& Start();
  // Destroys it (runs Done).
  void Stop();
  TRVLExceptionHandler& Handler() { return *FHandler; }

  // The folder the registry names as the installation folder (not created).
  std::string InstallDir() const { return PathOf("install"); }
  std::string LogFile() const { return InstallDir() + "/RVLDebug.txt"; }
  // The log split at CR LF.
  std::vector<std::string> LogLines() const;
  // Puts this test program's generated map into the installation folder, under the name the
  // handler looks for.
  void InstallOwnMap();
  // Writes `content` as the map the handler looks for.
  void InstallMap(const std::string& content);

  TScriptedPrompterScope FPrompts;   // installed for the test's lifetime
  TScriptedPrompter* FPrompter = FPrompts.Script;
  std::vector<std::string> FPassedOn;   // messages the previous exception event received

private:
  std::unique_ptr<TSingletonRegistry> FRegistry;
  TRVLExceptionHandler* FHandler = nullptr;
  TExceptionEvent FOldEvent;
};
