#pragma once
// An open module: a unit's source buffer and, when the unit has a form file (.dfm) beside it, the
// form's text. Modules know their files' read-only state, save and reload them, keep the marked
// block and deliver module notifications.
#include <string>
#include <vector>

#include <QObject>
#include <QTextDocument>

#include "host/SourceText.h"
#include "opentools/EditIntf.h"
#include "opentools/Notifiers.h"

struct TMarkedBlock {
  TCharPos Start;
  TCharPos After;
  TBlockType Type = btNonInclusive;
  bool Visible = false;
};

class THostModule : public QObject {
  Q_OBJECT
public:
  // `fileName` is the unit's source (or a form file that has no unit).
  THostModule(const std::string& fileName, QObject* parent);
  ~THostModule() override;

  // Reads the files; false with a message when the source can't be read.
  bool Load(std::string& error);
  const std::string& FileName() const { return FFileName; }
  // The form file, empty without a form.
  const std::string& FormFile() const { return FFormFile; }
  bool HasForm() const { return !FFormFile.empty(); }
  bool IsProjectModule() const { return FProjectModule; }
  // Closed modules linger until their last notification has returned; interfaces ignore them.
  bool IsClosed() const { return FClosed; }
  void MarkClosed() { FClosed = true; }
  void SetProjectModule(bool value) { FProjectModule = value; }
  // True when `fileName` is this module's source or form file.
  bool Owns(const std::string& fileName) const;

  QTextDocument* Source() const { return FSource; }
  QTextDocument* Form() const { return FForm; }   // nullptr without a form
  bool IsReadOnly() const { return FReadOnly; }
  bool IsFormReadOnly() const { return FFormReadOnly; }
  // Reads the files' write permission again (a check-out may have changed it); emits
  // ReadOnlyChanged when it did.
  void RefreshReadOnly();
  bool IsModified() const;

  // Writes the modified buffers (all of them when `force`). A read-only file is never written:
  // false with a message saying so.
  bool Save(bool force, std::string& error);
  // Reads the files again, dropping unsaved changes.
  bool Reload(std::string& error);

  // The whole source buffer as the file would hold it (its line breaks and encoding).
  std::string SourceBytes() const;
  // Replaces the source buffer from file-form bytes, as one undoable edit.
  void SetSourceBytes(const std::string& bytes);

  // Marked block in editor coordinates; BlockChanged tells the editor to show it.
  const TMarkedBlock& Block() const { return FBlock; }
  void SetBlock(const TMarkedBlock& block);
  // Character position <-> document position (clamped to the buffer).
  int DocumentPosition(const TCharPos& pos) const;
  TCharPos CharPos(int documentPosition) const;

  // Module notifiers are not owned: whoever registers one removes it before freeing it. A notifier
  // may remove itself (or others) while being notified.
  bool AddNotifier(TIModuleNotifier* notifier);
  bool RemoveNotifier(TIModuleNotifier* notifier);
  void Notify(TNotifyCode code);

signals:
  void ReadOnlyChanged();
  void BlockChanged();

private:
  static bool IsBinaryForm(const QString& text);
  bool LoadDocument(const std::string& fileName, QTextDocument* document, TSourceText& info,
                    std::string& error);
  bool SaveDocument(const std::string& fileName, QTextDocument* document, const TSourceText& info,
                    bool readOnly, std::string& error);

  std::string FFileName;
  std::string FFormFile;
  bool FProjectModule = false;
  QTextDocument* FSource;
  QTextDocument* FForm = nullptr;
  TSourceText FSourceInfo;
  TSourceText FFormInfo;
  bool FReadOnly = false;
  bool FFormReadOnly = false;
  TMarkedBlock FBlock;
  std::vector<TIModuleNotifier*> FNotifiers;
  bool FLoading = false;
  // The form file's text can't be shown (unreadable, or a binary form): the view shows why, stays
  // read-only, and the file is never written.
  bool FFormUnavailable = false;
  bool FClosed = false;   // buffers being (re)filled from disk are not edits
};
