#pragma once
// Runs a scenario against the IDE: each step drives the real windows as a user would (keys into the
// editor, clicks on menu items, prompt answers from the scripted prompter) and prints what it is
// asked to print into the transcript.
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include <QString>
#include <Qt>

#include "host/Scenario.h"
#include "ui/Form.h"

class THost;
class TScriptedPrompter;
class QWidget;

class TScriptRunner {
public:
  // `prompter` must be the prompter in use; `transcript` receives every line printed.
  TScriptRunner(THost& host, TScriptedPrompter& prompter, std::ostream& transcript);
  ~TScriptRunner();
  TScriptRunner(const TScriptRunner&) = delete;
  TScriptRunner& operator=(const TScriptRunner&) = delete;

  // Reads the scenario; false with Error() when it can't be read or parsed.
  bool Load(const std::string& fileName);
  // Queues the answers the scenario starts with, before anything else runs, so that prompts shown
  // while the IDE starts (the add-in loading) can be answered.
  void QueueLeadingAnswers();
  // Runs the loaded steps (those not yet run); false with Error() ("FILE:LINE: message") at the
  // first failing step.
  bool Run();
  bool RunFile(const std::string& fileName) { return Load(fileName) && Run(); }
  const std::string& Error() const { return FError; }

private:
  // One step; throws Exception with the reason when it fails.
  void Execute(const TScenarioStep& step);
  std::string Resolve(const std::string& path) const;
  void Echo(const std::string& line);
  void Print(const std::string& line);
  void WaitIdle();
  QWidget* ActiveWindow() const;
  QWidget* TextTarget() const;
  void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text);
  void TypeText(const std::string& text);
  void PressKey(const std::string& spec);
  void Activate(const std::string& path);
  void PrintMenu(const std::string& path);
  void PrintStatus();
  void PrintPrompts();
  void StatusClick();
  void ClickPopup(const std::string& path);
  // Closes a modal form with the next queued dialog reply (Cancel without one).
  void CloseModal(TForm& form);
  void Screenshot(const std::string& path);

  THost& FHost;
  std::vector<TScenarioStep> FSteps;
  size_t FNext = 0;
  std::string FFileName;
  TScriptedPrompter& FPrompter;
  std::ostream& FOut;
  std::string FFolder;
  std::string FTranscript;
  size_t FPromptsPrinted = 0;
  size_t FFailuresSeen = 0;
  std::string FError;
  std::deque<std::string> FDialogReplies;
  TModalHook FOldModalHook;
};
