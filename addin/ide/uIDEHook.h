#pragma once
// Reaches into the IDE's own editor windows, which the published interfaces don't expose: watches
// every window activation of the IDE and places an editor hook on each editor window the first time
// it comes to the front, and a marker on the project manager. One instance per process.
#include <memory>

#include "ui/Application.h"
#include "ui/Component.h"

class TRVLActiveFiles;
class TRVLActiveProjects;
class TRVLFilesCommands;

class TIDEHook : public TObject {
public:
  // Raises when an instance exists already.
  TIDEHook(TRVLActiveFiles* ActiveFiles, TRVLActiveProjects* ActiveProjects);
  ~TIDEHook() override;
  TIDEHook(const TIDEHook&) = delete;
  TIDEHook& operator=(const TIDEHook&) = delete;

  // The instance, nil when none exists.
  static TIDEHook* Instance();

private:
  void HookProc(const TCWPStruct& Message);
  void Activated(QWidget* Window);
  void ReadOptions();
  void SettingsChanged();

  TRVLActiveFiles* FActiveFiles;         // not owned
  TRVLActiveProjects* FActiveProjects;   // not owned
  std::unique_ptr<TRVLFilesCommands> FFilesCommands;
  bool FEditorIntegration = true;
  THookId FHook = 0;
};

// Marks a project manager window as seen; it does nothing else.
class TProjectHookComp : public TComponent {
  Q_OBJECT
public:
  using TComponent::TComponent;
};
