#include "vss/server/VSSPassword.h"

#include <sodium.h>

#include "vss/api/VSSErrors.h"

namespace VSSPassword {

size_t Length(const std::string& password) {
  size_t count = 0;
  for (unsigned char c : password)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

std::string Hash(const std::string& password) {
  if (sodium_init() < 0) throw EVSSAutomation("The password library could not start", VSSError::InvalidOperation);
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
    throw EVSSAutomation("Not enough memory to hash a password", VSSError::InvalidOperation);
  return hash;
}

bool Verify(const std::string& hash, const std::string& password) {
  if (sodium_init() < 0) return false;
  return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

} // namespace VSSPassword
