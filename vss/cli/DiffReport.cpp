#include "vss/cli/DiffReport.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace vsscli {

namespace {

const char* const NoDifferences = "No differences.\n";

// `prefix`, then `text` and a line break.
std::string Line(std::string prefix, std::string_view text) {
  prefix.append(text);
  prefix += '\n';
  return prefix;
}

std::string Numbered(size_t lineNumber, const char* keyword, std::string_view text) {
  char number[32];
  std::snprintf(number, sizeof number, "%6zu  ", lineNumber);
  return Line(std::string(number) + keyword + " ", text);
}

std::string SourceSafeBody(const std::vector<TextLine>& oldLines,
                           const std::vector<TextLine>& newLines,
                           const std::vector<DiffHunk>& hunks) {
  std::string body;
  for (const DiffHunk& hunk : hunks) {
    size_t paired = std::min(hunk.OldCount, hunk.NewCount);
    for (size_t k = 0; k < paired; ++k) {
      body += Numbered(hunk.OldStart + k + 1, "Change:", oldLines[hunk.OldStart + k].Text());
      body += Line(std::string(14, ' ') + "To: ", newLines[hunk.NewStart + k].Text());
    }
    for (size_t k = paired; k < hunk.OldCount; ++k)
      body += Numbered(hunk.OldStart + k + 1, "Del:", oldLines[hunk.OldStart + k].Text());
    for (size_t k = paired; k < hunk.NewCount; ++k)
      body += Numbered(hunk.NewStart + k + 1, "Ins:", newLines[hunk.NewStart + k].Text());
  }
  return body;
}

// "@@ -start,count" with the unified conventions: 1-based, and an empty range names the line
// before it.
std::string Range(size_t start, size_t count) {
  size_t first = count == 0 ? start : start + 1;
  return std::to_string(first) + "," + std::to_string(count);
}

std::string UnifiedBody(const std::vector<TextLine>& oldLines, const std::vector<TextLine>& newLines,
                        const std::vector<DiffHunk>& hunks) {
  const size_t context = 3;
  std::string body;
  size_t h = 0;
  while (h < hunks.size()) {
    // Hunks closer than twice the context share one block.
    size_t last = h;
    while (last + 1 < hunks.size() &&
           hunks[last + 1].OldStart - (hunks[last].OldStart + hunks[last].OldCount) <= 2 * context)
      ++last;
    size_t lead = std::min(context, hunks[h].OldStart);
    size_t oldFrom = hunks[h].OldStart - lead, newFrom = hunks[h].NewStart - lead;
    size_t oldEnd = hunks[last].OldStart + hunks[last].OldCount;
    size_t trail = std::min(context, oldLines.size() - oldEnd);
    size_t oldTo = oldEnd + trail;
    size_t newTo = hunks[last].NewStart + hunks[last].NewCount + trail;
    body += "@@ -" + Range(oldFrom, oldTo - oldFrom) + " +" + Range(newFrom, newTo - newFrom) + " @@\n";
    size_t i = oldFrom;
    for (size_t k = h; k <= last; ++k) {
      for (; i < hunks[k].OldStart; ++i) body += Line(" ", oldLines[i].Text());
      for (size_t d = 0; d < hunks[k].OldCount; ++d, ++i) body += Line("-", oldLines[i].Text());
      for (size_t n = 0; n < hunks[k].NewCount; ++n)
        body += Line("+", newLines[hunks[k].NewStart + n].Text());
    }
    for (; i < oldTo; ++i) body += Line(" ", oldLines[i].Text());
    h = last + 1;
  }
  return body;
}

} // namespace

std::string DiffReport(ReportStyle style, const std::string& oldName,
                       const std::vector<TextLine>& oldLines, const std::string& newName,
                       const std::vector<TextLine>& newLines, const std::vector<DiffHunk>& hunks) {
  if (style == ReportStyle::Unified) {
    std::string report = "--- " + oldName + "\n+++ " + newName + "\n";
    return report + (hunks.empty() ? NoDifferences : UnifiedBody(oldLines, newLines, hunks));
  }
  std::string report = "Diffing: " + oldName + "\nAgainst: " + newName + "\n";
  report += hunks.empty() ? NoDifferences : SourceSafeBody(oldLines, newLines, hunks);
  return report + "\n";
}

} // namespace vsscli
