#pragma once
// Reading the IDE's project files: a C++Builder project (.bpr, whose units are listed by USEFORM and
// USEUNIT lines in the main .cpp beside it, its other files and resources by USEFILE and USERES lines) and a Delphi project (.dpr, whose units are in its uses
// clause, a {Form} comment marking a unit with a form, and whose resources are named by {$R file}).
#include <string>
#include <vector>

struct TProjectInfo {
  std::string FileName;    // the project file, full path
  std::string MainSource;  // the .dpr itself, or the .bpr's main .cpp
  // Full paths: the main source first, then each unit source (and the project's other files and
  // resources) in project order.
  std::vector<std::string> Units;
  // The .dfm of each unit that has a form, in the same order.
  std::vector<std::string> Forms;
};

// Reads the project; false with a message naming the file when it can't be read or isn't a
// project. Unit paths are resolved against the project's folder.
bool LoadProjectFile(const std::string& fileName, TProjectInfo& info, std::string& error);

// The project's main source text with a unit added to or removed from its list of units, written
// the way the IDE writes them: a USEFORM/USEUNIT line after the last such line of a .bpr's main
// .cpp, an entry line at the end of a .dpr's uses clause. `formName` is empty for a unit without a
// form. False with a message when the text has no place for it (or the unit isn't listed).
bool AddUnitToSource(const TProjectInfo& info, std::string& source, const std::string& unit,
                     const std::string& formName, std::string& error);
bool RemoveUnitFromSource(const TProjectInfo& info, std::string& source, const std::string& unit,
                          std::string& error);

// True for the extensions the IDE opens as projects (.bpr, .dpr), ignoring case.
bool IsProjectFileName(const std::string& fileName);
