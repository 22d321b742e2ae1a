#pragma once
// The line comparison behind `ss Diff`: splits texts into lines and finds a minimal set of differing
// runs (Myers' O(ND) algorithm in linear space, run only on the lines that occur in both texts),
// optionally ignoring white space, case or line ends. The script is minimal unless one split of the
// comparison would take more than a fixed amount of work (texts made of a few distinct lines in
// shuffled order); then it is still correct but may not be minimal, and the time stays bounded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vsscli {

struct DiffOptions {
  bool IgnoreWhiteSpace = false;   // every blank, tab and form feed is left out of the comparison
  bool IgnoreCase = false;         // Unicode-aware
  bool IgnoreEndOfLine = false;    // "\r\n", "\n" and a missing last line break compare equal
};

// One line: its text, and the break that ended it ("\n", "\r\n", or empty for a last line without).
// Both are views into the text the line was split from, which must outlive them. A line takes 16
// bytes, as a text may have millions of them.
class TextLine {
public:
  TextLine(const char* start, size_t textSize, size_t breakSize)
      : FStart(start), FTextSize(textSize), FBreakSize(breakSize) {}
  std::string_view Text() const { return {FStart, size_t(FTextSize)}; }
  std::string_view Break() const { return {FStart + FTextSize, size_t(FBreakSize)}; }

private:
  const char* FStart;
  uint64_t FTextSize : 62;
  uint64_t FBreakSize : 2;
};

std::vector<TextLine> SplitLines(std::string_view content);

// A run of differing lines: OldCount lines of the first text from OldStart are replaced by NewCount
// lines of the second from NewStart. Positions are 0-based; either count may be 0, not both.
struct DiffHunk {
  size_t OldStart = 0;
  size_t OldCount = 0;
  size_t NewStart = 0;
  size_t NewCount = 0;
  bool operator==(const DiffHunk&) const = default;
};

// The hunks in order; empty when the texts compare equal under the options.
std::vector<DiffHunk> DiffLines(const std::vector<TextLine>& oldLines,
                                const std::vector<TextLine>& newLines, const DiffOptions& options);

} // namespace vsscli
