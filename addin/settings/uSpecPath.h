#pragma once
// Operations on SourceSafe paths ("$/Sales/Client/Main.pas", or the same without the leading "$").
// The delimiter of a path is its last "/" or "$".
#include <string>

class QFont;

std::string StripDollar(const std::string& Path);
// A local-style path ("\" separators) as a SourceSafe path without the "$".
std::string LocalToSpec(const std::string& LocalPath);
// Removes each "/.." with the folder before it; a path starting with "/.." keeps it.
std::string CollapseDotDot(const std::string& Path);
// True when a path has a ".." step (a name such as "a..b.cpp" is none).
bool HasDotDot(const std::string& Path);
std::string EnsureTrailingSlash(const std::string& Path);
// The folder of a path; the root keeps its "/" ("$/b.pas" gives "$/").
std::string SpecFolder(const std::string& Path);
// The text before the delimiter ("$/b.pas" gives "$").
std::string SpecParent(const std::string& Path);
std::string SpecName(const std::string& Path);
// The folder with a trailing "/" and without the "$" ("$/a/b/x.pas" gives "/a/b/").
std::string SpecFolderKey(const std::string& Path);
// ToPath as seen from FromPath's folder, folder names compared ignoring case ("../c/y.pas").
std::string RelativeSpec(const std::string& FromPath, const std::string& ToPath);
// Path with its leading folders replaced by ".../" until it is at most MaxWidth pixels wide in
// Font; the file name itself is never cut.
std::string ShortenSpec(const std::string& Path, const QFont& Font, int MaxWidth);
