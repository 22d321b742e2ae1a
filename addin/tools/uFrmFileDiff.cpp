#include "addin/tools/uFrmFileDiff.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QToolButton>

#include "addin/diagnostics/uRVLException.h"
#include "addin/diagnostics/uRVLExceptionHandler.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uFrmOptions.h"
#include "addin/settings/uRegDiffView.h"
#include "addin/settings/uRegIDE.h"
#include "platform/Text.h"
#include "ui/Prompter.h"
#include "ui/StatusBar.h"
#include "ui/VirtualKeys.h"

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// An arrow pointing right at the selected row.
QPixmap ArrowImage() {
  QPixmap image(10, 10);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ColorToQColor(clNavy));
  painter.drawPolygon(QPolygon({QPoint(1, 1), QPoint(9, 5), QPoint(1, 9)}));
  return image;
}

} // namespace

TFrmFileDiff::TFrmFileDiff(QObject* AOwner, const std::string& LeftFile, const std::string& RightFile,
                           const std::string& DiffFile, const std::string& LeftCaption, const std::string& RightCaption)
    : TFrmCustomDiff(AOwner) {
  SetName("FrmFileDiff");
  // Find and Find Next come first on the tool bar, Options after the two difference buttons.
  btnFind = AddSpeedButton("btnFind", "Find", "Find (CTRL-F)", 0);
  btnFind->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  btnFindNext = AddSpeedButton("btnFindNext", "Find Next", "Find Next (F3)", 1);
  btnFindNext->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  btnOptions = AddSpeedButton("btnOptions", "Options", "Options");
  imgArrow = ArrowImage();
  connect(btnOptions, &QToolButton::clicked, this, [this] { btnOptionsClick(); });
  connect(btnFind, &QToolButton::clicked, this, [this] { lbFileKeyDown(focusWidget(), 'F', ssCtrl); });
  connect(btnFindNext, &QToolButton::clicked, this, [this] { lbFileKeyDown(focusWidget(), VK_F3, 0); });

  for (const char* legend : {"Deleted Lines", "Changed Lines", "Inserted Lines", ""}) {
    TStatusPanel* panel = StatusBar->AddPanel();
    panel->SetText(legend);
    // 80 pixels, or what the legend needs in this system's status bar font.
    panel->SetWidth(std::max(80, StatusBar->fontMetrics().horizontalAdvance(legend) + 10));
    panel->SetAlignment(taCenter);
    if (*legend) panel->SetStyle(psOwnerDraw);
  }
  StatusBar->OnDrawPanel = [this](TStatusBar* bar, TStatusPanel* panel, QPainter& canvas, const QRect& rect) {
    StatusBarDrawPanel(bar, panel, canvas, rect);
  };
  for (TRVLListBox* pane : {lbLeftPane, lbRightPane})
    pane->OnDrawItem = [this](TRVLListBox* control, int index, QPainter& canvas, const QRect& rect,
                              TOwnerDrawState state) { lbFileDrawItem(control, index, canvas, rect, state); };

  ApplySettings();
  const TDiffRows leftRows = LoadDiffRows(LeftFile);
  stbarFileNames->Panels(0)->SetText(LeftCaption);
  const TDiffRows rightRows = LoadDiffRows(RightFile);
  stbarFileNames->Panels(1)->SetText(RightCaption);
  EqualizeExtents(WidestRow(leftRows), WidestRow(rightRows));
  LayoutPanes();
  Load(leftRows, rightRows, DiffFile, LeftFile, RightFile);
  NextDiff();
  if (SelectedRow() < 0) SelectRow(0);
}

TFrmFileDiff::~TFrmFileDiff() = default;

void TFrmFileDiff::ApplySettings() {
  std::unique_ptr<TRegDiffView> view = TRVLRegFactory::_Instance().CreateRegDiffView();
  UseSyntax = view->GetSyntax();
  ChangeColor = view->GetChangeColor();
  InsertColor = view->GetInsertColor();
  DeleteColor = view->GetDeleteColor();
  ChangeWord = platform::FoldCase(view->GetChangeWord());
  InsWord = platform::FoldCase(view->GetInsertWord());
  DelWord = platform::FoldCase(view->GetDeleteWord());

  std::unique_ptr<TRegIDE> ide = TRVLRegFactory::_Instance().CreateRegIDE();
  BackColor = ide->GetIdentifierBackground();
  FontColor = ide->GetIdentifierForeground();
  QPalette palette = lbRightPane->palette();
  palette.setColor(QPalette::Base, ColorToQColor(BackColor));
  const QFont font(QString::fromStdString(ide->GetFontName()), ide->GetFontSize());
  for (TRVLListBox* pane : {lbRightPane, lbLeftPane}) {
    pane->setPalette(palette);
    pane->setFont(font);
    pane->SetItemHeight(QFontMetrics(font).height() + 3);
  }
}

// Only the viewer's own page is offered; the report is not read again, so changed keywords apply to
// the next viewer.
void TFrmFileDiff::btnOptionsClick() {
  TRVLFormPtr<TFrmOptions> options = TRVLFormFactory::_Instance().CreateOptions();
  for (int page = 0; page < options->pgcOptions->count(); ++page) options->pgcOptions->setTabVisible(page, false);
  options->pgcOptions->setTabVisible(TFrmOptions::DiffViewerPage, true);
  options->pgcOptions->setCurrentIndex(TFrmOptions::DiffViewerPage);
  if (options->ShowModal() != mrOk) return;
  ApplySettings();
  lbLeftPane->viewport()->update();
  lbRightPane->viewport()->update();
  StatusBar->update();
}

int TFrmFileDiff::WidestRow(const TDiffRows& Rows) const {
  // Measuring every row of a long file takes long; the widest row is among the longest ones (exactly
  // so in the fixed-pitch fonts editors use), so only those are measured.
  constexpr size_t Measured = 256;
  std::vector<std::pair<size_t, size_t>> longest;   // length, row
  longest.reserve(Rows.Count());
  for (size_t row = 0; row < Rows.Count(); ++row) longest.push_back({Rows[row].size(), row});
  if (longest.size() > Measured) {
    std::nth_element(longest.begin(), longest.begin() + Measured - 1, longest.end(), std::greater<>());
    longest.resize(Measured);
  }
  const QFontMetrics metrics(lbLeftPane->font());
  int widest = 0;
  for (const auto& [length, row] : longest)
    widest = std::max(widest, metrics.horizontalAdvance(Q(Rows.Body(row))));
  return metrics.horizontalAdvance("12345") + imgArrow.width() + widest + 4;
}

void TFrmFileDiff::Load(const TDiffRows& LeftRows, const TDiffRows& RightRows,
                        const std::string& DiffFile, const std::string& LeftFile, const std::string& RightFile) {
  TDiffPane left(int(LeftRows.Count())), right(int(RightRows.Count()));
  std::string problem;
  try {
    std::ifstream report(DiffFile, std::ios::binary);
    if (!report)
      throw ERVLException("Cannot open the difference report \"" + DiffFile + "\": " + std::strerror(errno));
    TDiffReportResult result = ReadDiffReport(report, {ChangeWord, InsWord, DelWord}, left, right, LeftFile, RightFile);
    DiffCount = result.DiffCount;
    problem = result.Problem;
  } catch (const std::exception& e) {
    problem = e.what();
    TRVLExceptionHandler::_Instance().HandleException(this, e);
  }
  StatusBar->Panels(3)->SetText(problem);

  std::vector<std::string_view> texts;
  Fill(lbLeftPane, LeftRows, left.Rows(), FKinds[0], texts);
  FSyntax[0] = std::make_unique<TSyntaxLines>(LeftFile, texts);
  Fill(lbRightPane, RightRows, right.Rows(), FKinds[1], texts);
  FSyntax[1] = std::make_unique<TSyntaxLines>(RightFile, texts);
}

void TFrmFileDiff::Fill(TRVLListBox* Pane, const TDiffRows& Rows,
                        const std::vector<TDiffPane::TRow>& Layout, std::vector<TDiffKind>& Kinds,
                        std::vector<std::string_view>& Texts) {
  Texts.clear();
  Texts.reserve(Layout.size());
  Kinds.clear();
  Kinds.reserve(Layout.size());
  QStringList strings;
  strings.reserve(qsizetype(Layout.size()));
  for (const TDiffPane::TRow& row : Layout) {
    Texts.push_back(row.Line > 0 ? Rows.Body(size_t(row.Line) - 1) : std::string_view());
    Kinds.push_back(row.Kind);
    strings.push_back(Q(row.Line > 0 ? Rows[size_t(row.Line) - 1] : DiffFillerText));
  }
  // All rows in one insertion, so that the list lays itself out once.
  Pane->Clear();
  Pane->insertItems(0, strings);
}

TDiffKind TFrmFileDiff::Kind(const TRVLListBox* Pane, int Row) const {
  const std::vector<TDiffKind>& kinds = FKinds[Pane == lbLeftPane ? 0 : 1];
  return Row >= 0 && size_t(Row) < kinds.size() ? kinds[size_t(Row)] : dkUnchanged;
}

const TSyntaxLines* TFrmFileDiff::Syntax(const TRVLListBox* Pane) const {
  return FSyntax[Pane == lbLeftPane ? 0 : 1].get();
}

std::string TFrmFileDiff::ReportProblem() const { return StatusBar->Panels(3)->Text(); }

void TFrmFileDiff::NextDiff() {
  const int selected = SelectedRow();
  bool inDiff = selected >= 0 && Kind(selected) != dkUnchanged;
  for (int row = selected + 1; row < lbLeftPane->Count(); ++row) {
    if (Kind(row) == dkUnchanged) {
      inDiff = false;
    } else if (!inDiff) {
      GoToRow(row);
      return;
    }
  }
}

void TFrmFileDiff::PrevDiff() {
  const int selected = SelectedRow();
  if (selected < 1) return;
  bool inDiff = Kind(selected - 1) != dkUnchanged;
  for (int row = selected - 2; row >= 0; --row) {
    if (Kind(row) != dkUnchanged) {
      inDiff = true;
    } else if (inDiff) {
      GoToRow(row + 1);
      return;
    }
  }
  if (inDiff) SelectRow(0);
}

bool TFrmFileDiff::PaneKeyDown(TRVLListBox* Pane, int Key, TShiftState Shift) { return lbFileKeyDown(Pane, Key, Shift); }

bool TFrmFileDiff::lbFileKeyDown(QObject* Sender, int Key, TShiftState Shift) {
  auto* pane = qobject_cast<TRVLListBox*>(Sender);
  if (!pane) return false;
  if (Key == VK_F3) {
    Search(pane);
    return true;
  }
  if (Key == 'F' && (Shift & ssCtrl)) {
    std::string text = FindText;
    if (InputQuery(TRVLGlobals::_Instance().ProductName, "Text to find:", text)) FindText = platform::UpperCase(text);
    Search(pane);
    lbLeftPane->viewport()->update();
    lbRightPane->viewport()->update();
    return true;
  }
  return false;
}

void TFrmFileDiff::Search(TRVLListBox* Pane) {
  if (FindText.empty()) return;
  for (int row = Pane->ItemIndex() + 1; row < Pane->Count(); ++row)
    if (platform::UpperCase(Pane->Text(row)).find(FindText) != std::string::npos) {
      GoToRow(row);
      return;
    }
}

TColor TFrmFileDiff::KindColor(TDiffKind Kind) const {
  switch (Kind) {
    case dkDeleted: return DeleteColor;
    case dkChanged: return ChangeColor;
    case dkInserted: return InsertColor;
    case dkUnchanged: break;
  }
  return BackColor;
}

void TFrmFileDiff::lbFileDrawItem(TRVLListBox* Control, int Index, QPainter& Canvas, const QRect& Rect,
                                  TOwnerDrawState State) {
  const std::string row = Control->Text(Index);
  const TSyntaxLines* syntax = Syntax(Control);
  const std::string_view body = syntax && Index < syntax->Count() ? syntax->Text(Index) : std::string_view();
  const QFontMetrics metrics(Control->font());
  const QRect numbers(Rect.left(), Rect.top(), metrics.horizontalAdvance("12345"), Rect.height());
  const QRect arrow(numbers.right() + 1, Rect.top(), imgArrow.width(), Rect.height());
  const QRect text(arrow.right() + 1, Rect.top(), std::max(0, Rect.right() - arrow.right()), Rect.height());
  const bool selected = State & odSelected;
  Canvas.setFont(Control->font());

  Canvas.setPen(ColorToQColor(FontColor));
  Canvas.fillRect(numbers, ColorToQColor(BackColor));
  Canvas.drawText(numbers.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                  Q(std::string_view(row).substr(0, row.size() - body.size())));
  Canvas.fillRect(arrow, ColorToQColor(BackColor));
  if (selected) Canvas.drawPixmap(arrow.topLeft(), imgArrow);

  Canvas.fillRect(text, ColorToQColor(KindColor(Kind(Control, Index))));
  const QString shown = Q(body);
  if (UseSyntax && syntax && Index < syntax->Count()) {
    syntax->DrawLine(Canvas, text, Index);
  } else {
    Canvas.save();
    Canvas.setClipRect(text);
    Canvas.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    Canvas.restore();
  }

  if (!FindText.empty()) {
    const QString needle = QString::fromStdString(FindText);
    for (qsizetype at = shown.indexOf(needle, 0, Qt::CaseInsensitive); at >= 0;
         at = shown.indexOf(needle, at + 1, Qt::CaseInsensitive)) {
      const QString found = shown.mid(at, needle.size());
      const QRect mark(text.left() + metrics.horizontalAdvance(shown.left(at)), text.top(),
                       metrics.horizontalAdvance(found), text.height());
      Canvas.fillRect(mark & text, ColorToQColor(clHighlight));
      Canvas.setPen(ColorToQColor(clHighlightText));
      Canvas.drawText(mark, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, found);
    }
  }

  if (selected) {
    Canvas.setPen(ColorToQColor(clNavy));
    Canvas.setBrush(Qt::NoBrush);
    Canvas.drawRect(text.adjusted(0, 0, -1, -1));
    if (Control->hasFocus()) {
      Canvas.setPen(QPen(ColorToQColor(clWindowText), 1, Qt::DotLine));
      Canvas.drawRect(Rect.adjusted(0, 0, -1, -1));
    }
  }
}

void TFrmFileDiff::StatusBarDrawPanel(TStatusBar*, TStatusPanel* Panel, QPainter& Canvas, const QRect& Rect) {
  // The legend panels stand in the order of the kinds they name.
  const int index = Panel->Index();
  const TColor color = index < dkUnchanged ? KindColor(TDiffKind(index)) : clBlack;
  Canvas.save();
  Canvas.setClipRect(Rect);
  Canvas.setPen(ColorToQColor(color));
  Canvas.drawText(Rect.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                  QString::fromStdString(Panel->Text()));
  Canvas.restore();
}
