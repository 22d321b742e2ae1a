#pragma once
// Scenario files for `ravelin-ide --script`: one command per line, `#` starts a comment line.
// Relative paths are taken from the scenario file's folder.
//   open-project PATH, close-project, open-file PATH, close-file [PATH]  (the active file without PATH)
//   activate PATH        brings the file's editor page (or, for a .dfm, its form view) forward
//   type TEXT            each character as a key press into the active editor or form view
//   key SPEC             one key: "Ctrl+V", "Shift+Insert", "F7", "Return"
//   menu PATH            clicks a main-menu item, captions separated by '|' ("&File|&Save");
//                        each submenu head on the way opens first
//   popup PATH           clicks an item of the menu open over the editor (one a status-bar click
//                        opened), else of the editor's local menu
//   status-click         clicks the first status panel after the editor's own three
//   answer REPLY         queues the reply to the next prompt ("Yes", "OK", "text:…", …); answers at
//                        the very top are queued before the add-in loads
//   dialog REPLY         closes the modal form that is up with the result of that button ("OK",
//                        "Cancel", "Yes", …); with none up, queues it for the next modal form, which
//                        then closes at once
//   print-status         the editor's status panels, as they show after the editor paints
//   print-status as-shown  the same as they show now, without making the editor paint first
//   print-menu [PATH], print-prompts, print-text, print-project
//   print-popup [PATH]   the items of the menu open over the editor, else of its local menu (as it
//                        opens); with PATH, of that submenu
//   print-hint           the hint over the first status panel after the editor's own three
//   shell COMMAND        runs COMMAND with /bin/sh in the scenario's folder; fails unless it exits 0
//   save                 writes the active file (a refusal shows as a message box)
//   expect TEXT          fails unless the printed output so far contains TEXT
//   wait-idle            handles pending events
//   screenshot FILE      PNG of the active window; screenshot-desktop FILE: of all windows
// While a modal form is up (and no queued `dialog` closed it), the lines that follow act on it until
// one closes it; those can be the form commands below, `dialog`, `answer`, `expect`, `print-prompts`,
// `wait-idle` and the screenshots (of the form). NAME is a control's component name:
//   print-form           the form's class name and caption, then each visible control as
//                        `NAME | caption or text | enabled` (a check box adds `| checked`), and each
//                        line of a list as `NAME[INDEX] | text` with `| checked`, `| unchecked` or
//                        `| grayed` when it has a check box
//   click NAME           presses a button or check box
//   tick NAME INDEX      toggles the check box of line INDEX (from 0) of a list, as Space on it does
//   select NAME INDEX…   selects exactly these lines of a list or list view, as clicks with Ctrl do
//   select NAME ITEMS    selects in a tree ("/|Demo|Source": node texts from the top, expanding each
//                        on the way) or in a list (the rows named, '|'-separated; nothing clears it)
//   set NAME TEXT        replaces the text of an edit or memo as typing would ("\n" breaks a line),
//                        picks a combo box item by its text, or presses a key ("Ctrl+F5") in a key field
//   form-menu PATH       clicks an item of the form's main menu, or of the popup menu the first step
//                        names ("pmnuFiles|Check &Out...")
//   print-form-menu PATH the items below PATH of the form's main menu or of a popup menu, with states
//   form-key NAME SPEC   presses a key in the named control
//   drag NAME ITEM > NAME ITEM  drags with the mouse from a row or node (named as `select` names
//                        one) onto another: button down, moves in steps, button up, sent to the
//                        form's window as the window system sends them
// A tree or list view prints each row as `NAME[N] | column | column…` (nested rows indented, a
// selected row ending in `| selected`), a status bar its panels' texts.
// The form commands act on a window too, one the add-in shows without blocking (a tool window):
//   window NAME          the visible window of that class or component name is where the form
//                        commands act, and what `screenshot` takes, while no modal form is up or
//                        while it is one the modal form owns (shown over it without blocking);
//                        without NAME, none is
// A prompt without a queued answer fails the scenario, wherever it was raised (also while the IDE
// starts or closes, and when something caught the failure); so does a modal form still up when the
// script ends or when a line comes that can't act on it.
#include <string>
#include <vector>

struct TScenarioStep {
  int Line = 0;
  std::string Command;   // e.g. "open-project", "type"
  std::string Argument;  // the rest of the line after one blank (may be empty)
};

// Whether `command` may come while a modal form is up.
bool ActsInForm(const std::string& command);

// Reads a scenario; false with "FILE:LINE: message" on the first unknown command or a command whose
// argument is missing or not allowed.
bool ParseScenario(const std::string& text, const std::string& fileName,
                   std::vector<TScenarioStep>& steps, std::string& error);
