#include "vss/server/VSSPassword.h"

#include <sodium.h>

#include "vss/api/VSSErrors.h"

namespace VSSPassword {

namespace {
// Argon2id with 19 MiB and two passes: the widely recommended minimum, which keeps every Open (a
// verification) near 60 ms instead of the quarter second of libsodium's "interactive" preset.
constexpr unsigned long long OpsLimit = 2;
constexpr size_t MemLimit = 19u * 1024 * 1024;
} // namespace

size_t Length(const std::string& password) {
  size_t count = 0;
  for (unsigned char c : password)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

std::string Hash(const std::string& password) {
  if (sodium_init() < 0) throw EVSSAutomation("The password library could not start", VSSError::InvalidOperation);
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(hash, password.data(), password.size(), OpsLimit, MemLimit,
                            crypto_pwhash_ALG_ARGON2ID13) != 0)
    throw EVSSAutomation("Not enough memory to hash a password", VSSError::InvalidOperation);
  return hash;
}

bool Verify(const std::string& hash, const std::string& password) {
  if (sodium_init() < 0) return false;
  return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

} // namespace VSSPassword
