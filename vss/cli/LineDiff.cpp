#include "vss/cli/LineDiff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/Text.h"

namespace vsscli {

namespace {

constexpr uint64_t Newlines = 0x0A0A0A0A0A0A0A0Aull, Low7 = 0x7F7F7F7F7F7F7F7Full;

// The top bit of each byte of `word` that holds a line break, the others clear: a byte of
// `word ^ Newlines` is zero exactly there, and no carry crosses a byte.
uint64_t NewlineBits(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, 8);
  const uint64_t x = word ^ Newlines;
  return ~(((x & Low7) + Low7) | x | Low7);
}

} // namespace

// Breaks are found eight bytes at a time, each by its bit in the word, rather than by a call a line.
std::vector<TextLine> SplitLines(std::string_view content) {
  std::vector<TextLine> lines;
  lines.reserve(content.size() / 16 + 1);   // most texts' lines are longer; shorter ones only grow it
  const char* const data = content.data();
  const size_t size = content.size();
  size_t start = 0;
  for (size_t word = 0; word < size; word += 8) {
    uint64_t bits;
    if (word + 8 <= size) {
      bits = NewlineBits(data + word);
    } else {
      char last[8] = {};   // the last bytes, padded with bytes that are no break
      std::memcpy(last, data + word, size - word);
      bits = NewlineBits(last);
    }
    for (; bits != 0; bits &= bits - 1) {
      const size_t newline = word + size_t(__builtin_ctzll(bits) >> 3);   // the lowest byte comes first in memory
      const bool crlf = newline > start && data[newline - 1] == '\r';
      lines.emplace_back(data + start, newline - start - crlf, 1 + crlf);
      start = newline + 1;
    }
  }
  if (start < content.size()) lines.emplace_back(data + start, content.size() - start, 0);
  return lines;
}

namespace {

// What a line is compared by: its text (changed by the options) and, unless line ends are ignored,
// its break. The views point into the lines or into texts kept while the ids are made. A break is
// "", "\n" or "\r\n", so its length tells it.
struct LineKey {
  std::string_view Text;
  size_t Break = 0;
  bool operator==(const LineKey&) const = default;
};

// Numbers lines so that equal lines get equal ids and the comparison works on integers. The table
// is open-addressed with a slot of 8 bytes (part of the hash and the id) and sized by the distinct
// lines, not all lines, so that it mostly stays in the cache; texts are compared only when their
// hashes agree.
class LineIds {
public:
  // Room for `lines` distinct lines at the most, so that the tables of keys never move while they fill.
  explicit LineIds(size_t lines) {
    FSlots.resize(1024);
    FKeys.reserve(lines);
    FHashes.reserve(lines);
  }

  // Eight bytes a step, each mixed in by a multiplication; the end is mixed once more so that the
  // low bits, which pick the slot, depend on every byte.
  static size_t Hash(const LineKey& key) {
    constexpr uint64_t Multiplier = 0xFF51AFD7ED558CCDull;
    uint64_t hash = key.Text.size() * 0x9E3779B97F4A7C15ull + key.Break;
    const char* at = key.Text.data();
    size_t left = key.Text.size();
    for (; left >= 8; at += 8, left -= 8) {
      uint64_t word;
      std::memcpy(&word, at, 8);
      hash = (hash ^ word) * Multiplier;
      hash ^= hash >> 29;
    }
    if (left > 0) {
      uint64_t word = 0;
      std::memcpy(&word, at, left);
      hash = (hash ^ word) * Multiplier;
    }
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 33);
  }
  // Asks the memory for the slot a lookup of `hash` starts at.
  void Prefetch(size_t hash) const { __builtin_prefetch(&FSlots[hash & (FSlots.size() - 1)]); }

  // The id of `key`, whose Hash is `hash`.
  int Of(const LineKey& key, size_t hash) {
    const auto tag = static_cast<uint32_t>(hash >> 32);
    const size_t mask = FSlots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = FSlots[i];
      if (slot.Id == 0) {
        const auto id = static_cast<uint32_t>(FKeys.size());
        FKeys.push_back(key);
        FHashes.push_back(hash);
        slot = {tag, id + 1};
        if (FKeys.size() * 2 > FSlots.size()) Grow();
        return static_cast<int>(id);
      }
      if (slot.Tag == tag && FKeys[slot.Id - 1] == key) return static_cast<int>(slot.Id - 1);
    }
  }
  size_t Count() const { return FKeys.size(); }

private:
  struct Slot {
    uint32_t Tag = 0;
    uint32_t Id = 0;   // the line id + 1; 0 when free
  };

  void Grow() {
    std::vector<Slot> slots(FSlots.size() * 2);
    const size_t mask = slots.size() - 1;
    for (uint32_t id = 0; id < FHashes.size(); ++id) {
      size_t i = FHashes[id] & mask;
      while (slots[i].Id != 0) i = (i + 1) & mask;
      slots[i] = {static_cast<uint32_t>(FHashes[id] >> 32), id + 1};
    }
    FSlots = std::move(slots);
  }

  std::vector<Slot> FSlots;      // a power of two, at most half full
  std::vector<LineKey> FKeys;    // by id
  std::vector<size_t> FHashes;   // by id
};

// The text of a line under the white-space and case options.
std::string CompareText(const TextLine& line, const DiffOptions& options) {
  std::string text;
  if (options.IgnoreWhiteSpace) {
    for (char c : line.Text())
      if (c != ' ' && c != '\t' && c != '\f' && c != '\v' && c != '\r') text += c;
  } else {
    text = std::string(line.Text());
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
  std::vector<char> Deleted;
  std::vector<char> Inserted;

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

// The ids of the lines of one text that occur in the other: only they can be kept, so the others
// are deleted or inserted outright and the comparison runs on what is left. This keeps the result
// minimal and makes texts that were largely rewritten cheap to compare.
std::vector<int> Matchable(const std::vector<int>& ids, const std::vector<char>& inOther) {
  std::vector<int> kept;
  kept.reserve(ids.size());
  for (int id : ids)
    if (inOther[size_t(id)]) kept.push_back(id);
  return kept;
}

// Whether each line is left out: all that don't occur in the other text, and those of the others
// the comparison left out, in order.
std::vector<char> LeftOut(const std::vector<int>& ids, const std::vector<char>& inOther,
                          const std::vector<char>& matchableLeftOut) {
  std::vector<char> result(ids.size(), true);
  for (size_t i = 0, k = 0; i < ids.size(); ++i)
    if (inOther[size_t(ids[i])]) result[i] = matchableLeftOut[k++];
  return result;
}

} // namespace

std::vector<DiffHunk> DiffLines(const std::vector<TextLine>& oldLines,
                                const std::vector<TextLine>& newLines, const DiffOptions& options) {
  const bool changesText = options.IgnoreWhiteSpace || options.IgnoreCase;
  // Lines equal at both ends stay as they are and need no ids (with the text changed by the
  // options they go through the comparison).
  size_t head = 0, tail = 0;
  if (!changesText) {
    auto same = [&](const TextLine& x, const TextLine& y) {
      return x.Text() == y.Text() && (options.IgnoreEndOfLine || x.Break() == y.Break());
    };
    const size_t shorter = std::min(oldLines.size(), newLines.size());
    while (head < shorter && same(oldLines[head], newLines[head])) ++head;
    while (tail < shorter - head && same(oldLines[oldLines.size() - 1 - tail], newLines[newLines.size() - 1 - tail]))
      ++tail;
  }
  const size_t oldEnd = oldLines.size() - tail, newEnd = newLines.size() - tail;

  LineIds ids((oldEnd - head) + (newEnd - head));
  std::vector<std::string> texts;   // never grows past its reserve, so views into it stay valid
  if (changesText) texts.reserve(oldLines.size() + newLines.size());
  auto toIds = [&](const std::vector<TextLine>& lines, size_t end) {
    // Each line's slot is fetched a few lines before its lookup, so that lookups don't wait on it.
    constexpr size_t Ahead = 8;
    LineKey keys[Ahead];
    size_t hashes[Ahead];
    auto prepare = [&](size_t i) {
      const TextLine& line = lines[i];
      LineKey& key = keys[i % Ahead];
      key = {line.Text(), options.IgnoreEndOfLine ? 0 : line.Break().size()};
      if (changesText) key.Text = texts.emplace_back(CompareText(line, options));
      hashes[i % Ahead] = LineIds::Hash(key);
      ids.Prefetch(hashes[i % Ahead]);
    };
    for (size_t i = head; i < std::min(end, head + Ahead); ++i) prepare(i);
    std::vector<int> result;
    result.reserve(end - head);
    for (size_t i = head; i < end; ++i) {
      result.push_back(ids.Of(keys[i % Ahead], hashes[i % Ahead]));
      if (i + Ahead < end) prepare(i + Ahead);
    }
    return result;
  };
  std::vector<int> a = toIds(oldLines, oldEnd), b = toIds(newLines, newEnd);

  std::vector<char> inA(ids.Count(), 0), inB(ids.Count(), 0);
  for (int id : a) inA[size_t(id)] = 1;
  for (int id : b) inB[size_t(id)] = 1;
  const std::vector<int> keptA = Matchable(a, inB), keptB = Matchable(b, inA);
  Bisection bisection(keptA, keptB);
  bisection.Compare(0, long(keptA.size()), 0, long(keptB.size()));
  const std::vector<char> deleted = LeftOut(a, inB, bisection.Deleted), inserted = LeftOut(b, inA, bisection.Inserted);

  std::vector<DiffHunk> hunks;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && !deleted[i] && !inserted[j]) {
      ++i, ++j;
      continue;
    }
    DiffHunk hunk{head + i, 0, head + j, 0};
    while (i < a.size() && deleted[i]) ++i, ++hunk.OldCount;
    while (j < b.size() && inserted[j]) ++j, ++hunk.NewCount;
    hunks.push_back(hunk);
  }
  return hunks;
}

} // namespace vsscli
