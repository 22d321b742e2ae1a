#pragma once
// Contents the process tests and their helper program both derive from a number: `size` bytes that
// differ for every number and don't compress away.
#include <cstdint>
#include <string>

inline std::string VSSTestContent(int number, size_t size) {
  std::string content(size, '\0');
  uint64_t state = 0x9E3779B97F4A7C15ull * static_cast<uint64_t>(number + 1);
  for (char& c : content) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    c = static_cast<char>(state >> 56);
  }
  return content;
}
