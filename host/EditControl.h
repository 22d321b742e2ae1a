#pragma once
// The source editor's text control: a plain-text editor with a line-number gutter, an Insert /
// Overwrite mode toggled by the Insert key, and a read-only state that refuses every change. It
// reports each finished paint (Painted), which add-ins use to refresh what they show beside it.
#include <functional>

#include <QPlainTextEdit>

class TEditControl : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit TEditControl(QWidget* parent = nullptr);

  // Shows `document` (which must have a QPlainTextDocumentLayout) without taking it over.
  void ShowDocument(QTextDocument* document);
  // Read-only: the text can be selected and copied but never changed.
  void SetReadOnlyText(bool readOnly);
  bool IsReadOnlyText() const { return FReadOnly; }

  // Runs before a key is handled while the text is read-only, so the owner can find out whether the
  // file has become writable meanwhile (a check-out) and lift the state first.
  std::function<void()> OnKeyWhileReadOnly;
  // Runs on a right click instead of Qt's own context menu (the window shows its popup menu).
  std::function<void(const QPoint& globalPos)> OnContextMenu;

  int GutterWidth() const;

signals:
  void Painted();
  void ModeChanged();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  class TGutter;
  void PaintGutter(QPaintEvent* event);
  void UpdateGutterWidth();

  TGutter* FGutter;
  bool FReadOnly = false;
};
