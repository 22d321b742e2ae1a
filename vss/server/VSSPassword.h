#pragma once
// Password hashes (Argon2id through libsodium); passwords themselves are never stored.
#include <string>

namespace VSSPassword {

// The longest password accepted, in characters.
inline constexpr size_t MaxLength = 128;

// Characters (UTF-8 code points) in `password`.
size_t Length(const std::string& password);
std::string Hash(const std::string& password);
bool Verify(const std::string& hash, const std::string& password);

} // namespace VSSPassword
