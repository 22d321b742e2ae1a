#include "vss/cli/LineDiff.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "platform/Text.h"

namespace vsscli {

std::vector<TextLine> SplitLines(std::string_view content) {
  std::vector<TextLine> lines;
  lines.reserve(size_t(std::count(content.begin(), content.end(), '\n')) + 1);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back({content.substr(start), {}});
      break;
    }
    size_t textEnd = (end > start && content[end - 1] == '\r') ? end - 1 : end;
    lines.push_back({content.substr(start, textEnd - start), content.substr(textEnd, end + 1 - textEnd)});
    start = end + 1;
  }
  return lines;
}

namespace {

// What a line is compared by: its text (changed by the options) and, unless line ends are ignored,
// its break. The views point into the lines or into texts kept while the ids are made.
struct LineKey {
  std::string_view Text;
  std::string_view Break;
  bool operator==(const LineKey&) const = default;
};

struct LineKeyHash {
  size_t operator()(const LineKey& key) const {
    const std::hash<std::string_view> hash;
    return hash(key.Text) * 31 + hash(key.Break);
  }
};

// The text of a line under the white-space and case options.
std::string CompareText(const TextLine& line, const DiffOptions& options) {
  std::string text;
  if (options.IgnoreWhiteSpace) {
    for (char c : line.Text)
      if (c != ' ' && c != '\t' && c != '\f' && c != '\v' && c != '\r') text += c;
  } else {
    text = std::string(line.Text);
  }
  return options.IgnoreCase ? platform::FoldCase(text) : text;
}

// Myers' middle-snake bisection over two sequences of line ids. Marks every line of the old text
// that is deleted and every line of the new text that is inserted.
class Bisection {
public:
  // Work (diagonals visited and lines compared) one split may take while staying minimal. Texts of
  // a hundred thousand lines with thousands of scattered differences stay well inside it.
  static constexpr long MinimalBudget = 64'000'000;

  // The diagonal arrays are left uninitialised: a search only reads what it wrote, and pages it never
  // reaches cost nothing.
  Bisection(const std::vector<int>& a, const std::vector<int>& b)
      : A(a), B(b), Deleted(a.size(), false), Inserted(b.size(), false),
        Forward(new long[2 * (a.size() + b.size()) + 4]), Backward(new long[2 * (a.size() + b.size()) + 4]) {}

  void Compare(long aLo, long aHi, long bLo, long bHi) {
    while (aLo < aHi && bLo < bHi && A[aLo] == B[bLo]) ++aLo, ++bLo;
    while (aLo < aHi && bLo < bHi && A[aHi - 1] == B[bHi - 1]) --aHi, --bHi;
    if (aLo == aHi) {
      for (long j = bLo; j < bHi; ++j) Inserted[j] = true;
      return;
    }
    if (bLo == bHi) {
      for (long i = aLo; i < aHi; ++i) Deleted[i] = true;
      return;
    }
    long x = 0, y = 0, u = 0, v = 0;
    MiddleSnake(aLo, aHi, bLo, bHi, x, y, u, v);
    Compare(aLo, x, bLo, y);
    Compare(u, aHi, v, bHi);
  }

  const std::vector<int>& A;
  const std::vector<int>& B;
  std::vector<bool> Deleted;
  std::vector<bool> Inserted;

private:
  // Finds the middle snake of an optimal path from (aLo, bLo) to (aHi, bHi): it runs from (x, y)
  // to (u, v) in absolute positions. Both ends of the range differ, so the distance is at least 2.
  void MiddleSnake(long aLo, long aHi, long bLo, long bHi, long& x, long& y, long& u, long& v) {
    const long n = aHi - aLo, m = bHi - bLo;
    const long delta = n - m;
    const bool odd = (delta & 1) != 0;
    // Diagonal k = x - y; forward holds the furthest x per diagonal, backward the smallest.
    const long offset = m + (n + m + 1) / 2 + 1;
    auto f = [&](long k) -> long& { return Forward[k + offset]; };
    auto r = [&](long k) -> long& { return Backward[k + offset]; };
    f(1) = 0;
    r(delta + 1) = n + 1;
    long work = 0;
    for (long d = 0; d <= (n + m + 1) / 2; ++d) {
      // Past the budget the search stops at the furthest point reached, so that texts that differ
      // almost everywhere take bounded time; the script is then correct but may not be minimal.
      // After d - 1 steps that point is at least d - 1 lines into the range, so the split advances.
      if (work > MinimalBudget && d > 1) {
        long bestX = -1, bestY = -1;
        for (long k = -d + 1; k <= d - 1; k += 2) {
          long px = f(k), py = px - k;
          if (px <= n && py >= 0 && py <= m && px + py > bestX + bestY) bestX = px, bestY = py;
        }
        x = u = aLo + bestX;
        y = v = bLo + bestY;
        return;
      }
      work += 2 * d + 2;
      for (long k = -d; k <= d; k += 2) {
        long px = (k == -d || (k != d && f(k - 1) < f(k + 1))) ? f(k + 1) : f(k - 1) + 1;
        long py = px - k, sx = px, sy = py;
        while (px < n && py < m && A[aLo + px] == B[bLo + py]) ++px, ++py;
        work += px - sx;
        f(k) = px;
        if (odd && k >= delta - (d - 1) && k <= delta + (d - 1) && f(k) >= r(k)) {
          x = aLo + sx, y = bLo + sy, u = aLo + px, v = bLo + py;
          return;
        }
      }
      for (long c = -d; c <= d; c += 2) {
        long k = delta + c;
        long px = (c == -d || (c != d && r(k + 1) - 1 < r(k - 1))) ? r(k + 1) - 1 : r(k - 1);
        long py = px - k, ex = px, ey = py;
        while (px > 0 && py > 0 && A[aLo + px - 1] == B[bLo + py - 1]) --px, --py;
        work += ex - px;
        r(k) = px;
        if (!odd && k >= -d && k <= d && r(k) <= f(k)) {
          x = aLo + px, y = bLo + py, u = aLo + ex, v = bLo + ey;
          return;
        }
      }
    }
  }

  std::unique_ptr<long[]> Forward;
  std::unique_ptr<long[]> Backward;
};

// The lines of one text that occur in the other: only they can be kept, so the others are deleted
// or inserted outright and the comparison runs on what is left. This keeps the result minimal and
// makes texts that were largely rewritten cheap to compare.
struct Matchable {
  std::vector<int> Ids;          // ids of the lines that occur in the other text
  std::vector<size_t> Lines;     // their line indexes
};

Matchable KeepMatchable(const std::vector<int>& ids, const std::vector<char>& inOther) {
  Matchable kept;
  for (size_t i = 0; i < ids.size(); ++i)
    if (inOther[size_t(ids[i])]) {
      kept.Ids.push_back(ids[i]);
      kept.Lines.push_back(i);
    }
  return kept;
}

} // namespace

std::vector<DiffHunk> DiffLines(const std::vector<TextLine>& oldLines,
                                const std::vector<TextLine>& newLines, const DiffOptions& options) {
  // Equal lines get equal ids, so the algorithm compares integers.
  std::unordered_map<LineKey, int, LineKeyHash> ids;
  ids.reserve(oldLines.size() + newLines.size());
  const bool changesText = options.IgnoreWhiteSpace || options.IgnoreCase;
  std::vector<std::string> texts;   // never grows past its reserve, so views into it stay valid
  if (changesText) texts.reserve(oldLines.size() + newLines.size());
  auto toIds = [&](const std::vector<TextLine>& lines) {
    std::vector<int> result;
    result.reserve(lines.size());
    for (const TextLine& line : lines) {
      LineKey key{line.Text, options.IgnoreEndOfLine ? std::string_view() : line.Break};
      if (changesText) key.Text = texts.emplace_back(CompareText(line, options));
      result.push_back(ids.try_emplace(key, int(ids.size())).first->second);
    }
    return result;
  };
  std::vector<int> a = toIds(oldLines), b = toIds(newLines);

  std::vector<char> inA(ids.size(), 0), inB(ids.size(), 0);
  for (int id : a) inA[size_t(id)] = 1;
  for (int id : b) inB[size_t(id)] = 1;
  Matchable keptA = KeepMatchable(a, inB), keptB = KeepMatchable(b, inA);
  Bisection bisection(keptA.Ids, keptB.Ids);
  bisection.Compare(0, long(keptA.Ids.size()), 0, long(keptB.Ids.size()));
  std::vector<bool> deleted(a.size(), true), inserted(b.size(), true);
  for (size_t i = 0; i < keptA.Lines.size(); ++i) deleted[keptA.Lines[i]] = bisection.Deleted[i];
  for (size_t j = 0; j < keptB.Lines.size(); ++j) inserted[keptB.Lines[j]] = bisection.Inserted[j];

  std::vector<DiffHunk> hunks;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && !deleted[i] && !inserted[j]) {
      ++i, ++j;
      continue;
    }
    DiffHunk hunk{i, 0, j, 0};
    while (i < a.size() && deleted[i]) ++i, ++hunk.OldCount;
    while (j < b.size() && inserted[j]) ++j, ++hunk.NewCount;
    hunks.push_back(hunk);
  }
  return hunks;
}

} // namespace vsscli
