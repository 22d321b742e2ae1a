#pragma once
// Source files as the editor holds them: text with '\n' line breaks, remembering whether the file
// used CR LF and whether it was UTF-8 or an 8-bit (Latin-1) file, so saving writes it back the same
// way and no byte is lost.
#include <string>

#include <QString>

struct TSourceText {
  QString Text;          // '\n' line breaks
  bool CrLf = false;     // the file's line breaks were CR LF
  bool Latin1 = false;   // the file was not valid UTF-8
};

bool ReadSourceText(const std::string& fileName, TSourceText& source, std::string& error);
// The file's bytes for `text` ('\n' breaks) in the encoding and line breaks of `like`.
std::string EncodeSourceText(const QString& text, const TSourceText& like);
