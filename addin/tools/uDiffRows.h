#pragma once
// The rows of the difference viewer's two panes: each file's lines as numbered rows, and the report
// of `ss Diff` applied to them, which marks rows deleted, changed or inserted and inserts filler rows
// so that corresponding lines stand on the same row. Free of windows, so that any report can be
// checked quickly.
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

enum TDiffKind : uint8_t { dkDeleted = 0, dkChanged = 1, dkInserted = 2, dkUnchanged = 3 };

// The string a pane shows for file line `lineNumber`: the number left-aligned in 5 characters
// (6 from line 100000 on), then the line with every tab as two blanks. A filler row is " ".
std::string DiffRowText(int lineNumber, std::string_view line);
extern const char* const DiffFillerText;
// The part of the row string of file line `lineNumber` after its number field; empty for a filler
// row (line 0). The number field's width follows from the line number, not from the row's digits,
// since from line 10000 on the field has no trailing blank and the text may itself start with digits.
std::string_view DiffRowBody(std::string_view row, int lineNumber);
// Appends the row string of DiffRowText to `out`.
void AppendDiffRowText(std::string& out, int lineNumber, std::string_view line);

// The row strings of a file's lines, one after the other in one text, so that a long file needs no
// allocation per line.
struct TDiffRows {
  std::string Text;
  std::vector<size_t> Starts{0};   // row i runs from Starts[i] to Starts[i + 1]

  size_t Count() const { return Starts.size() - 1; }
  std::string_view operator[](size_t row) const {
    return std::string_view(Text).substr(Starts[row], Starts[row + 1] - Starts[row]);
  }
  // The row's text after its number field.
  std::string_view Body(size_t row) const { return DiffRowBody((*this)[row], int(row) + 1); }
};
// The lines of a file as rows; throws ERVLException when the file cannot be read.
TDiffRows LoadDiffRows(const std::string& fileName);

// One pane while the report is applied: the file's lines in order with filler rows between them.
// Finding a line, inserting a filler and marking a row take logarithmic time, so that large
// reports apply without a wait.
class TDiffPane {
public:
  explicit TDiffPane(int lineCount);

  int Count() const { return Prefix(FLines + 1) - 1; }
  int LineCount() const { return FLines; }
  // The row of file line `n` (1-based); -1 when the file has no such line.
  int FindLine(int n) const;
  // Inserts a filler row at `row`, which moves that row and all below it down; a row at or past
  // the end appends.
  void InsertFiller(int row, TDiffKind kind);
  // False when there is no such row.
  bool Mark(int row, TDiffKind kind);

  struct TRow {
    int Line;   // 1-based; 0 for a filler row
    TDiffKind Kind;
  };
  std::vector<TRow> Rows() const;

private:
  // The gap (index into FGaps) row `row` falls in and its offset there; an offset equal to the
  // gap's size is the file line that follows the gap.
  void Locate(int row, int& gap, int& offset) const;
  // Rows before gap `gap`.
  int Prefix(int gap) const;
  void Grow(int gap);

  int FLines;
  std::vector<TDiffKind> FLineKinds;
  // The fillers before each file line; the last gap holds those after the last line.
  std::vector<std::vector<TDiffKind>> FGaps;
  // A Fenwick tree over the rows each gap stands for: its fillers and the line after it.
  std::vector<int> FTree;
};

// The report keywords, lower case, colon included ("change:", "ins:", "del:").
struct TDiffReportWords {
  std::string Change;
  std::string Insert;
  std::string Delete;
};

struct TDiffReportResult {
  int DiffCount = 0;      // recognised difference lines
  std::string Problem;    // what did not fit, for the user; empty when the report was sound
};

// Reads a report: skips its two header lines, then marks the panes for every difference line up to
// the first empty line. Lines whose first word is not a number (continuations, "No differences.")
// are passed over. `leftName` and `rightName` name the files in problem texts.
TDiffReportResult ReadDiffReport(std::istream& report, const TDiffReportWords& words, TDiffPane& left,
                                 TDiffPane& right, const std::string& leftName, const std::string& rightName);
