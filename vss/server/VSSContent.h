#pragma once
// Version contents as stored: a hash that identifies a content (so each distinct content is kept
// once and local copies can be compared without reading the store's data), and zstd compression.
// Contents flow through in bounded pieces, so a file of any size takes the same memory: a content
// of more than one chunk is stored as a row per chunk, each compressed on its own.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include <sodium.h>

struct ZSTD_CCtx_s;
struct ZSTD_DCtx_s;

namespace VSSContent {

// The most content one stored chunk holds.
constexpr size_t ChunkSize = size_t{1} << 20;

// Yields a content piece by piece, each at most ChunkSize bytes; an empty piece ends it.
using Source = std::function<std::string_view()>;
// Receives a content piece by piece, in order.
using Sink = std::function<void(std::string_view)>;

// BLAKE2b-256 of the content, as 32 raw bytes.
std::string Hash(std::string_view content);

// The same hash over a content given in pieces.
class Hasher {
public:
  Hasher();
  void Add(std::string_view piece);
  std::string Final();

private:
  crypto_generichash_state FState;
};

// Compresses pieces one by one, each into a frame of its own.
class Compressor {
public:
  Compressor();
  ~Compressor();
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
  // The compressed piece; valid until the next call.
  const std::string& Compress(std::string_view piece);

private:
  ZSTD_CCtx_s* FContext;
  std::string FOutput;
};

// Decompresses a stored content fed in its compressed pieces (one whole frame, or one per chunk),
// passes what they hold to `sink` and checks at the end that it is all there and unchanged: a
// damaged content raises EVSSAutomation (DatabaseCorrupt), at the latest from Finish.
class Expander {
public:
  Expander(size_t size, std::string hash, Sink sink);
  ~Expander();
  Expander(const Expander&) = delete;
  Expander& operator=(const Expander&) = delete;
  void Add(std::string_view compressed);
  void Finish();

private:
  ZSTD_DCtx_s* FContext;
  size_t FSize;
  size_t FDone = 0;
  size_t FPending = 0;   // zstd's hint: 0 at the end of a frame
  std::string FHash;
  Hasher FHasher;
  Sink FSink;
  std::string FOutput;
};

// A content with a NUL byte is binary.
bool LooksBinary(std::string_view piece);

} // namespace VSSContent
