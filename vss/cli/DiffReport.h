#pragma once
// The reports of `ss Diff`. The SourceSafe style is what the add-in's difference viewer reads:
//   Diffing: <first>
//   Against: <second>
//       12  Del: a line only in the first text (its number there)
//       15  Change: the first text's line (its number there)
//                 To: the second text's line
//       20  Ins: a line only in the second text (its number there)
//   <one blank line>
// Equal texts give "No differences." in place of the difference lines. Within a hunk the lines
// are paired as changes first; what remains on either side is deleted or inserted.
// The unified style is the usual "---/+++/@@" form with three lines of context.
#include <string>
#include <vector>

#include "vss/cli/LineDiff.h"

namespace vsscli {

enum class ReportStyle { SourceSafe, Unified };

std::string DiffReport(ReportStyle style, const std::string& oldName,
                       const std::vector<TextLine>& oldLines, const std::string& newName,
                       const std::vector<TextLine>& newLines, const std::vector<DiffHunk>& hunks);

} // namespace vsscli
