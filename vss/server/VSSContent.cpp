#include "vss/server/VSSContent.h"

#include <sodium.h>
#include <zstd.h>

#include "vss/api/VSSErrors.h"

namespace VSSContent {

namespace {
constexpr int CompressionLevel = 3;
}

std::string Hash(const std::string& content) {
  std::string hash(crypto_generichash_BYTES, '\0');
  crypto_generichash(reinterpret_cast<unsigned char*>(hash.data()), hash.size(),
                     reinterpret_cast<const unsigned char*>(content.data()), content.size(), nullptr, 0);
  return hash;
}

std::string Compress(const std::string& content) {
  std::string compressed(ZSTD_compressBound(content.size()), '\0');
  const size_t size = ZSTD_compress(compressed.data(), compressed.size(), content.data(), content.size(), CompressionLevel);
  if (ZSTD_isError(size))
    throw EVSSAutomation(std::string("Cannot compress a version: ") + ZSTD_getErrorName(size), VSSError::DatabaseCorrupt);
  compressed.resize(size);
  return compressed;
}

std::string Decompress(const std::string& compressed, size_t size) {
  std::string content(size, '\0');
  const size_t got = ZSTD_decompress(content.data(), content.size(), compressed.data(), compressed.size());
  if (ZSTD_isError(got) || got != size)
    throw EVSSAutomation("A stored version is damaged and can't be read", VSSError::DatabaseCorrupt);
  return content;
}

bool LooksBinary(const std::string& content) { return content.find('\0') != std::string::npos; }

} // namespace VSSContent
