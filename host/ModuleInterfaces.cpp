#include "host/ModuleInterfaces.h"

#include <algorithm>
#include <cstring>

#include "host/IDEServices.h"

TIEditorInterface* THostModuleIntf::GetEditorInterface() {
  return OpenModule(FModule) ? new THostEditorIntf(FModule) : nullptr;
}

TIFormInterface* THostModuleIntf::GetFormInterface() {
  return OpenModule(FModule) && FModule->HasForm() ? new THostFormIntf(FModule) : nullptr;
}

// The project's own module, as add-ins ask it; the host's own flag means membership of the project.
bool THostModuleIntf::IsProjectModule() { return OpenModule(FModule) && FIDE.IsProjectSource(FModule->FileName()); }
bool THostModuleIntf::Close() { return OpenModule(FModule) && FIDE.CloseModule(FModule, false); }
bool THostModuleIntf::Save(bool forceSave) { return OpenModule(FModule) && FIDE.SaveModule(FModule, forceSave); }

bool THostModuleIntf::ShowSource() {
  if (!OpenModule(FModule)) return false;
  FIDE.ShowSource(FModule);
  return true;
}

bool THostModuleIntf::ShowForm() {
  if (!OpenModule(FModule) || !FModule->HasForm()) return false;
  FIDE.ShowForm(FModule);
  return true;
}

bool THostModuleIntf::AddNotifier(TIModuleNotifier* notifier) { return OpenModule(FModule) && FModule->AddNotifier(notifier); }
bool THostModuleIntf::RemoveNotifier(TIModuleNotifier* notifier) {
  return OpenModule(FModule) && FModule->RemoveNotifier(notifier);
}

std::string THostFormIntf::FileName() { return OpenModule(FModule) ? FModule->FormFile() : std::string(); }
bool THostFormIntf::FormModified() { return OpenModule(FModule) && FModule->Form()->isModified(); }

bool THostFormIntf::MarkModified() {
  if (!OpenModule(FModule)) return false;
  FModule->Form()->setModified(true);
  return true;
}

TIEditReader* THostEditorIntf::CreateReader() {
  return OpenModule(FModule) ? new THostEditReader(FModule->SourceBytes()) : nullptr;
}

TIEditWriter* THostEditorIntf::CreateWriter() {
  return OpenModule(FModule) && !FModule->IsReadOnly() ? new THostEditWriter(FModule) : nullptr;
}

std::string THostEditorIntf::FileName() { return OpenModule(FModule) ? FModule->FileName() : std::string(); }
int THostEditorIntf::LinesInBuffer() { return OpenModule(FModule) ? FModule->Source()->blockCount() : 0; }
bool THostEditorIntf::BufferModified() { return OpenModule(FModule) && FModule->Source()->isModified(); }

bool THostEditorIntf::MarkModified() {
  if (!OpenModule(FModule)) return false;
  FModule->Source()->setModified(true);
  return true;
}

TCharPos THostEditorIntf::GetBlockAfter() { return OpenModule(FModule) ? FModule->Block().After : TCharPos{}; }
TCharPos THostEditorIntf::GetBlockStart() { return OpenModule(FModule) ? FModule->Block().Start : TCharPos{}; }
TBlockType THostEditorIntf::GetBlockType() { return OpenModule(FModule) ? FModule->Block().Type : btUnknown; }
bool THostEditorIntf::GetBlockVisible() { return OpenModule(FModule) && FModule->Block().Visible; }

namespace {

template <class Change>
void ChangeBlock(THostModule* module, Change change) {
  if (!module) return;
  TMarkedBlock block = module->Block();
  change(block);
  module->SetBlock(block);
}

} // namespace

void THostEditorIntf::SetBlockAfter(const TCharPos& value) {
  ChangeBlock(OpenModule(FModule), [&](TMarkedBlock& b) { b.After = value; });
}
void THostEditorIntf::SetBlockStart(const TCharPos& value) {
  ChangeBlock(OpenModule(FModule), [&](TMarkedBlock& b) { b.Start = value; });
}
void THostEditorIntf::SetBlockType(TBlockType value) {
  ChangeBlock(OpenModule(FModule), [&](TMarkedBlock& b) { b.Type = value; });
}
void THostEditorIntf::SetBlockVisible(bool value) {
  ChangeBlock(OpenModule(FModule), [&](TMarkedBlock& b) { b.Visible = value; });
}

int THostEditReader::GetText(int position, char* buffer, int count) {
  if (position < 0 || count <= 0 || static_cast<size_t>(position) >= FText.size()) return 0;
  size_t n = std::min(static_cast<size_t>(count), FText.size() - static_cast<size_t>(position));
  std::memcpy(buffer, FText.data() + position, n);
  return static_cast<int>(n);
}

THostEditWriter::THostEditWriter(THostModule* module) : FModule(module), FOriginal(module->SourceBytes()) {}

THostEditWriter::~THostEditWriter() {
  if (!FChanged || !OpenModule(FModule)) return;
  FResult.append(FOriginal, FPosition);
  FModule->SetSourceBytes(FResult);
}

bool THostEditWriter::CopyTo(int position) {
  if (position < static_cast<int>(FPosition) || static_cast<size_t>(position) > FOriginal.size()) return false;
  FResult.append(FOriginal, FPosition, static_cast<size_t>(position) - FPosition);
  FPosition = static_cast<size_t>(position);
  return true;
}

bool THostEditWriter::DeleteTo(int position) {
  if (position < static_cast<int>(FPosition) || static_cast<size_t>(position) > FOriginal.size()) return false;
  FChanged = FChanged || static_cast<size_t>(position) > FPosition;
  FPosition = static_cast<size_t>(position);
  return true;
}

bool THostEditWriter::Insert(const std::string& text) {
  FResult += text;
  FChanged = FChanged || !text.empty();
  return true;
}
