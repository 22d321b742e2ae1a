#include "addin/settings/uReg.h"

#include "addin/settings/uRVLRegFactory.h"

TReg::TReg(const std::string& className)
    : FRegistry(TRVLRegFactory::_Instance().CreateRegistry(SectionName(className))) {}

std::string TReg::SectionName(const std::string& className) {
  return className.starts_with("TReg") ? className.substr(4) : className;
}

std::vector<std::string> TReg::ReadLines(const std::string& name) {
  const std::string text = FRegistry->ReadString(name, "");
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

void TReg::WriteLines(const std::string& name, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  FRegistry->WriteString(name, text);
}
