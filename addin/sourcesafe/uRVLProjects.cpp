#include "addin/sourcesafe/uRVLProjects.h"

#include <memory>

#include "addin/frame/uRVLFactory.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"

int TRVLProjects::Add(TRVLProject* Project) {
  FList.push_back(Project);
  return Count() - 1;
}

TRVLActiveProjects::~TRVLActiveProjects() { Clear(); }

int TRVLActiveProjects::IndexOf(const std::string& FileName) const {
  for (size_t i = 0; i < FList.size(); ++i)
    if (platform::SamePath(FList[i]->FileName(), FileName)) return static_cast<int>(i);
  return -1;
}

int TRVLActiveProjects::Add(TRVLProject* Project) {
  if (!Project) return -1;
  const int old = IndexOf(Project->FileName());
  if (old >= 0) {
    std::unique_ptr<TRVLProject> replaced(FList[old]);
    FList.erase(FList.begin() + old);
    if (FActiveProject == replaced.get()) FActiveProject = Project;
  }
  return TRVLProjects::Add(Project);
}

std::string TRVLActiveProjects::ProjectName() const {
  return FToolServices ? FToolServices->GetProjectName() : std::string();
}

bool TRVLActiveProjects::IsStale(const std::string& FileName) { return FileName.empty() || FileName != ProjectName(); }

TRVLProject* TRVLActiveProjects::GetActiveProject() {
  if (!FActiveProject || IsStale(FActiveProject->FileName())) MakeActive(ProjectName());
  return FActiveProject;
}

void TRVLActiveProjects::MakeActive(const std::string& FileName) {
  if (FileName.empty()) {
    FActiveProject = nullptr;
    return;
  }
  const int index = IndexOf(FileName);
  if (index >= 0) {
    FActiveProject = FList[index];
  } else {
    std::unique_ptr<TRVLProject> project = TRVLFactory::_Instance().CreateProject(FileName);
    FActiveProject = project.get();
    Add(project.release());
  }
  if (FActiveProject->IsBound())
    FActiveProject->GetDatabase()->SetCurrentProject(FActiveProject->GetVSSProject()->Spec());
}

void TRVLActiveProjects::Clear() {
  FActiveProject = nullptr;
  while (!FList.empty()) {
    delete FList.back();
    FList.pop_back();
  }
}
