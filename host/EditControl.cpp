#include "host/EditControl.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

class TEditControl::TGutter : public QWidget {
public:
  explicit TGutter(TEditControl* editor) : QWidget(editor), FEditor(editor) {}
  QSize sizeHint() const override { return {FEditor->GutterWidth(), 0}; }

protected:
  void paintEvent(QPaintEvent* event) override { FEditor->PaintGutter(event); }

private:
  TEditControl* FEditor;
};

TEditControl::TEditControl(QWidget* parent) : QPlainTextEdit(parent), FGutter(new TGutter(this)) {
  setObjectName("EditControl");
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Some platforms answer with a proportional font; ask for a typewriter face by name as well.
  fixed.setFamilies({fixed.family(), "DejaVu Sans Mono", "Liberation Mono", "Courier New", "monospace"});
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  setFont(fixed);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(' ') * 8);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &TEditControl::UpdateGutterWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy)
      FGutter->scroll(0, dy);
    else
      FGutter->update(0, rect.y(), FGutter->width(), rect.height());
  });
  UpdateGutterWidth();
}

void TEditControl::ShowDocument(QTextDocument* document) {
  setDocument(document);
  document->setDefaultFont(font());   // a document brings its own default font
  UpdateGutterWidth();
}

void TEditControl::SetReadOnlyText(bool readOnly) {
  if (FReadOnly == readOnly) return;
  FReadOnly = readOnly;
  setReadOnly(readOnly);
  // Keep the caret and keyboard selection in a read-only file, as editors do.
  if (readOnly) setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  emit ModeChanged();
}

int TEditControl::GutterWidth() const {
  int digits = QString::number(std::max(1, blockCount())).size();
  return 12 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits);
}

void TEditControl::UpdateGutterWidth() {
  setViewportMargins(GutterWidth(), 0, 0, 0);
  QRect area = contentsRect();
  FGutter->setGeometry(area.left(), area.top(), GutterWidth(), area.height());
}

void TEditControl::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateGutterWidth();
}

void TEditControl::PaintGutter(QPaintEvent* event) {
  QPainter painter(FGutter);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(FGutter->width() - 1, event->rect().top(), FGutter->width() - 1, event->rect().bottom());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    int height = qRound(blockBoundingRect(block).height());
    if (block.isVisible() && top + height >= event->rect().top())
      painter.drawText(0, top, FGutter->width() - 6, fontMetrics().height(), Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    block = block.next();
    top += height;
  }
}

void TEditControl::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  emit Painted();
}

void TEditControl::keyPressEvent(QKeyEvent* event) {
  if (FReadOnly && OnKeyWhileReadOnly) OnKeyWhileReadOnly();
  if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
    setOverwriteMode(!overwriteMode());
    emit ModeChanged();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TEditControl::contextMenuEvent(QContextMenuEvent* event) {
  if (OnContextMenu)
    OnContextMenu(event->globalPos());
  else
    QPlainTextEdit::contextMenuEvent(event);
}
