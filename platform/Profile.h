#pragma once
// Profile (INI) files as the Windows profile API treats them: sections and keys compared ignoring
// case, file order kept, the file created on first write, each write atomic (temporary file and
// rename). Each call reads the file anew. Junk lines, CRLF line ends, a missing final newline and a
// UTF-8 byte-order mark are tolerated.
#include <string>
#include <vector>

namespace platform {

class ProfileFile {
public:
  explicit ProfileFile(std::string fileName);
  const std::string& FileName() const { return FFileName; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue = {}) const;
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue = 0) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue = false) const;
  // False when the file could not be written (Error() says why); the old file is then unchanged.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  std::vector<std::string> Sections() const;                          // file order
  std::vector<std::string> Keys(const std::string& section) const;    // file order
  bool DeleteKey(const std::string& section, const std::string& key);
  bool DeleteSection(const std::string& section);

  const std::string& Error() const { return FError; }

private:
  std::string FFileName;
  std::string FError;
};

} // namespace platform
