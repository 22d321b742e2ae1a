#pragma once
// A prompter that answers from a queue instead of asking a person, and records every prompt: the
// tests and the IDE's script mode use it. A prompt it has no fitting answer for is a failure: it is
// recorded and raised as EPromptScript, so a scenario stops with a clear message and nothing waits
// for a person.
//
// Answers, one per prompt, in order:
//   a button name: "OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore", "All", "NoToAll",
//     "YesToAll" (ignoring case); it must be one of the prompt's buttons. "Cancel" cancels any
//     dialog, "OK" accepts an input box's proposed text;
//   "text:VALUE"          the text typed into an input box;
//   "file:PATH|PATH..."   the file(s) chosen in a file-open dialog;
//   "dir:PATH"            the folder chosen in a folder dialog;
//   "color:VALUE"         the colour chosen: a number ("255", "$0000FF") or a name ("clRed").
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Exception.h"
#include "ui/Prompter.h"

class EPromptScript : public Exception {
public:
  using Exception::Exception;
};

struct TPromptRecord {
  TPromptKind Kind = TPromptKind::MessageBox;
  std::string Caption;
  std::string Text;
  std::string Icon;                   // "Error", "Question", "Warning", "Information" or ""
  std::vector<std::string> Buttons;   // button names, as a person would see them
  std::string Answer;                 // the answer used; empty when there was none
  // One line: `message box "Caption" [Question] Yes/No: text -> Yes`.
  std::string Describe() const;
};

std::string PromptKindName(TPromptKind kind);   // "message box", "message dialog", "input", ...

class TScriptedPrompter : public TPrompter {
public:
  TScriptedPrompter() = default;
  TScriptedPrompter(std::initializer_list<std::string> answers);

  void AddAnswer(const std::string& answer);
  size_t PendingAnswers() const { return FAnswers.size(); }
  // Every prompt shown so far, answered or not, in order.
  const std::vector<TPromptRecord>& Prompts() const { return FPrompts; }
  // The messages of the prompts that could not be answered.
  const std::vector<std::string>& Failures() const { return FFailures; }

  int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) override;
  bool SelectDirectory(const std::string& caption, std::string& directory) override;
  bool SelectColor(TColor& color) override;

private:
  // Records `record`, takes the next answer for it; raises EPromptScript when there is none.
  std::string Take(TPromptRecord record);
  [[noreturn]] void Fail(const std::string& message);
  // The button among `buttons` named by `answer`; raises EPromptScript when it is not one of them.
  TMsgDlgBtn ButtonAnswer(const std::string& answer, const std::vector<TMsgDlgBtn>& buttons);

  std::deque<std::string> FAnswers;
  std::vector<TPromptRecord> FPrompts;
  std::vector<std::string> FFailures;
};
