#include "addin/settings/uScramble.h"

#include <optional>
#include <random>
#include <vector>

namespace {

constexpr uint16_t Multiplier = 40503;
constexpr uint16_t Addend = 12345;
constexpr unsigned CodeBase = 0x100;

uint16_t NextState(uint16_t state, uint8_t stored) {
  return static_cast<uint16_t>((state + stored) * Multiplier + Addend);
}

void AppendCode(std::string& out, uint8_t byte) {
  const unsigned cp = CodeBase + byte;
  out += static_cast<char>(0xC0 | (cp >> 6));
  out += static_cast<char>(0x80 | (cp & 0x3F));
}

std::optional<std::vector<uint8_t>> DecodeCodes(const std::string& stored) {
  if (stored.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < stored.size(); i += 2) {
    const auto lead = static_cast<uint8_t>(stored[i]), trail = static_cast<uint8_t>(stored[i + 1]);
    if (lead < 0xC4 || lead > 0xC7 || (trail & 0xC0) != 0x80) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>((((lead & 0x1F) << 6) | (trail & 0x3F)) - CodeBase));
  }
  return bytes;
}

} // namespace

std::string ScrambleString(const std::string& plain) {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int> seeds(32767, 65533);
  return ScrambleString(plain, static_cast<uint16_t>(seeds(generator)));
}

std::string ScrambleString(const std::string& plain, uint16_t seed) {
  std::string out;
  AppendCode(out, static_cast<uint8_t>(seed & 0xFF));
  AppendCode(out, static_cast<uint8_t>(seed >> 8));
  uint16_t state = seed;
  for (char c : plain) {
    const auto scrambled = static_cast<uint8_t>(static_cast<uint8_t>(c) ^ (state >> 8));
    AppendCode(out, scrambled);
    state = NextState(state, scrambled);
  }
  return out;
}

std::string UnscrambleString(const std::string& stored) {
  const auto bytes = DecodeCodes(stored);
  if (!bytes || bytes->size() < 3) return {};
  auto state = static_cast<uint16_t>((*bytes)[0] | ((*bytes)[1] << 8));
  std::string plain;
  for (size_t i = 2; i < bytes->size(); ++i) {
    plain += static_cast<char>((*bytes)[i] ^ (state >> 8));
    state = NextState(state, (*bytes)[i]);
  }
  return plain;
}
