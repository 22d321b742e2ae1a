#pragma once
// The general commands: the options, help, the About box, the update check and SourceSafe's own explorer.
#include <string>

#include "platform/Process.h"
#include "ui/Object.h"

class TRVLCommands : public TObject {
public:
  // Shows the Options dialog; after OK the running add-in is told that the settings changed.
  virtual void Options();
  // Opens the manual in the installation folder with the desktop's viewer.
  virtual void HelpContents();
  virtual void About();
  // Starts the update program; a quiet check (the one at start-up) also records its date.
  virtual void CheckForUpdates(bool Quiet);
  // Starts SourceSafe's explorer, unless the one started before is still open.
  virtual void ExecuteSourceSafe();
};

// Starts `Program` (its path is quoted) with `Arguments`, a command line of their own; the program
// runs on its own and is reaped once it has ended. Raises when it can't be started.
platform::Process& StartProgram(const std::string& Program, const std::string& Arguments);
