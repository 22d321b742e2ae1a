#pragma once
// Runs a scenario against the IDE: each step drives the real windows as a user would (keys into the
// editor, clicks on menu items, prompt answers from the scripted prompter) and prints what it is
// asked to print into the transcript.
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include <QPointer>
#include <QString>
#include <Qt>

#include "host/Scenario.h"
#include "ui/Form.h"

class THost;
class TScriptedPrompter;
class QWidget;
class TMenuItem;
class TPopupMenu;

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
  // first failing step, or at once when a prompt or modal form of the IDE's start had no answer.
  bool Run();
  bool RunFile(const std::string& fileName) { return Load(fileName) && Run(); }
  // After the IDE has shut down: false with Error() when a prompt or modal form raised while it
  // closed had no answer.
  bool ClosedAnswered();
  const std::string& Error() const { return FError; }

private:
  // Echoes and runs one step; false with Error() when it fails or a prompt or form had no answer.
  bool RunStep(const TScenarioStep& step);
  // One step; throws Exception with the reason when it fails.
  void Execute(const TScenarioStep& step);
  // "FILE:LINE: ", or "FILE: " for no line.
  std::string Where(int line) const;
  // Records the first prompt failure not yet reported as the error (unless there is one already).
  void CheckPrompts(const std::string& where, const std::string& when);
  std::string Resolve(const std::string& path) const;
  void Echo(const std::string& line);
  void Print(const std::string& line);
  void WaitIdle();
  QWidget* ActiveWindow() const;
  QWidget* TextTarget() const;
  void TypeText(const std::string& text);
  void PressKey(const std::string& spec);
  void Activate(const std::string& path);
  void PrintMenu(const std::string& path);
  void PrintItems(TMenuItem* menu);
  void PrintPopup(const std::string& path);
  void PrintHint();
  void Shell(const std::string& command);
  // The editor status bar's panels; `how` "as-shown" skips the repaint that comes first otherwise.
  void PrintStatus(const std::string& how);
  void PrintPrompts();
  void StatusClick();
  void ClickPopup(const std::string& path);
  // The menu open over the editor, else its local menu (opened as on a right click).
  TPopupMenu* EditorMenu();
  // Given every modal form as it comes up: a queued dialog reply closes it; else the lines that
  // follow act on it until one closes it. A line that can't, the end of the script or an earlier
  // failure fails the scenario and cancels the form, so that everything unwinds.
  void DriveModal(TForm& form);
  // The innermost modal form being driven (or the window `window` chose when that form owns it), else
  // the window `window` chose; throws when neither is up.
  TForm& UpForm() const;
  // The visible top-level form of class or component name `name`.
  static TForm* FindWindow(const std::string& name);
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
  int FLine = 0;   // the line of the step running, 0 for none
  std::deque<TModalResult> FDialogReplies;
  std::vector<QPointer<TForm>> FForms;   // the modal forms being driven, innermost last
  QPointer<TForm> FWindow;                // the tool window `window` chose
  TModalHook FOldModalHook;
};
