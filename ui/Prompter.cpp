#include "ui/Prompter.h"

#include "ui/Application.h"
#include "ui/QtPrompter.h"

namespace {

std::unique_ptr<TPrompter>& Installed() {
  static std::unique_ptr<TPrompter> prompter;
  return prompter;
}

// Buttons in the order dialogs show them.
constexpr TMsgDlgBtn ButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore,
                                      mbAll, mbNoToAll, mbYesToAll, mbHelp};

} // namespace

TMsgDlgButtons::TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
  for (TMsgDlgBtn button : buttons) *this << button;
}

TMsgDlgButtons& TMsgDlgButtons::operator<<(TMsgDlgBtn button) {
  FBits |= 1u << button;
  return *this;
}

std::vector<TMsgDlgBtn> TMsgDlgButtons::List() const {
  std::vector<TMsgDlgBtn> result;
  for (TMsgDlgBtn button : ButtonOrder)
    if (Contains(button)) result.push_back(button);
  return result;
}

TPrompter& Prompter() {
  if (!Installed()) Installed() = std::make_unique<TQtPrompter>();
  return *Installed();
}

std::unique_ptr<TPrompter> SetPrompter(std::unique_ptr<TPrompter> prompter) {
  std::unique_ptr<TPrompter> previous = std::move(Installed());
  Installed() = std::move(prompter);
  return previous;
}

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return Prompter().MessageBox(text, caption, flags);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return Prompter().MessageDlg(text, type, buttons);
}

void ShowMessage(const std::string& text) { MessageBox(text, Application().Title(), MB_OK | MB_ICONINFORMATION); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  return Prompter().InputQuery(caption, prompt, value);
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
  std::string value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) {
  return Prompter().OpenFile(options, files);
}

bool SelectDirectory(const std::string& caption, std::string& directory) {
  return Prompter().SelectDirectory(caption, directory);
}

bool SelectColor(TColor& color) { return Prompter().SelectColor(color); }

std::string ButtonName(TMsgDlgBtn button) {
  switch (button) {
  case mbYes: return "Yes";
  case mbNo: return "No";
  case mbOK: return "OK";
  case mbCancel: return "Cancel";
  case mbAbort: return "Abort";
  case mbRetry: return "Retry";
  case mbIgnore: return "Ignore";
  case mbAll: return "All";
  case mbNoToAll: return "NoToAll";
  case mbYesToAll: return "YesToAll";
  case mbHelp: return "Help";
  }
  return {};
}

std::vector<TMsgDlgBtn> MessageBoxButtons(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
  case MB_OKCANCEL: return {mbOK, mbCancel};
  case MB_ABORTRETRYIGNORE: return {mbAbort, mbRetry, mbIgnore};
  case MB_YESNOCANCEL: return {mbYes, mbNo, mbCancel};
  case MB_YESNO: return {mbYes, mbNo};
  case MB_RETRYCANCEL: return {mbRetry, mbCancel};
  default: return {mbOK};
  }
}

std::string MessageBoxIconName(unsigned flags) {
  switch (flags & MB_ICONMASK) {
  case MB_ICONERROR: return "Error";
  case MB_ICONQUESTION: return "Question";
  case MB_ICONWARNING: return "Warning";
  case MB_ICONINFORMATION: return "Information";
  default: return {};
  }
}

std::string MsgDlgTypeName(TMsgDlgType type) {
  switch (type) {
  case mtWarning: return "Warning";
  case mtError: return "Error";
  case mtInformation: return "Information";
  case mtConfirmation: return "Question";
  case mtCustom: return {};
  }
  return {};
}

std::string MsgDlgCaption(TMsgDlgType type) {
  switch (type) {
  case mtWarning: return "Warning";
  case mtError: return "Error";
  case mtInformation: return "Information";
  case mtConfirmation: return "Confirm";
  case mtCustom: break;
  }
  return Application().Title();
}

int MessageBoxResult(TMsgDlgBtn button) {
  switch (button) {
  case mbOK: return IDOK;
  case mbCancel: return IDCANCEL;
  case mbAbort: return IDABORT;
  case mbRetry: return IDRETRY;
  case mbIgnore: return IDIGNORE;
  case mbYes: return IDYES;
  case mbNo: return IDNO;
  default: return IDCANCEL;
  }
}

TModalResult MsgDlgResult(TMsgDlgBtn button) {
  switch (button) {
  case mbYes: return mrYes;
  case mbNo: return mrNo;
  case mbOK: return mrOk;
  case mbCancel: return mrCancel;
  case mbAbort: return mrAbort;
  case mbRetry: return mrRetry;
  case mbIgnore: return mrIgnore;
  case mbAll: return mrAll;
  case mbNoToAll: return mrNoToAll;
  case mbYesToAll: return mrYesToAll;
  case mbHelp: return mrNone;
  }
  return mrNone;
}
