#pragma once
// The commands that open the project-level windows.
#include "ui/Object.h"

class TRVLProject;

class TRVLProjectCommands : public TObject {
public:
  // Lets the user choose or create the SourceSafe project for the unbound IDE project, binds it, and
  // offers every file of the project for Add, all ticked.
  virtual void AddProject(TRVLProject* Project);
  // Gets files or a whole project out of SourceSafe and opens them, on the project's database when
  // it is bound, else on the database the user logs in to.
  virtual void OpenFromSourceSafe(TRVLProject* Project);
  // Shows the project explorer without blocking, on the project's database and SourceSafe project
  // when it is bound, else on the database the user logs in to, from the root.
  virtual void ProjectExplorer(TRVLProject* Project);
  // Shows the share dialog modally, sharing into the project's SourceSafe project; on the project's
  // database when it has one, else on the database the user logs in to.
  virtual void Share(TRVLProject* Project);
};
