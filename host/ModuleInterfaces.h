#pragma once
// The add-in's view of an open module: TIModuleInterface, TIFormInterface, TIEditorInterface and
// its reader and writer. Each refers to its module weakly; once the module is closed, calls do
// nothing and report failure.
#include <QPointer>

#include "host/Module.h"
#include "opentools/ModuleIntf.h"

class TIDEFiles;

// The module behind an interface while it is open, else nullptr.
inline THostModule* OpenModule(const QPointer<THostModule>& module) {
  return module && !module->IsClosed() ? module.data() : nullptr;
}

class THostModuleIntf : public TIModuleInterface {
public:
  THostModuleIntf(TIDEFiles& ide, THostModule* module) : FIDE(ide), FModule(module) {}
  TIEditorInterface* GetEditorInterface() override;
  TIFormInterface* GetFormInterface() override;
  bool IsProjectModule() override;
  bool Close() override;
  bool Save(bool forceSave) override;
  bool ShowSource() override;
  bool ShowForm() override;
  bool AddNotifier(TIModuleNotifier* notifier) override;
  bool RemoveNotifier(TIModuleNotifier* notifier) override;

private:
  TIDEFiles& FIDE;
  QPointer<THostModule> FModule;
};

class THostFormIntf : public TIFormInterface {
public:
  explicit THostFormIntf(THostModule* module) : FModule(module) {}
  std::string FileName() override;
  bool FormModified() override;
  bool MarkModified() override;

private:
  QPointer<THostModule> FModule;
};

class THostEditorIntf : public TIEditorInterface {
public:
  explicit THostEditorIntf(THostModule* module) : FModule(module) {}
  TIEditReader* CreateReader() override;
  TIEditWriter* CreateWriter() override;
  std::string FileName() override;
  int LinesInBuffer() override;
  bool BufferModified() override;
  bool MarkModified() override;
  TCharPos GetBlockAfter() override;
  TCharPos GetBlockStart() override;
  TBlockType GetBlockType() override;
  bool GetBlockVisible() override;
  void SetBlockAfter(const TCharPos& value) override;
  void SetBlockStart(const TCharPos& value) override;
  void SetBlockType(TBlockType value) override;
  void SetBlockVisible(bool value) override;

private:
  QPointer<THostModule> FModule;
};

// Reads a snapshot of the buffer taken when the reader was created.
class THostEditReader : public TIEditReader {
public:
  explicit THostEditReader(std::string text) : FText(std::move(text)) {}
  int GetText(int position, char* buffer, int count) override;

private:
  std::string FText;
};

// Builds the new buffer from the snapshot taken at creation; it replaces the buffer (one undoable
// edit) when the writer is released.
class THostEditWriter : public TIEditWriter {
public:
  explicit THostEditWriter(THostModule* module);
  ~THostEditWriter() override;
  bool CopyTo(int position) override;
  bool DeleteTo(int position) override;
  bool Insert(const std::string& text) override;
  int Position() override { return static_cast<int>(FPosition); }

private:
  QPointer<THostModule> FModule;
  std::string FOriginal;
  std::string FResult;
  size_t FPosition = 0;   // in FOriginal
  bool FChanged = false;
};
