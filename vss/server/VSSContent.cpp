#include "vss/server/VSSContent.h"

#include <cstring>
#include <new>
#include <zstd.h>

#include "vss/api/VSSErrors.h"

namespace VSSContent {

namespace {
constexpr int CompressionLevel = 3;

[[noreturn]] void Damaged() {
  throw EVSSAutomation("A stored version is damaged and can't be read", VSSError::DatabaseCorrupt);
}
} // namespace

std::string Hash(std::string_view content) {
  Hasher hasher;
  hasher.Add(content);
  return hasher.Final();
}

Hasher::Hasher() { crypto_generichash_init(&FState, nullptr, 0, crypto_generichash_BYTES); }

void Hasher::Add(std::string_view piece) {
  crypto_generichash_update(&FState, reinterpret_cast<const unsigned char*>(piece.data()), piece.size());
}

std::string Hasher::Final() {
  std::string hash(crypto_generichash_BYTES, '\0');
  crypto_generichash_final(&FState, reinterpret_cast<unsigned char*>(hash.data()), hash.size());
  return hash;
}

Compressor::Compressor() : FContext(ZSTD_createCCtx()) {
  if (!FContext) throw std::bad_alloc();
}

Compressor::~Compressor() { ZSTD_freeCCtx(FContext); }

const std::string& Compressor::Compress(std::string_view piece) {
  FOutput.resize(ZSTD_compressBound(piece.size()));
  const size_t size =
      ZSTD_compressCCtx(FContext, FOutput.data(), FOutput.size(), piece.data(), piece.size(), CompressionLevel);
  if (ZSTD_isError(size))
    throw EVSSAutomation(std::string("Cannot compress a version: ") + ZSTD_getErrorName(size), VSSError::DatabaseCorrupt);
  FOutput.resize(size);
  return FOutput;
}

Expander::Expander(size_t size, std::string hash, Sink sink)
    : FContext(ZSTD_createDCtx()), FSize(size), FHash(std::move(hash)), FSink(std::move(sink)) {
  if (!FContext) throw std::bad_alloc();
  FOutput.resize(ChunkSize);
}

Expander::~Expander() { ZSTD_freeDCtx(FContext); }

void Expander::Add(std::string_view compressed) {
  ZSTD_inBuffer in{compressed.data(), compressed.size(), 0};
  // A frame may end with output still held back: go on until all input is used and nothing is left.
  while (in.pos < in.size || FPending != 0) {
    ZSTD_outBuffer out{FOutput.data(), FOutput.size(), 0};
    const size_t pending = ZSTD_decompressStream(FContext, &out, &in);
    if (ZSTD_isError(pending) || out.pos > FSize - FDone) Damaged();
    FPending = pending;
    if (out.pos == 0) {
      if (in.pos == in.size) break;   // the frame goes on in the next piece
      continue;
    }
    const std::string_view piece(FOutput.data(), out.pos);
    FDone += piece.size();
    FHasher.Add(piece);
    FSink(piece);
  }
}

void Expander::Finish() {
  if (FPending != 0 || FDone != FSize || FHasher.Final() != FHash) Damaged();
}

bool LooksBinary(std::string_view piece) { return std::memchr(piece.data(), '\0', piece.size()) != nullptr; }

} // namespace VSSContent
