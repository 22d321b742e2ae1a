#include "vss/server/VSSSpec.h"

#include "platform/Text.h"
#include "vss/api/VSSErrors.h"

namespace VSSSpec {

namespace {

constexpr std::string_view Forbidden = "/\\:*?\"<>|";
constexpr size_t MaxNameLength = 255;

[[noreturn]] void Invalid(const std::string& text) {
  throw EVSSAutomation(text + " is not a valid SourceSafe name", VSSError::InvalidName);
}

} // namespace

bool ValidName(const std::string& name) {
  if (name.empty() || name.size() > MaxNameLength || name == "." || name == ".." || name.front() == '$') return false;
  if (platform::Trim(name) != name) return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F || Forbidden.find(static_cast<char>(c)) != std::string_view::npos) return false;
  return true;
}

void CheckName(const std::string& name) {
  if (!ValidName(name)) Invalid("\"" + name + "\"");
}

std::vector<std::string> Parse(const std::string& spec, const std::string& current) {
  std::string full;
  if (spec == "$" || spec.starts_with(Root))
    full = spec;
  else if (!spec.empty() && spec.front() == '$')
    Invalid(spec);
  else
    full = (current.ends_with('/') ? current : current + "/") + spec;
  std::string rest = full.size() > 2 ? full.substr(2) : std::string();
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  std::vector<std::string> names;
  if (rest.empty()) return names;
  for (std::string& name : platform::Split(rest, '/')) {
    if (!ValidName(name)) Invalid(spec);
    names.push_back(std::move(name));
  }
  return names;
}

std::string Join(const std::vector<std::string>& names) {
  std::string spec = "$";
  for (const std::string& name : names) spec += "/" + name;
  return names.empty() ? Root : spec;
}

} // namespace VSSSpec
