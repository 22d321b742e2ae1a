#pragma once
// The commands that open the project-level windows.
#include "ui/Object.h"

class TRVLProject;

class TRVLProjectCommands : public TObject {
public:
  // Shows the project explorer without blocking, on the project's database and SourceSafe project
  // when it is bound, else on the database the user logs in to, from the root.
  virtual void ProjectExplorer(TRVLProject* Project);
  // Shows the share dialog modally, sharing into the project's SourceSafe project; on the project's
  // database when it has one, else on the database the user logs in to.
  virtual void Share(TRVLProject* Project);
};
