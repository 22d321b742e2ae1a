#pragma once
// The base of every settings section: a short-lived object on its own key below the add-in's
// registry root (the section name is the class name without its leading "TReg").
#include <memory>
#include <string>
#include <vector>

#include "addin/settings/uRVLRegistry.h"

class TReg {
public:
  virtual ~TReg() = default;
  TReg(const TReg&) = delete;
  TReg& operator=(const TReg&) = delete;

  // "TRegOptions" gives "Options"; a class name not starting with "TReg" is kept whole.
  static std::string SectionName(const std::string& className);
  TRVLRegistry& Registry() { return *FRegistry; }

protected:
  explicit TReg(const std::string& className);

  // A registry on another key of the same root, for a single access there.
  TRVLRegistry At(const std::string& key) const { return TRVLRegistry(key, FRegistry->GetRootKey()); }
  // A string value holding lines: split at CR, LF or CR LF; written with CR LF after every line.
  std::vector<std::string> ReadLines(const std::string& name);
  void WriteLines(const std::string& name, const std::vector<std::string>& lines);

  std::unique_ptr<TRVLRegistry> FRegistry;
};
