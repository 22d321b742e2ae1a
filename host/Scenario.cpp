#include "host/Scenario.h"

#include <array>
#include <string_view>

#include "platform/Text.h"

namespace {

enum class TArg { None, Required, Optional };

struct TCommandShape {
  std::string_view Name;
  TArg Arg;
  bool InForm = false;   // may come while a modal form is up
};

constexpr std::array<TCommandShape, 35> Commands{{
    {"open-project", TArg::Required},       {"close-project", TArg::None},
    {"open-file", TArg::Required},          {"activate", TArg::Required},
    {"type", TArg::Required},               {"key", TArg::Required},
    {"menu", TArg::Required},               {"popup", TArg::Required},
    {"status-click", TArg::None},           {"answer", TArg::Required, true},
    {"print-status", TArg::Optional},       {"print-menu", TArg::Optional},
    {"print-prompts", TArg::None, true},    {"print-text", TArg::None},
    {"save", TArg::None},                   {"expect", TArg::Required, true},
    {"wait-idle", TArg::None, true},        {"screenshot", TArg::Required, true},
    {"close-file", TArg::Optional},         {"print-project", TArg::None},
    {"screenshot-desktop", TArg::Required, true}, {"dialog", TArg::Required, true},
    {"print-form", TArg::None, true},       {"click", TArg::Required, true},
    {"print-popup", TArg::Optional},        {"print-hint", TArg::None},
    {"shell", TArg::Required},
    {"tick", TArg::Required, true},         {"set", TArg::Required, true},
    {"window", TArg::Optional, true},             {"select", TArg::Required, true},
    {"form-menu", TArg::Required, true},    {"print-form-menu", TArg::Required, true},
    {"form-key", TArg::Required, true},     {"drag", TArg::Required, true},
}};

const TCommandShape* Shape(std::string_view command) {
  for (const auto& c : Commands)
    if (c.Name == command) return &c;
  return nullptr;
}

} // namespace

bool ActsInForm(const std::string& command) {
  const TCommandShape* shape = Shape(command);
  return shape && shape->InForm;
}

bool ParseScenario(const std::string& text, const std::string& fileName,
                   std::vector<TScenarioStep>& steps, std::string& error) {
  steps.clear();
  int lineNo = 0;
  for (std::string line : platform::Split(text, '\n')) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string trimmed = platform::Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    // The argument keeps its inner and trailing blanks: `type` sends them as keys.
    size_t start = line.find_first_not_of(" \t");
    size_t space = line.find_first_of(" \t", start);
    TScenarioStep step{lineNo, line.substr(start, space == std::string::npos ? std::string::npos : space - start),
                       space == std::string::npos ? std::string() : line.substr(space + 1)};
    auto where = fileName + ":" + std::to_string(lineNo) + ": ";
    const TCommandShape* shape = Shape(step.Command);
    if (!shape) {
      error = where + "unknown command \"" + step.Command + "\"";
      return false;
    }
    if (shape->Arg == TArg::Required && platform::Trim(step.Argument).empty()) {
      error = where + "\"" + step.Command + "\" needs an argument";
      return false;
    }
    if (shape->Arg == TArg::None && !platform::Trim(step.Argument).empty()) {
      error = where + "\"" + step.Command + "\" takes no argument";
      return false;
    }
    steps.push_back(std::move(step));
  }
  return true;
}
