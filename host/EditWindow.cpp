#include "host/EditWindow.h"

#include <QPlainTextDocumentLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include "host/EditControl.h"
#include "host/Module.h"
#include "platform/Files.h"
#include "ui/Menus.h"
#include "ui/StatusBar.h"

namespace {

void AddItem(TPopupMenu* menu, const char* name, const char* caption, std::function<void()> action) {
  TMenuItem* item = NewMenuItem(menu->Items(), name, caption);
  if (action) item->OnClick = [action](TObject*) { action(); };
}

} // namespace

TEditWindow::TEditWindow(QObject* owner)
    : TForm(owner), FTabs(new QTabBar(this)), FEditor(new TEditControl(this)), FStatusBar(new TStatusBar(this)),
      FLocalMenu(new TPopupMenu(this)), FEmpty(new QTextDocument(this)) {
  FEmpty->setDocumentLayout(new QPlainTextDocumentLayout(FEmpty));
  SetName("EditWindow_0");
  SetCaption("Editor");
  resize(760, 560);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FTabs->setDocumentMode(true);
  FTabs->setTabsClosable(false);
  FTabs->setExpanding(false);
  // The keys typed into the window go to the text, as soon as the window activates.
  FTabs->setFocusPolicy(Qt::NoFocus);
  FEditor->setFocus();
  layout->addWidget(FTabs);
  layout->addWidget(FEditor, 1);
  layout->addWidget(FStatusBar);

  for (int width : {110, 80, 90}) FStatusBar->AddPanel()->SetWidth(width);

  FLocalMenu->SetName("EditorLocalMenu");
  AddItem(FLocalMenu, "ecClosePage", "&Close Page", [this] {
    if (OnCloseRequest && CurrentModule()) OnCloseRequest(CurrentModule());
  });
  AddItem(FLocalMenu, "ecSep1", "-", nullptr);
  AddItem(FLocalMenu, "ecCut", "Cu&t", [this] { FEditor->cut(); });
  AddItem(FLocalMenu, "ecCopy", "&Copy", [this] { FEditor->copy(); });
  AddItem(FLocalMenu, "ecPaste", "&Paste", [this] { FEditor->paste(); });
  FEditor->OnContextMenu = [this](const QPoint& pos) {
    if (FLocalMenu->AutoPopup()) FLocalMenu->Popup(pos.x(), pos.y());
  };
  FEditor->OnKeyWhileReadOnly = [this] {
    if (THostModule* module = CurrentModule()) module->RefreshReadOnly();
  };

  connect(FTabs, &QTabBar::currentChanged, this, &TEditWindow::SelectPage);
  connect(FEditor, &QPlainTextEdit::cursorPositionChanged, this, &TEditWindow::UpdateStatus);
  connect(FEditor, &QPlainTextEdit::selectionChanged, this, &TEditWindow::TakeMarkedBlock);
  connect(FEditor, &QPlainTextEdit::modificationChanged, this, &TEditWindow::UpdateStatus);
  connect(FEditor, &TEditControl::ModeChanged, this, &TEditWindow::UpdateStatus);
}

THostModule* TEditWindow::CurrentModule() const {
  return FCurrent >= 0 ? FModules[static_cast<size_t>(FCurrent)] : nullptr;
}

void TEditWindow::ShowModule(THostModule* module) {
  auto it = std::find(FModules.begin(), FModules.end(), module);
  if (it != FModules.end()) {
    FTabs->setCurrentIndex(static_cast<int>(it - FModules.begin()));
    return;
  }
  FModules.push_back(module);
  FCursors.emplace_back(module->Source());
  connect(module, &THostModule::ReadOnlyChanged, this, [this, module] {
    if (module == CurrentModule()) {
      FEditor->SetReadOnlyText(module->IsReadOnly());
      UpdateStatus();
    }
  });
  connect(module, &THostModule::BlockChanged, this, [this, module] {
    if (module == CurrentModule()) ShowMarkedBlock();
  });
  int index = FTabs->addTab(QString::fromStdString(platform::ExtractFileName(module->FileName())));
  FTabs->setTabToolTip(index, QString::fromStdString(module->FileName()));
  FTabs->setCurrentIndex(index);
}

void TEditWindow::RemoveModule(THostModule* module) {
  auto it = std::find(FModules.begin(), FModules.end(), module);
  if (it == FModules.end()) return;
  int index = static_cast<int>(it - FModules.begin());
  disconnect(module, nullptr, this, nullptr);
  if (index == FCurrent) {
    // Another page comes to the front; the closing buffer must not stay in the control.
    FCurrent = -1;
    FEditor->ShowDocument(FEmpty);
  } else if (index < FCurrent) {
    --FCurrent;
  }
  FModules.erase(it);
  FCursors.erase(FCursors.begin() + index);
  const QSignalBlocker blocker(FTabs);
  FTabs->removeTab(index);
  SelectPage(FTabs->currentIndex());
}

void TEditWindow::SelectPage(int index) {
  if (FCurrent >= 0 && FCurrent < static_cast<int>(FCursors.size()))
    FCursors[static_cast<size_t>(FCurrent)] = FEditor->textCursor();
  FCurrent = index;
  THostModule* module = CurrentModule();
  if (module) {
    FEditor->ShowDocument(module->Source());
    FEditor->setTextCursor(FCursors[static_cast<size_t>(index)]);
    FEditor->SetReadOnlyText(module->IsReadOnly());
    SetCaption(module->FileName());
  } else {
    FEditor->ShowDocument(FEmpty);
    FEditor->SetReadOnlyText(false);
    SetCaption("Editor");
  }
  UpdateStatus();
  if (OnPageChanged) OnPageChanged(module);
}

void TEditWindow::UpdateStatus() {
  THostModule* module = CurrentModule();
  QTextCursor cursor = FEditor->textCursor();
  FStatusBar->FindPanelByID(EditPanelPosition)
      ->SetText(module ? std::to_string(cursor.blockNumber() + 1) + ": " + std::to_string(cursor.positionInBlock() + 1)
                       : std::string());
  FStatusBar->FindPanelByID(EditPanelModified)->SetText(module && module->Source()->isModified() ? "Modified" : "");
  std::string mode;
  if (module) mode = FEditor->IsReadOnlyText() ? "Read Only" : FEditor->overwriteMode() ? "Overwrite" : "Insert";
  FStatusBar->FindPanelByID(EditPanelMode)->SetText(mode);
}

// The marked block is the editor's selection: the module's block shows as the selection, and a
// selection the user makes becomes the block.
void TEditWindow::ShowMarkedBlock() {
  THostModule* module = CurrentModule();
  if (!module) return;
  const TMarkedBlock& block = module->Block();
  QTextCursor cursor = FEditor->textCursor();
  FApplyingBlock = true;
  if (block.Visible) {
    cursor.setPosition(module->DocumentPosition(block.Start));
    cursor.setPosition(module->DocumentPosition(block.After), QTextCursor::KeepAnchor);
  } else {
    cursor.clearSelection();
  }
  FEditor->setTextCursor(cursor);
  FApplyingBlock = false;
}

void TEditWindow::TakeMarkedBlock() {
  THostModule* module = CurrentModule();
  if (!module || FApplyingBlock) return;
  QTextCursor cursor = FEditor->textCursor();
  TMarkedBlock block = module->Block();
  block.Visible = cursor.hasSelection();
  if (block.Visible) {
    block.Start = module->CharPos(cursor.selectionStart());
    block.After = module->CharPos(cursor.selectionEnd());
    block.Type = btNonInclusive;
  }
  const QSignalBlocker blocker(module);
  module->SetBlock(block);
}

std::vector<std::string> TEditWindow::StatusLines() const {
  std::vector<std::string> lines;
  for (int i = 0; i < FStatusBar->PanelCount(); ++i)
    lines.push_back("status " + std::to_string(FStatusBar->Panels(i)->ID()) + ": " + FStatusBar->Panels(i)->Text());
  return lines;
}
