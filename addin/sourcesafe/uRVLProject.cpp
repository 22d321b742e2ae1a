#include "addin/sourcesafe/uRVLProject.h"

#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegProject.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "vss/api/VSSErrors.h"

TRVLProject::TRVLProject(const std::string& ProjectFile) : FFileName(ProjectFile) { Bind(); }

TRVLProject::TRVLProject(VSSPtr<IVSSDatabase> Database, VSSPtr<IVSSItem> VSSProject)
    : FFileName(VSSProject->LocalSpec() + "/Default"), FDatabase(std::move(Database)),
      FVSSProject(std::move(VSSProject)) {}

TRVLProject::~TRVLProject() = default;

VSSPtr<IVSSDatabase> TRVLProject::GetDatabase() { return FDatabase; }

VSSPtr<IVSSItem> TRVLProject::GetVSSProject() { return FVSSProject; }

bool TRVLProject::IsBound() { return static_cast<bool>(GetVSSProject()); }

void TRVLProject::SetBinding(VSSPtr<IVSSItem> VSSProject, VSSPtr<IVSSDatabase> Database) {
  if (!VSSProject) throw ERVLException("uRVLProjects: a project can only be bound to a SourceSafe project");
  FVSSProject = std::move(VSSProject);
  FDatabase = std::move(Database);
  auto settings = TRVLRegFactory::_Instance().CreateRegProject();
  settings->Open(FFileName);
  settings->SetVssPath(FVSSProject->Spec());
  settings->SetSrcSafeIni(FDatabase->SrcSafeIni());
}

void TRVLProject::Connect(const std::string& IniPath) {
  FDatabase = TRVLFactory::_Instance().CreateLogin()->Login(IniPath);
}

void TRVLProject::Bind() {
  if (FFileName.empty()) return;
  FRegProject = TRVLRegFactory::_Instance().CreateRegProject();
  FRegProject->Open(FFileName);
  const std::string path = FRegProject->GetVssPath();
  if (path.empty()) return;
  Connect(FRegProject->GetSrcSafeIni());
  if (!FDatabase) return;
  // A SourceSafe project that is gone (or a stored path that names none) leaves the project unbound
  // without a word: the user binds it again when he wants to. Any other failure (a damaged database)
  // is SourceSafe's to report: the project is bound, not "not in SourceSafe".
  try {
    FVSSProject = FDatabase->VSSItem(path, false);
  } catch (const EVSSAutomation& e) {
    if (e.ErrorCode() == VSSError::NotFound || e.ErrorCode() == VSSError::InvalidName) return;
    throw;
  }
  if (FVSSProject->Type() != VSSITEM_PROJECT) {
    FVSSProject = nullptr;
    return;
  }
  // A path found in "Default" or another project's section becomes this project's own.
  FRegProject->SetVssPath(path);
  FRegProject->SetSrcSafeIni(FDatabase->SrcSafeIni());
}
