#include "host/FormView.h"

#include <QEvent>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "host/EditControl.h"
#include "host/Module.h"
#include "platform/Files.h"

std::string FormNameOf(const QString& formText) {
  static const QRegularExpression header(QStringLiteral(R"(^\s*(?:object|inherited|inline)\s+(\w+)\s*:)"),
                                         QRegularExpression::CaseInsensitiveOption);
  QRegularExpressionMatch match = header.match(formText);
  return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

TFormView::TFormView(THostModule* module, QObject* owner)
    : TForm(owner), FModule(module), FText(new TEditControl(this)) {
  SetName("FormView_" + platform::ExtractBaseName(module->FormFile()));
  std::string formName = FormNameOf(module->Form()->toPlainText());
  SetCaption(formName.empty() ? platform::ExtractFileName(module->FormFile()) : formName);
  resize(480, 420);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FText);
  FText->setObjectName("FormText");
  FText->ShowDocument(module->Form());
  FText->OnKeyWhileReadOnly = [this] { FModule->RefreshReadOnly(); };
  connect(module, &THostModule::ReadOnlyChanged, this, &TFormView::UpdateReadOnly);
  UpdateReadOnly();
}

void TFormView::SetLockControls(bool locked) {
  FLocked = locked;
  UpdateReadOnly();
}

void TFormView::UpdateReadOnly() { FText->SetReadOnlyText(FLocked || FModule->IsFormReadOnly()); }

bool TFormView::event(QEvent* event) {
  bool result = TForm::event(event);
  if (event->type() == QEvent::WindowActivate) FModule->Notify(ncFormSelected);
  return result;
}
