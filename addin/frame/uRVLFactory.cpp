#include "addin/frame/uRVLFactory.h"

#include "addin/commands/uRVLMenu.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/ide/uEditHook.h"
#include "addin/ide/uIDEHook.h"
#include "addin/ide/uRVLNotifier.h"
#include "addin/selection/uRVLAssoc.h"
#include "addin/selection/uRVLDontCheckIn.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLLogin.h"
#include "addin/sourcesafe/uRVLProjects.h"

std::unique_ptr<TRVLLogin> TRVLFactory::CreateLogin() { return std::make_unique<TRVLLogin>(); }

std::unique_ptr<TRVLActiveProjects> TRVLFactory::CreateActiveProjects() {
  return std::make_unique<TRVLActiveProjects>(Globals().ToolServices);
}

std::unique_ptr<TRVLProjects> TRVLFactory::CreateProjects() { return std::make_unique<TRVLProjects>(); }

std::unique_ptr<TRVLProject> TRVLFactory::CreateProject(const std::string& ProjectFile) {
  return std::make_unique<TRVLProject>(ProjectFile);
}

std::unique_ptr<TRVLProject> TRVLFactory::CreateProjectFromVSS(VSSPtr<IVSSDatabase> Database,
                                                               VSSPtr<IVSSItem> VSSProject) {
  return std::make_unique<TRVLProject>(std::move(Database), std::move(VSSProject));
}

std::unique_ptr<TRVLItems> TRVLFactory::CreateItems() { return std::make_unique<TRVLItems>(); }

std::unique_ptr<TRVLItem> TRVLFactory::CreateItemFromVSS(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database) {
  return std::make_unique<TRVLItem>(std::move(VSSItem), std::move(Database));
}

std::unique_ptr<TRVLItem> TRVLFactory::CreateItemCopy(const TRVLItem& Item) { return std::make_unique<TRVLItem>(Item); }

std::unique_ptr<TRVLItem> TRVLFactory::CreateItemFromFile(const std::string& FileName, TRVLProject* Project) {
  return std::make_unique<TRVLItem>(TFromFile{}, FileName, Project);
}

std::unique_ptr<TRVLItem> TRVLFactory::CreateItemFromSpec(const std::string& Path, VSSPtr<IVSSDatabase> Database) {
  return std::make_unique<TRVLItem>(TFromSpec{}, Path, std::move(Database));
}

std::unique_ptr<TRVLMenu> TRVLFactory::CreateMenu(TRVLActiveProjects* ActiveProjects, TRVLActiveFiles* ActiveFiles) {
  return std::make_unique<TRVLMenuD3>(ActiveProjects, ActiveFiles);
}

TIntfPtr<TRVLNotifier> TRVLFactory::CreateNotifier(TRVLActiveProjects* ActiveProjects) {
  return TIntfPtr<TRVLNotifier>(new TRVLNotifier(ActiveProjects));
}

TIntfPtr<TRVLModuleNotifier> TRVLFactory::CreateModuleNotifier(TIModuleInterface* Module,
                                                               std::unique_ptr<TRVLItem> Item,
                                                               TMenuItem* LockControlsItem) {
  return TIntfPtr<TRVLModuleNotifier>(new TRVLModuleNotifier(Module, std::move(Item), LockControlsItem));
}

std::unique_ptr<TRVLActiveFiles> TRVLFactory::CreateActiveFiles(TRVLActiveProjects* ActiveProjects) {
  return std::make_unique<TRVLActiveFiles>(Globals().ToolServices, ActiveProjects);
}

std::unique_ptr<TRVLAssoc> TRVLFactory::CreateAssoc() { return std::make_unique<TRVLAssoc>(); }

std::unique_ptr<TRVLDontCheckIn> TRVLFactory::CreateDontCheckIn() { return std::make_unique<TRVLDontCheckIn>(); }

std::unique_ptr<TIDEHook> TRVLFactory::CreateIDEHook(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects) {
  return std::make_unique<TIDEHook>(ActiveFiles, ActiveProjects);
}

TEditHookComp* TRVLFactory::CreateEditHook(QObject* Owner) { return new TEditHookComp(Owner); }

TProjectHookComp* TRVLFactory::CreateProjectHook(QObject* Owner) { return new TProjectHookComp(Owner); }

TEditHookComp* TRVLB3Factory::CreateEditHook(QObject* Owner) { return new TB3EditHookComp(Owner); }

std::unique_ptr<TRVLItem> TRVLB3Factory::CreateItemFromVSS(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database) {
  return std::make_unique<TRVLB3Item>(std::move(VSSItem), std::move(Database));
}

std::unique_ptr<TRVLItem> TRVLB3Factory::CreateItemCopy(const TRVLItem& Item) {
  return std::make_unique<TRVLB3Item>(Item);
}

std::unique_ptr<TRVLItem> TRVLB3Factory::CreateItemFromFile(const std::string& FileName, TRVLProject* Project) {
  return std::make_unique<TRVLB3Item>(TFromFile{}, FileName, Project);
}

std::unique_ptr<TRVLItem> TRVLB3Factory::CreateItemFromSpec(const std::string& Path, VSSPtr<IVSSDatabase> Database) {
  return std::make_unique<TRVLB3Item>(TFromSpec{}, Path, std::move(Database));
}
