#include "addin/execute/uFrmExecuteLog.h"

#include <QPainter>
#include <QVBoxLayout>

#include "addin/dialogs/uRVLHintWindow.h"
#include "addin/dialogs/uRVLListBox.h"
#include "ui/Graphics.h"

TFrmExecuteLog::TFrmExecuteLog(QObject* owner) : TRVLForm(owner) {
  SetName("FrmExecuteLog");
  SetCaption("Log");
  // A sizeable tool window.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(420, 160);

  lbLog = new TRVLListBox(this);
  lbLog->setObjectName("lbLog");
  lbLog->SetStyle(lbOwnerDrawFixed);
  lbLog->SetItemHeight(16);
  lbLog->SetHScrollBar(true);
  lbLog->SetCheckBoxes(false);
  lbLog->setToolTip(QStringLiteral("The last operation results - Red means an error has occoured"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lbLog);

  lbLog->OnDrawItem = [](TRVLListBox* list, int index, QPainter& canvas, const QRect& rect, TOwnerDrawState) {
    const QPen pen = canvas.pen();
    if (list->ItemData(index) == lmFailed) canvas.setPen(QColor(255, 0, 0));
    canvas.fillRect(rect, ColorToQColor(clWindow));
    canvas.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    QString::fromStdString(list->Text(index)));
    canvas.setPen(pen);
  };
}

void TFrmExecuteLog::AddLine(const std::string& Text, TMarker Marker) {
  lbLog->SetItemData(lbLog->Add(Text), Marker);
}

void TFrmExecuteLog::DeleteOKLines() {
  for (int i = lbLog->Count() - 1; i >= 0; --i)
    if (lbLog->ItemData(i) == lmOK) lbLog->Delete(i);
}

void TFrmExecuteLog::ShowLastLine() {
  lbLog->SetTopIndex(lbLog->Count() - 1);
  repaint();
}

bool TFrmExecuteLog::DoShowHint(std::string& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (HintInfo.HintControl != lbLog && HintInfo.HintControl != lbLog->viewport())
    return TRVLForm::DoShowHint(HintStr, CanShow, HintInfo);
  const QPoint pos = HintInfo.HintControl == lbLog ? lbLog->viewport()->mapFrom(lbLog, HintInfo.CursorPos)
                                                   : HintInfo.CursorPos;
  const int index = lbLog->row(lbLog->itemAt(pos));
  CanShow = false;
  if (index < 0) return true;
  const std::string text = lbLog->Text(index);
  const QRect line = lbLog->visualItemRect(lbLog->item(index));
  if (lbLog->fontMetrics().horizontalAdvance(QString::fromStdString(text)) + 2 <= lbLog->viewport()->width())
    return true;
  CanShow = true;
  HintStr = text;
  HintInfo.HintWindowClass = TRVLHintWindow::staticMetaObject.className();
  HintInfo.HintPos = lbLog->viewport()->mapToGlobal(line.topLeft());
  HintInfo.CursorRect = HintInfo.HintControl == lbLog ? line.translated(lbLog->viewport()->pos()) : line;
  return true;
}
