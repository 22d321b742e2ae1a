#include "host/Module.h"

#include <algorithm>

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/Files.h"
#include "ui/Application.h"

using namespace platform;

namespace {

// The form file beside a unit, or the unit's own name when it is a form file.
std::string FormFileOf(const std::string& fileName) {
  std::string dfm = ChangeFileExt(fileName, ".dfm");
  return FileExists(dfm) ? dfm : std::string();
}

} // namespace

THostModule::THostModule(const std::string& fileName, QObject* parent)
    : QObject(parent), FFileName(fileName), FFormFile(FormFileOf(fileName)),
      FSource(new QTextDocument(this)) {
  if (FFormFile == FFileName) FFormFile.clear();
  if (HasForm()) FForm = new QTextDocument(this);
  // The editors show these buffers as plain text, which needs the plain-text layout from the start.
  for (QTextDocument* document : {FSource, FForm})
    if (document) document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  // Edits of the source and of the form text are what module notifiers hear as modifications.
  connect(FSource, &QTextDocument::contentsChange, this, [this] {
    if (!FLoading) Notify(ncEditorModified);
  });
  if (FForm)
    connect(FForm, &QTextDocument::contentsChange, this, [this] {
      if (!FLoading) Notify(ncFormModified);
    });
}

THostModule::~THostModule() = default;

bool THostModule::Owns(const std::string& fileName) const {
  return SamePath(fileName, FFileName) || (HasForm() && SamePath(fileName, FFormFile));
}

bool THostModule::LoadDocument(const std::string& fileName, QTextDocument* document, TSourceText& info,
                               std::string& error) {
  if (!ReadSourceText(fileName, info, error)) return false;
  // A buffer that already holds the file's text stays as it is, with its caret and undo history
  // (a reload after a check-out changes only the file's attributes).
  if (document->toPlainText() != info.Text) {
    FLoading = true;
    document->setPlainText(info.Text);
    FLoading = false;
  }
  document->setModified(false);
  return true;
}

bool THostModule::Load(std::string& error) {
  if (!LoadDocument(FFileName, FSource, FSourceInfo, error)) return false;
  // A form whose text can't be shown doesn't fail the unit: its view says why.
  FFormUnavailable = false;
  if (HasForm()) {
    std::string formError;
    if (LoadDocument(FFormFile, FForm, FFormInfo, formError) && IsBinaryForm(FFormInfo.Text))
      formError = FFormFile + " is a binary form file; only text forms are shown here.";
    FFormUnavailable = !formError.empty();
    if (FFormUnavailable) {
      FLoading = true;
      FForm->setPlainText(QString::fromStdString("{ " + formError + " }"));
      FForm->setModified(false);
      FLoading = false;
    }
  }
  FReadOnly = platform::IsReadOnly(FFileName);
  FFormReadOnly = HasForm() && (platform::IsReadOnly(FFormFile) || FFormUnavailable);
  return true;
}

bool THostModule::IsBinaryForm(const QString& text) {
  return text.contains(QChar(0)) || text.startsWith(QLatin1String("TPF0"));
}

void THostModule::RefreshReadOnly() {
  bool readOnly = platform::IsReadOnly(FFileName);
  bool formReadOnly = HasForm() && (platform::IsReadOnly(FFormFile) || FFormUnavailable);
  if (readOnly == FReadOnly && formReadOnly == FFormReadOnly) return;
  FReadOnly = readOnly;
  FFormReadOnly = formReadOnly;
  emit ReadOnlyChanged();
}

bool THostModule::IsModified() const {
  return FSource->isModified() || (FForm && FForm->isModified());
}

bool THostModule::SaveDocument(const std::string& fileName, QTextDocument* document, const TSourceText& info,
                               bool readOnly, std::string& error) {
  if (readOnly) {
    error = "Cannot save " + fileName + ": the file is read-only.";
    return false;
  }
  if (!WriteFileAtomic(fileName, EncodeSourceText(document->toPlainText(), info), &error)) return false;
  document->setModified(false);
  return true;
}

bool THostModule::Save(bool force, std::string& error) {
  RefreshReadOnly();
  bool source = force || FSource->isModified();
  bool form = FForm && !FFormUnavailable && (force || FForm->isModified());
  if (!source && !form) return true;
  Notify(ncBeforeSave);
  if (source && !SaveDocument(FFileName, FSource, FSourceInfo, FReadOnly, error)) return false;
  if (form) {
    Notify(ncFormSaving);
    if (!SaveDocument(FFormFile, FForm, FFormInfo, FFormReadOnly, error)) return false;
  }
  Notify(ncAfterSave);
  return true;
}

bool THostModule::Reload(std::string& error) {
  bool wasReadOnly = FReadOnly, wasFormReadOnly = FFormReadOnly;
  if (!Load(error)) return false;
  if (wasReadOnly != FReadOnly || wasFormReadOnly != FFormReadOnly) emit ReadOnlyChanged();
  return true;
}

std::string THostModule::SourceBytes() const {
  return EncodeSourceText(FSource->toPlainText(), FSourceInfo);
}

void THostModule::SetSourceBytes(const std::string& bytes) {
  QString text = FSourceInfo.Latin1 ? QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()))
                                    : QString::fromStdString(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QTextCursor cursor(FSource);
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
}

void THostModule::SetBlock(const TMarkedBlock& block) {
  FBlock = block;
  emit BlockChanged();
}

int THostModule::DocumentPosition(const TCharPos& pos) const {
  QTextBlock line = FSource->findBlockByNumber(std::clamp(pos.Line - 1, 0, FSource->blockCount() - 1));
  return line.position() + std::clamp(pos.CharIndex, 0, line.length() - 1);
}

TCharPos THostModule::CharPos(int documentPosition) const {
  QTextBlock line = FSource->findBlock(documentPosition);
  if (!line.isValid()) line = FSource->lastBlock();
  return TCharPos{documentPosition - line.position(), line.blockNumber() + 1};
}

bool THostModule::AddNotifier(TIModuleNotifier* notifier) {
  if (!notifier || std::find(FNotifiers.begin(), FNotifiers.end(), notifier) != FNotifiers.end()) return false;
  FNotifiers.push_back(notifier);
  return true;
}

bool THostModule::RemoveNotifier(TIModuleNotifier* notifier) {
  auto it = std::find(FNotifiers.begin(), FNotifiers.end(), notifier);
  if (it == FNotifiers.end()) return false;
  FNotifiers.erase(it);
  return true;
}

void THostModule::Notify(TNotifyCode code) {
  // A snapshot, checked again before each call: notifiers may unregister (and free) themselves or
  // others while this runs.
  std::vector<TIModuleNotifier*> snapshot = FNotifiers;
  for (TIModuleNotifier* notifier : snapshot) {
    if (std::find(FNotifiers.begin(), FNotifiers.end(), notifier) == FNotifiers.end()) continue;
    try {
      notifier->Notify(code);
    } catch (const std::exception& e) {
      Application().HandleException(nullptr, e);
    }
  }
}
