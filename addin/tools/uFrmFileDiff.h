#pragma once
// The difference viewer: two versions of a text file side by side, with the lines that the report of
// `ss Diff` names painted as deleted, changed or inserted and filler rows keeping corresponding lines
// on one row. It steps from difference to difference, finds text, and draws the text in the IDE
// editor's colours and, where "Syntax.ini" knows the language, its syntax styles. Everything is
// loaded when the viewer is made, so the caller can read DiffCount before showing it.
#include <memory>
#include <string>
#include <vector>

#include <QPixmap>

#include "addin/tools/uDiffRows.h"
#include "addin/tools/uFrmCustomDiff.h"
#include "addin/tools/uSyntaxLines.h"
#include "ui/Graphics.h"

class TStatusPanel;

class TFrmFileDiff : public TFrmCustomDiff {
  Q_OBJECT
public:
  // Throws ERVLException when LeftFile or RightFile cannot be read. A report that cannot be read
  // goes to the exception handler, and the viewer opens with what was read of it.
  TFrmFileDiff(QObject* AOwner, const std::string& LeftFile, const std::string& RightFile,
               const std::string& DiffFile, const std::string& LeftCaption, const std::string& RightCaption);
  ~TFrmFileDiff() override;

  void NextDiff() override;
  void PrevDiff() override;

  // Reads the viewer's settings and the IDE editor's font and colours (again after the options).
  void ApplySettings();

  // The kind of a row of the left pane (the one stepping reads) or of `Pane`.
  TDiffKind Kind(int Row) const { return Kind(lbLeftPane, Row); }
  TDiffKind Kind(const TRVLListBox* Pane, int Row) const;
  const TSyntaxLines* Syntax(const TRVLListBox* Pane) const;
  // What did not fit in the report, as shown in the status bar; empty when it was sound.
  std::string ReportProblem() const;

  QToolButton* btnFind;
  QToolButton* btnFindNext;
  QToolButton* btnOptions;
  QPixmap imgArrow;

  std::string FindText;
  std::string ChangeWord;
  std::string DelWord;
  std::string InsWord;
  bool UseSyntax = true;
  TColor ChangeColor = clRed;
  TColor InsertColor = clLime;
  TColor DeleteColor = clAqua;
  TColor BackColor = clWindow;
  TColor FontColor = clWindowText;

  void lbFileDrawItem(TRVLListBox* Control, int Index, QPainter& Canvas, const QRect& Rect, TOwnerDrawState State);
  // F3 finds the next row with FindText, Ctrl+F asks for the text first; only for a pane.
  bool lbFileKeyDown(QObject* Sender, int Key, TShiftState Shift);
  void StatusBarDrawPanel(TStatusBar* Bar, TStatusPanel* Panel, QPainter& Canvas, const QRect& Rect);
  // Opens the Options dialog on the viewer's page and, after OK, repaints with the new settings.
  void btnOptionsClick();

protected:
  bool PaneKeyDown(TRVLListBox* Pane, int Key, TShiftState Shift) override;

private:
  void Load(const TDiffRows& LeftRows, const TDiffRows& RightRows,
            const std::string& DiffFile, const std::string& LeftFile, const std::string& RightFile);
  // Puts the rows of `Layout` into the pane, and keeps their kinds and their texts after the number field.
  void Fill(TRVLListBox* Pane, const TDiffRows& Rows, const std::vector<TDiffPane::TRow>& Layout,
            std::vector<TDiffKind>& Kinds, std::vector<std::string_view>& Texts);
  int WidestRow(const TDiffRows& Rows) const;
  void Search(TRVLListBox* Pane);
  TColor KindColor(TDiffKind Kind) const;

  std::vector<TDiffKind> FKinds[2];                 // per pane: left, right
  std::unique_ptr<TSyntaxLines> FSyntax[2];
};
