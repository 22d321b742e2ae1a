#include "addin/tools/uDiffRows.h"

#include <algorithm>
#include <charconv>

#include "addin/diagnostics/uRVLException.h"
#include "platform/Files.h"
#include "platform/Text.h"

const char* const DiffFillerText = " ";

namespace {

// The characters the number field of line `lineNumber` takes: its digits, padded to 5 below line
// 100000 and to 6 from there on.
size_t NumberFieldWidth(int lineNumber) {
  size_t digits = 1;
  for (int n = lineNumber; n >= 10; n /= 10) ++digits;
  return std::max<size_t>(digits, lineNumber < 100000 ? 5 : 6);
}

} // namespace

void AppendDiffRowText(std::string& out, int lineNumber, std::string_view line) {
  char number[16];
  const size_t start = out.size();
  out.append(number, std::to_chars(number, number + sizeof number, lineNumber).ptr);
  out.resize(start + NumberFieldWidth(lineNumber), ' ');
  for (char c : line) {
    if (c == '\t') out += "  ";
    else out += c;
  }
}

std::string DiffRowText(int lineNumber, std::string_view line) {
  std::string row;
  row.reserve(line.size() + 8);
  AppendDiffRowText(row, lineNumber, line);
  return row;
}

std::string_view DiffRowBody(std::string_view row, int lineNumber) {
  if (lineNumber < 1) return {};
  return row.substr(std::min(row.size(), NumberFieldWidth(lineNumber)));
}

TDiffRows LoadDiffRows(const std::string& fileName) {
  std::string content, error;
  if (!platform::ReadFile(fileName, content, &error))
    throw ERVLException("Cannot read \"" + fileName + "\": " + error);
  TDiffRows rows;
  rows.Starts.reserve(size_t(std::count(content.begin(), content.end(), '\n')) + 2);
  rows.Text.reserve(content.size() + rows.Starts.capacity() * 6);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    size_t textEnd = end > start && content[end - 1] == '\r' ? end - 1 : end;
    AppendDiffRowText(rows.Text, int(rows.Count()) + 1, std::string_view(content).substr(start, textEnd - start));
    rows.Starts.push_back(rows.Text.size());
    start = end + 1;
  }
  return rows;
}

TDiffPane::TDiffPane(int lineCount)
    : FLines(lineCount), FLineKinds(size_t(lineCount), dkUnchanged), FGaps(size_t(lineCount) + 1),
      FTree(size_t(lineCount) + 2, 0) {
  // Every gap starts empty and stands for one row; build the tree in linear time.
  for (size_t i = 1; i < FTree.size(); ++i) {
    FTree[i] += 1;
    size_t parent = i + (i & (~i + 1));
    if (parent < FTree.size()) FTree[parent] += FTree[i];
  }
}

int TDiffPane::Prefix(int gap) const {
  int sum = 0;
  for (size_t i = size_t(gap); i > 0; i -= i & (~i + 1)) sum += FTree[i];
  return sum;
}

void TDiffPane::Grow(int gap) {
  for (size_t i = size_t(gap) + 1; i < FTree.size(); i += i & (~i + 1)) ++FTree[i];
}

void TDiffPane::Locate(int row, int& gap, int& offset) const {
  // The last gap whose rows start at or before `row`.
  size_t position = 0, step = 1;
  while (step * 2 < FTree.size()) step *= 2;
  int rest = row;
  for (; step > 0; step /= 2)
    if (position + step < FTree.size() && FTree[position + step] <= rest) {
      position += step;
      rest -= FTree[position];
    }
  gap = int(position);
  offset = rest;
}

int TDiffPane::FindLine(int n) const { return n < 1 || n > FLines ? -1 : Prefix(n) - 1; }

void TDiffPane::InsertFiller(int row, TDiffKind kind) {
  int gap = 0, offset = 0;
  Locate(std::clamp(row, 0, Count()), gap, offset);
  std::vector<TDiffKind>& fillers = FGaps[size_t(gap)];
  fillers.insert(fillers.begin() + offset, kind);
  Grow(gap);
}

bool TDiffPane::Mark(int row, TDiffKind kind) {
  if (row < 0 || row >= Count()) return false;
  int gap = 0, offset = 0;
  Locate(row, gap, offset);
  std::vector<TDiffKind>& fillers = FGaps[size_t(gap)];
  if (size_t(offset) < fillers.size()) fillers[size_t(offset)] = kind;
  else FLineKinds[size_t(gap)] = kind;
  return true;
}

std::vector<TDiffPane::TRow> TDiffPane::Rows() const {
  std::vector<TRow> rows;
  rows.reserve(size_t(Count()));
  for (int gap = 0; gap <= FLines; ++gap) {
    for (TDiffKind kind : FGaps[size_t(gap)]) rows.push_back({0, kind});
    if (gap < FLines) rows.push_back({gap + 1, FLineKinds[size_t(gap)]});
  }
  return rows;
}

namespace {

// A decimal number, optionally signed; -1 for anything else (or a number beyond int).
int NumberOf(const std::string& text) {
  int value = -1;
  const char* first = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last ? value : -1;
}

} // namespace

TDiffReportResult ReadDiffReport(std::istream& report, const TDiffReportWords& words, TDiffPane& left,
                                 TDiffPane& right, const std::string& leftName, const std::string& rightName) {
  TDiffReportResult result;
  auto problem = [&](const std::string& text) {
    if (result.Problem.empty()) result.Problem = text;
  };
  std::string line;
  int lineNumber = 0;
  bool ended = false;
  while (std::getline(report, line)) {
    if (++lineNumber <= 2) continue;
    const std::string s = platform::Trim(line);
    if (s.empty()) {
      // The blank line that ends a report has its line break; without it the report was cut.
      ended = !report.eof();
      break;
    }
    const size_t blank = s.find(' '), colon = s.find(':');
    const int n = blank == std::string::npos ? -1 : NumberOf(platform::Trim(s.substr(0, blank)));
    std::string word;
    if (blank != std::string::npos && colon != std::string::npos && colon >= blank)
      word = platform::FoldCase(platform::Trim(s.substr(blank, colon - blank + 1)));
    TDiffKind kind = dkUnchanged;
    if (platform::SameText(word, words.Change)) kind = dkChanged;
    else if (platform::SameText(word, words.Insert)) kind = dkInserted;
    else if (platform::SameText(word, words.Delete)) kind = dkDeleted;

    if (n < 0 || kind == dkUnchanged) {
      // A continuation or a closing text has neither a number nor a keyword.
      if ((n < 0) != (kind == dkUnchanged))
        problem("Line " + std::to_string(lineNumber) + " of the difference report is not understood: " +
                s.substr(0, 60));
      continue;
    }
    ++result.DiffCount;
    TDiffPane& pane = kind == dkInserted ? right : left;
    TDiffPane& other = kind == dkInserted ? left : right;
    const int row = pane.FindLine(n);
    if (row < 0) {
      problem("The difference report names line " + std::to_string(n) + " of \"" +
              (kind == dkInserted ? rightName : leftName) + "\", which has " + std::to_string(pane.LineCount()) +
              " lines.");
      continue;
    }
    if (kind != dkChanged) other.InsertFiller(row, kind);
    pane.Mark(row, kind);
    if (!other.Mark(row, kind))
      problem("The difference report does not fit the files: line " + std::to_string(lineNumber) +
              " names a row that \"" + (kind == dkInserted ? leftName : rightName) + "\" does not have.");
  }
  if (!ended) problem("The difference report ends early; the differences shown may be incomplete.");
  return result;
}
