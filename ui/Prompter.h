#pragma once
// Prompts: message boxes, the multi-button message dialog, input boxes and the file, folder and
// colour dialogs. All of them go through one replaceable prompter, so the IDE's script mode and the
// tests answer them from a script and can read what was asked.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Graphics.h"

// Message box flags and results, with the values of the system they come from.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

// A set of message dialog buttons: TMsgDlgButtons{mbYes, mbNo, mbYesToAll}.
class TMsgDlgButtons {
public:
  TMsgDlgButtons() = default;
  TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons);
  bool Contains(TMsgDlgBtn button) const { return (FBits & (1u << button)) != 0; }
  TMsgDlgButtons& operator<<(TMsgDlgBtn button);
  // The buttons in the order a dialog shows them.
  std::vector<TMsgDlgBtn> List() const;
  bool Empty() const { return FBits == 0; }

private:
  unsigned FBits = 0;
};

// What the "kind" of a prompt is called in records and scripts.
enum class TPromptKind { MessageBox, MessageDlg, Input, OpenFile, Directory, Color };

// Options of the file-open dialog.
struct TOpenDialogOptions {
  std::string Title;
  // "Text files|*.txt|All files|*" pairs of description and patterns (patterns separated by ";").
  std::string Filter;
  int FilterIndex = 1;            // 1-based, as in the filter string
  std::string DefaultExt;         // added to a typed name without extension ("dll" or ".dll")
  std::string InitialDir;
  std::string FileName;           // proposed file name
  bool MultiSelect = false;
  bool FileMustExist = false;
  bool PathMustExist = false;     // the Qt dialog always asks for an existing folder
};

// The replaceable prompter. Every operation returns what the user chose.
class TPrompter {
public:
  virtual ~TPrompter() = default;
  // Returns IDOK, IDCANCEL, IDYES, IDNO, ... for a box with the MB_* `flags`.
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
  // Returns the mr* result of the pressed button (mrYes, mrNoToAll, ...).
  virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
  // An input box: false when cancelled; on OK `value` holds the text.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) = 0;
  // A file-open dialog: false when cancelled; on OK `files` holds the chosen file(s).
  virtual bool OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files) = 0;
  // A folder dialog starting at `directory`: false when cancelled.
  virtual bool SelectDirectory(const std::string& caption, std::string& directory) = 0;
  // A colour dialog starting at `color`: false when cancelled.
  virtual bool SelectColor(TColor& color) = 0;
};

// The prompter in use (the Qt dialogs until another is set).
TPrompter& Prompter();
// Puts `prompter` in place and returns the one that was in place (nullptr while it was the default).
std::unique_ptr<TPrompter> SetPrompter(std::unique_ptr<TPrompter> prompter);

// Shortcuts through Prompter().
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
void ShowMessage(const std::string& text);   // information box with the application's title
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The typed text, or `defaultValue` when cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);
bool OpenFile(const TOpenDialogOptions& options, std::vector<std::string>& files);
bool SelectDirectory(const std::string& caption, std::string& directory);
bool SelectColor(TColor& color);

// Names used in prompt records and scripts: "OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore",
// "All", "NoToAll", "YesToAll", "Help"; and for icons "Error", "Question", "Warning", "Information",
// "" (none).
std::string ButtonName(TMsgDlgBtn button);
// The buttons of a message box's MB_* flags, in the order it shows them.
std::vector<TMsgDlgBtn> MessageBoxButtons(unsigned flags);
std::string MessageBoxIconName(unsigned flags);
std::string MsgDlgTypeName(TMsgDlgType type);
// The caption of a message dialog of `type`: "Warning", "Error", "Information", "Confirm".
std::string MsgDlgCaption(TMsgDlgType type);
// The ID* result of a message box button and the mr* result of a dialog button.
int MessageBoxResult(TMsgDlgBtn button);
TModalResult MsgDlgResult(TMsgDlgBtn button);
