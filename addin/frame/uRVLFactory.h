#pragma once
// The object factory: every host-dependent object of the add-in is created here, so that the host
// variant is chosen in one place. `TRVLB3Factory` serves the C++Builder IDE. Every object created
// belongs to the caller.
#include <memory>
#include <string>

#include "addin/frame/uSingleton.h"
#include "opentools/Interface.h"
#include "vss/api/VSSApi.h"

class QObject;
class TEditHookComp;
class TIDEHook;
class TIModuleInterface;
class TMenuItem;
class TProjectHookComp;
class TRVLActiveFiles;
class TRVLActiveProjects;
class TRVLAssoc;
class TRVLDontCheckIn;
class TRVLItem;
class TRVLItems;
class TRVLLogin;
class TRVLMenu;
class TRVLModuleNotifier;
class TRVLNotifier;
class TRVLProject;
class TRVLProjects;

class TRVLFactory : public TSingletonOf<TRVLFactory> {
public:
  static constexpr char SingletonName[] = "TRVLFactory";

  virtual std::unique_ptr<TRVLLogin> CreateLogin();
  // The projects the IDE opens, following its current project.
  virtual std::unique_ptr<TRVLActiveProjects> CreateActiveProjects();
  virtual std::unique_ptr<TRVLProjects> CreateProjects();
  // A project bound through the per-project file beside `ProjectFile`.
  virtual std::unique_ptr<TRVLProject> CreateProject(const std::string& ProjectFile);
  virtual std::unique_ptr<TRVLProject> CreateProjectFromVSS(VSSPtr<IVSSDatabase> Database,
                                                            VSSPtr<IVSSItem> VSSProject);
  virtual std::unique_ptr<TRVLItems> CreateItems();
  virtual std::unique_ptr<TRVLItem> CreateItemFromVSS(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database);
  virtual std::unique_ptr<TRVLItem> CreateItemCopy(const TRVLItem& Item);
  virtual std::unique_ptr<TRVLItem> CreateItemFromFile(const std::string& FileName, TRVLProject* Project);
  virtual std::unique_ptr<TRVLItem> CreateItemFromSpec(const std::string& Path, VSSPtr<IVSSDatabase> Database);
  // The files shown in the IDE's editor, found through `ActiveProjects` (not owned).
  virtual std::unique_ptr<TRVLActiveFiles> CreateActiveFiles(TRVLActiveProjects* ActiveProjects);
  // The builder of the IDE's menus, over `ActiveProjects` and `ActiveFiles` (neither owned).
  virtual std::unique_ptr<TRVLMenu> CreateMenu(TRVLActiveProjects* ActiveProjects, TRVLActiveFiles* ActiveFiles);
  // The notifier of the IDE's project and file events, over `ActiveProjects` (not owned).
  virtual TIntfPtr<TRVLNotifier> CreateNotifier(TRVLActiveProjects* ActiveProjects);
  // The notifier of one module with a form: `Item` is its form file, `LockControlsItem` the IDE's
  // Lock Controls menu item (may be nil).
  TIntfPtr<TRVLModuleNotifier> CreateModuleNotifier(TIModuleInterface* Module, std::unique_ptr<TRVLItem> Item,
                                                    TMenuItem* LockControlsItem);
  virtual std::unique_ptr<TRVLAssoc> CreateAssoc();
  // The never-check-in masks as they are stored now.
  virtual std::unique_ptr<TRVLDontCheckIn> CreateDontCheckIn();
  // The watch on the IDE's windows (one per process), over `ActiveFiles` and `ActiveProjects`.
  virtual std::unique_ptr<TIDEHook> CreateIDEHook(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects);
  // Hooks placed on an IDE window, owned by it.
  virtual TEditHookComp* CreateEditHook(QObject* Owner);
  virtual TProjectHookComp* CreateProjectHook(QObject* Owner);

protected:
  friend TSingletonOf<TRVLFactory>;
  TRVLFactory() = default;
};

class TRVLB3Factory : public TSingletonOf<TRVLB3Factory, TRVLFactory> {
public:
  static constexpr char SingletonName[] = "TRVLB3Factory";

  std::unique_ptr<TRVLItem> CreateItemFromVSS(VSSPtr<IVSSItem> VSSItem, VSSPtr<IVSSDatabase> Database) override;
  std::unique_ptr<TRVLItem> CreateItemCopy(const TRVLItem& Item) override;
  std::unique_ptr<TRVLItem> CreateItemFromFile(const std::string& FileName, TRVLProject* Project) override;
  std::unique_ptr<TRVLItem> CreateItemFromSpec(const std::string& Path, VSSPtr<IVSSDatabase> Database) override;
  TEditHookComp* CreateEditHook(QObject* Owner) override;

protected:
  friend TSingletonOf<TRVLB3Factory, TRVLFactory>;
  TRVLB3Factory() = default;
};
