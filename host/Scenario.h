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
//   dialog REPLY         queues the button ("OK", "Cancel", "Yes", …) that closes the next modal
//                        form; one without a queued button is cancelled, and the transcript says so
//   print-status, print-menu [PATH], print-prompts, print-text, print-project
//   save                 writes the active file (a refusal shows as a message box)
//   expect TEXT          fails unless the printed output so far contains TEXT
//   wait-idle            handles pending events
//   screenshot FILE      PNG of the active window; screenshot-desktop FILE: of all windows
// A prompt without a queued answer fails the scenario at once.
#include <string>
#include <vector>

struct TScenarioStep {
  int Line = 0;
  std::string Command;   // e.g. "open-project", "type"
  std::string Argument;  // the rest of the line after one blank (may be empty)
};

// Reads a scenario; false with "FILE:LINE: message" on the first unknown command or a command whose
// argument is missing or not allowed.
bool ParseScenario(const std::string& text, const std::string& fileName,
                   std::vector<TScenarioStep>& steps, std::string& error);
