#include "ui/ScriptedPrompter.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace {

// The answer's value after `prefix` ("text:"), when it starts with it.
bool ValueOf(const std::string& answer, const std::string& prefix, std::string& value) {
  if (!platform::StartsWithText(answer, prefix)) return false;
  value = answer.substr(prefix.size());
  return true;
}

std::vector<std::string> Names(const std::vector<TMsgDlgBtn>& buttons) {
  std::vector<std::string> names;
  for (TMsgDlgBtn button : buttons) names.push_back(ButtonName(button));
  return names;
}

// A chosen file as the dialog would return it: relative names in the initial folder, the default
// extension added to a name without one.
std::string ChosenFile(std::string name, const TOpenDialogOptions& options) {
  if (!name.empty() && name[0] != '/' && !options.InitialDir.empty())
    name = platform::IncludeTrailingPathDelimiter(options.InitialDir) + name;
  if (!options.DefaultExt.empty() && platform::ExtractFileExt(name).empty())
    name += options.DefaultExt[0] == '.' ? options.DefaultExt : "." + options.DefaultExt;
  return name;
}

} // namespace

std::string PromptKindName(TPromptKind kind) {
  switch (kind) {
  case TPromptKind::MessageBox: return "message box";
  case TPromptKind::MessageDlg: return "message dialog";
  case TPromptKind::Input: return "input box";
  case TPromptKind::OpenFile: return "file dialog";
  case TPromptKind::Directory: return "folder dialog";
  case TPromptKind::Color: return "colour dialog";
  }
  return {};
}

std::string TPromptRecord::Describe() const {
  std::string result = PromptKindName(Kind) + " \"" + Caption + "\"";
  if (!Icon.empty()) result += " [" + Icon + "]";
  if (!Buttons.empty()) {
    result += " ";
    for (size_t i = 0; i < Buttons.size(); ++i) result += (i ? "/" : "") + Buttons[i];
  }
  result += ": " + Text;
  if (!Answer.empty()) result += " -> " + Answer;
  return result;
}

TScriptedPrompter::TScriptedPrompter(std::initializer_list<std::string> answers) : FAnswers(answers) {}

void TScriptedPrompter::AddAnswer(const std::string& answer) { FAnswers.push_back(answer); }

std::string TScriptedPrompter::Take(TPromptRecord record) {
  if (FAnswers.empty()) {
    FPrompts.push_back(record);
    Fail("No scripted answer for the " + record.Describe());
  }
  record.Answer = FAnswers.front();
  FAnswers.pop_front();
  FPrompts.push_back(record);
  return record.Answer;
}

void TScriptedPrompter::Fail(const std::string& message) {
  FFailures.push_back(message);
  throw EPromptScript(message);
}

TMsgDlgBtn TScriptedPrompter::ButtonAnswer(const std::string& answer, const std::vector<TMsgDlgBtn>& buttons) {
  for (TMsgDlgBtn button : buttons)
    if (platform::SameText(ButtonName(button), answer)) return button;
  Fail("The scripted answer '" + answer + "' is not a button of the " + FPrompts.back().Describe());
}

int TScriptedPrompter::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  const std::vector<TMsgDlgBtn> buttons = MessageBoxButtons(flags);
  const std::string answer = Take({TPromptKind::MessageBox, caption, text, MessageBoxIconName(flags), Names(buttons), {}});
  return MessageBoxResult(ButtonAnswer(answer, buttons));
}

TModalResult TScriptedPrompter::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  const std::vector<TMsgDlgBtn> list = buttons.List();
  const std::string answer = Take({TPromptKind::MessageDlg, MsgDlgCaption(type), text, MsgDlgTypeName(type), Names(list), {}});
  return MsgDlgResult(ButtonAnswer(answer, list));
}

bool TScriptedPrompter::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  const std::string answer = Take({TPromptKind::Input, caption, prompt, {}, {"OK", "Cancel"}, {}});
  std::string typed;
  if (ValueOf(answer, "text:", typed)) {
    value = typed;
    return true;
  }
  return ButtonAnswer(answer, {mbOK, mbCancel}) == mbOK;
}

bool TScriptedPrompter::OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) {
  const std::string answer = Take({TPromptKind::OpenFile, options.Title, options.Filter, {}, {"Open", "Cancel"}, {}});
  std::string value;
  if (!ValueOf(answer, "file:", value)) {
    ButtonAnswer(answer, {mbCancel});
    return false;
  }
  std::vector<std::string> chosen;
  for (const std::string& name : platform::Split(value, '|'))
    if (!name.empty()) chosen.push_back(ChosenFile(name, options));
  if (chosen.empty()) Fail("The scripted answer '" + answer + "' names no file");
  if (chosen.size() > 1 && !options.MultiSelect)
    Fail("The scripted answer '" + answer + "' names several files but the dialog takes one");
  for (const std::string& name : chosen) {
    if (options.FileMustExist && !platform::FileExists(name))
      Fail("The scripted answer names the file '" + name + "', which does not exist");
    if (options.PathMustExist && !platform::DirectoryExists(platform::ExtractFileDir(name)))
      Fail("The scripted answer names the file '" + name + "' in a folder that does not exist");
  }
  files = chosen;
  return true;
}

bool TScriptedPrompter::SelectDirectory(const std::string& caption, std::string& directory) {
  const std::string answer = Take({TPromptKind::Directory, caption, directory, {}, {"OK", "Cancel"}, {}});
  std::string value;
  if (!ValueOf(answer, "dir:", value)) {
    ButtonAnswer(answer, {mbCancel});
    return false;
  }
  directory = value;
  return true;
}

bool TScriptedPrompter::SelectColor(TColor& color) {
  const std::string answer = Take({TPromptKind::Color, "Color", ColorToString(color), {}, {"OK", "Cancel"}, {}});
  std::string value;
  if (!ValueOf(answer, "color:", value)) {
    ButtonAnswer(answer, {mbCancel});
    return false;
  }
  try {
    color = StringToColor(value);
  } catch (const Exception& e) {
    Fail("The scripted answer '" + answer + "': " + e.Message());
  }
  return true;
}
