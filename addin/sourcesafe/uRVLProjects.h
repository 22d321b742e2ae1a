#pragma once
// Lists of projects. `TRVLProjects` holds projects it does not own; `TRVLActiveProjects` owns the
// projects the IDE has opened in this process and follows the IDE's current project.
#include <string>
#include <vector>

#include "addin/sourcesafe/uRVLProject.h"

class TIToolServices;

class TRVLProjects : public TObject {
public:
  virtual TRVLProject* GetProject(int Index) { return FList.at(Index); }
  virtual int Count() { return static_cast<int>(FList.size()); }
  // Appends; returns the new index.
  virtual int Add(TRVLProject* Project);

protected:
  std::vector<TRVLProject*> FList;
};

class TRVLActiveProjects : public TRVLProjects {
public:
  explicit TRVLActiveProjects(TIToolServices* ToolServices) : FToolServices(ToolServices) {}
  ~TRVLActiveProjects() override;

  // Takes ownership; replaces (and frees) a listed project of the same file name, ignoring case.
  // Returns the index, -1 for nil.
  int Add(TRVLProject* Project) override;
  // True when `FileName` is empty or not exactly the IDE's current project.
  virtual bool IsStale(const std::string& FileName);
  // The project of the IDE's current project file, created and bound on first request; nil when
  // the IDE has no project.
  virtual TRVLProject* GetActiveProject();
  // Frees every project.
  virtual void Clear();

private:
  // The IDE's current project; empty without one (or without an IDE).
  std::string ProjectName() const;
  void MakeActive(const std::string& FileName);
  // The index of the listed project of `FileName` (ignoring case), or -1.
  int IndexOf(const std::string& FileName) const;

  TIToolServices* FToolServices;          // not owned
  TRVLProject* FActiveProject = nullptr;  // one of the list's entries
};
