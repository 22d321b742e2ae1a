#include "addin/dialogs/uRVLForm.h"

#include <charconv>

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>

#include "addin/dialogs/uRVLHelpHintWindow.h"
#include "addin/dialogs/uRVLHintWindow.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegWindow.h"
#include "platform/Text.h"
#include "ui/Component.h"
#include "ui/StatusBar.h"

namespace {

// A hint that reads as a whole number other than 0 ("12", " +7") names a help topic and is no text.
bool IsNonZeroNumber(const std::string& hint) {
  std::string text = platform::Trim(hint);
  if (!text.empty() && text.front() == '+') text.erase(0, 1);
  int value = 0;
  const char* end = text.data() + text.size();
  auto [last, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && last == end && value != 0;
}

} // namespace

QLabel* NamedLabel(const char* name, const char* caption, QWidget* buddy) {
  auto* label = Named(new QLabel(caption), name);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QWidget* button : buttons) row->addWidget(button);
  return row;
}

TRVLForm::TRVLForm(QObject* owner)
    : TForm(owner), FRegWindow(TRVLRegFactory::_Instance().CreateRegWindow()),
      FShowHints(TRVLRegFactory::_Instance().CreateRegOptions()->GetShowHints()) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
}

TRVLForm::~TRVLForm() = default;

void TRVLForm::AfterConstruction() {
  LoadWindowPlacement();
  FPlacementLoaded = true;
}

void TRVLForm::BeforeDestruction() {
  if (!FPlacementLoaded) return;
  FPlacementLoaded = false;
  Guarded(this, [this] { SaveWindowPlacement(); });
}

void TRVLForm::LoadWindowPlacement() { FRegWindow->LoadPlacement(this); }

void TRVLForm::SaveWindowPlacement() { FRegWindow->SavePlacement(this); }

bool TRVLForm::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  QWidget* control = HintInfo.HintControl;
  if (!control || OwnerForm(control) != this) return false;
  CanShow = FShowHints;
  HintInfo.HintWindowClass = TRVLHelpHintWindow::staticMetaObject.className();
  HintInfo.HintMaxWidth = HintMaxWidth;
  HintInfo.HideTimeout = Application().HintHidePause() + ExtraHidePause;
  if (IsNonZeroNumber(control->toolTip().toStdString())) HintStr.clear();
  auto* statusBar = qobject_cast<TStatusBar*>(FindComponent("sbarStatus"));
  if (statusBar && statusBar->SimplePanel() && !HintStr.empty()) statusBar->SetSimpleText(HintStr);
  return true;
}

void TRVLFormDeleter::operator()(TRVLForm* form) const {
  form->BeforeDestruction();
  delete form;
}

void TRVLForm::RowHint(QListWidget* List, int Margin, int Indent, std::string& HintStr, THintInfo& HintInfo) {
  HintStr.clear();
  const QPoint at = List->viewport()->mapFrom(List, HintInfo.CursorPos);
  QListWidgetItem* row = List->itemAt(at);
  if (!row || List->fontMetrics().horizontalAdvance(row->text()) <= List->viewport()->width() - Margin) return;
  const QRect rect = List->visualItemRect(row);
  HintStr = row->text().toStdString();
  HintInfo.HintWindowClass = TRVLHintWindow::staticMetaObject.className();
  HintInfo.HintPos = List->viewport()->mapToGlobal(rect.topLeft() + QPoint(Indent, -2));
  HintInfo.CursorRect = QRect(List->viewport()->mapTo(List, rect.topLeft()), rect.size());
  HintInfo.ReshowTimeout = HintInfo.HideTimeout;
}
