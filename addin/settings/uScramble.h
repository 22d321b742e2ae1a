#pragma once
// Scrambling of saved passwords, so that they don't stand in the registry as plain text. The stored
// form starts with two characters carrying a random 16-bit seed, followed by one character per byte
// of the password. Each character is written as one of the code points U+0100..U+01FF, so the stored
// value is printable text with no NUL in it, whatever the bytes scramble to.
#include <cstdint>
#include <string>

// With a fresh random seed in 32767..65533, so that writing the same password twice differs.
std::string ScrambleString(const std::string& plain);
std::string ScrambleString(const std::string& plain, uint16_t seed);
// The password back; a value shorter than three characters, or one that is not in the stored form,
// gives the empty string.
std::string UnscrambleString(const std::string& stored);
