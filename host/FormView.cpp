#include "host/FormView.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextDocumentLayout>
#include <QRegularExpression>
#include <QTextDocument>
#include <QVBoxLayout>

#include "host/EditControl.h"
#include "host/Module.h"
#include "platform/Exception.h"
#include "platform/Files.h"
#include "platform/FormFile.h"

namespace {

// Whether `key` would change an editable text: a character, a line break, a deletion, or a cut,
// paste, undo or redo.
bool ChangesText(QKeyEvent* key) {
  if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) return true;
  for (auto edit : {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo})
    if (key->matches(edit)) return true;
  const QString text = key->text();
  return !text.isEmpty() && (text[0].isPrint() || text[0] == u'\r' || text[0] == u'\t');
}

} // namespace

std::string FormNameOf(const QString& formText) {
  static const QRegularExpression header(QStringLiteral(R"(^\s*(?:object|inherited|inline)\s+(\w+)\s*:)"),
                                         QRegularExpression::CaseInsensitiveOption);
  QRegularExpressionMatch match = header.match(formText);
  return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

TFormView::TFormView(THostModule* module, QObject* owner)
    : TForm(owner), FModule(module), FText(new TEditControl(this)) {
  SetName("FormView_" + platform::ExtractBaseName(module->FormFile()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FText);
  FText->setObjectName("FormText");
  ShowForm();
  std::string formName = FormNameOf(FText->document()->toPlainText());
  SetCaption(formName.empty() ? platform::ExtractFileName(module->FormFile()) : formName);
  resize(480, 420);
  FText->OnKeyWhileReadOnly = [this] { FModule->RefreshReadOnly(); };
  FText->installEventFilter(this);
  connect(module, &THostModule::ReadOnlyChanged, this, [this] {
    ShowForm();
    UpdateReadOnly();
  });
  // A reload refills the module's buffer; a binary form (always read-only) is converted again then.
  // Typing in an editable text form never gets here.
  connect(module->Form(), &QTextDocument::contentsChanged, this, [this] {
    if (FBinaryText || FModule->IsFormReadOnly()) ShowForm();
  });
  UpdateReadOnly();
}

void TFormView::ShowForm() {
  std::string bytes;
  if (!platform::ReadFile(FModule->FormFile(), bytes) || !platform::IsBinaryForm(bytes)) {
    if (FText->document() != FModule->Form()) FText->ShowDocument(FModule->Form());
    delete FBinaryText;
    FBinaryText = nullptr;
    return;
  }
  QString text;
  try {
    text = QString::fromStdString(platform::FormBinaryToText(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  } catch (const Exception& e) {
    text = QString::fromStdString("{ " + FModule->FormFile() + " can't be shown: " + e.Message() + " }");
  }
  if (!FBinaryText) {
    FBinaryText = new QTextDocument(this);
    FBinaryText->setDocumentLayout(new QPlainTextDocumentLayout(FBinaryText));
  }
  FBinaryText->setPlainText(text);
  if (FText->document() != FBinaryText) FText->ShowDocument(FBinaryText);
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

bool TFormView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FText || event->type() != QEvent::KeyPress || !FLocked ||
      !ChangesText(static_cast<QKeyEvent*>(event)))
    return TForm::eventFilter(watched, event);
  FModule->Notify(ncFormModified);
  return true;
}
