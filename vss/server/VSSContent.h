#pragma once
// Version contents as stored: a hash that identifies a content (so each distinct content is kept
// once and local copies can be compared without reading the store's data), and zstd compression.
#include <string>

namespace VSSContent {

// BLAKE2b-256 of the content, as 32 raw bytes.
std::string Hash(const std::string& content);
std::string Compress(const std::string& content);
// Raises EVSSAutomation (damaged store) when `compressed` doesn't decode to `size` bytes.
std::string Decompress(const std::string& compressed, size_t size);
// A content with a NUL byte is binary.
bool LooksBinary(const std::string& content);

} // namespace VSSContent
