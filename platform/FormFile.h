#pragma once
// Form files (.dfm) come in two shapes: the binary "TPF0" stream the form designer writes and the
// text form people read, diff and keep in version control. These convert one into the other.
//
// The text is ASCII: characters outside it (from any string type) are written as `#n` with their
// code point, bytes of 8-bit strings read as Latin-1. Reading text back picks the string type by
// content: 8-bit (String, or LString beyond 255 characters) when every character is below 256,
// else WString. Floats are written in the shortest form that reads back to the same value (so a
// whole Extended shows as an integer); Currency as its exact decimal amount. Integers read back as
// the smallest type that holds them. So binary -> text -> binary -> text gives the same text,
// though the second binary may use other (equivalent) value types.
//
// Malformed input raises `Exception` naming the byte offset (binary) or the line (text); the
// readers never look past the end of their input.
#include <string>

namespace platform {

// A binary form: a resource header (FF 0A 00 ...) or the stream itself ("TPF0").
bool IsBinaryForm(const std::string& data);
// A text form: starts, after blanks, with `object`, `inherited` or `inline`.
bool IsTextForm(const std::string& data);

// The text form (CR LF line ends) of a binary form, resource header optional.
std::string FormBinaryToText(const std::string& binary);
// The binary stream ("TPF0" ..., no resource header) of a text form.
std::string FormTextToBinary(const std::string& text);

} // namespace platform
