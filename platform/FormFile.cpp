#include "platform/FormFile.h"
#include "platform/Text.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "platform/Exception.h"
#include "platform/Text.h"

namespace platform {
namespace {

enum TValueType : uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};

// Flags of an object's prefix byte (F0 | flags).
constexpr uint8_t ffInherited = 1, ffChildPos = 2, ffInline = 4;

constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kResourceHeader("\xFF\x0A\x00", 3);   // resource type 10 (RCDATA)
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kStringChunk = 64;   // characters of a long string per text line
constexpr size_t kBinaryChunk = 32;   // bytes of binary data per text line
// Deeper nesting than any real form; the limit keeps a hostile file from exhausting the stack.
constexpr int kMaxDepth = 200;

// Decodes one UTF-8 character at `pos`, advancing it; false for an invalid sequence.
bool NextUtf8(std::string_view text, size_t& pos, char32_t& c) {
  const size_t length = DecodeUtf8(text, pos, c);
  pos += length;
  return length != 0;
}

// ---- binary -> text ------------------------------------------------------------------------

// Reads the stream's little-endian fields; every read is checked against the end of the data.
class TStreamReader {
public:
  TStreamReader(std::string_view data, size_t base) : FData(data), FBase(base) {}
  size_t Pos() const { return FPos; }
  uint8_t Peek() {
    Need(1);
    return static_cast<uint8_t>(FData[FPos]);
  }
  uint8_t Byte() {
    uint8_t b = Peek();
    ++FPos;
    return b;
  }
  uint64_t Unsigned(size_t bytes) {
    Need(bytes);
    uint64_t value = 0;
    for (size_t i = bytes; i-- > 0;) value = (value << 8) | static_cast<uint8_t>(FData[FPos + i]);
    FPos += bytes;
    return value;
  }
  int64_t Signed(size_t bytes) {
    uint64_t value = Unsigned(bytes);
    int shift = static_cast<int>(64 - 8 * bytes);
    return static_cast<int64_t>(value << shift) >> shift;
  }
  std::string_view Bytes(uint64_t count) {
    Need(count);
    std::string_view bytes = FData.substr(FPos, count);
    FPos += count;
    return bytes;
  }
  std::string ShortString() { return std::string(Bytes(Byte())); }
  // A 4-byte count of `unitSize`-byte units that must fit in the rest of the data.
  uint64_t Count(size_t unitSize) {
    size_t at = FPos;
    uint64_t count = Unsigned(4);
    if (count * unitSize > FData.size() - FPos)
      Fail("length " + std::to_string(count) + " exceeds the data", at);
    return count;
  }
  [[noreturn]] void Fail(const std::string& what, size_t at) const {
    throw Exception("Binary form file: " + what + " at offset " + std::to_string(FBase + at) + ".");
  }

private:
  void Need(uint64_t count) const {
    if (count > FData.size() - FPos) Fail("unexpected end of the data", FData.size());
  }

  std::string_view FData;
  size_t FBase;   // offset of the data in the file, for messages
  size_t FPos = 0;
};

template <class T>
std::string FormatFloat(T value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";   // no "-0": it would read back as the integer 0
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
  return std::string(buffer, result.ptr);
}

// A currency value is a count of ten-thousandths; written exactly, without trailing zeros.
std::string FormatCurrency(int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string text = (value < 0 ? "-" : "") + std::to_string(magnitude / 10000);
  if (uint64_t fraction = magnitude % 10000) {
    std::string digits = std::to_string(10000 + fraction).substr(1);
    text += "." + digits.substr(0, digits.find_last_not_of('0') + 1);
  }
  return text;
}

// The 10-byte x87 extended format: 64-bit mantissa with an explicit integer bit, 15-bit exponent.
long double DecodeExtended(uint64_t mantissa, unsigned signExponent) {
  int exponent = static_cast<int>(signExponent & 0x7FFF);
  long double value;
  if (exponent == 0x7FFF)
    value = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                 : std::numeric_limits<long double>::quiet_NaN();
  else
    value = std::ldexp(static_cast<long double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
  return (signExponent & 0x8000) ? -value : value;
}

// Runs of printable ASCII in quotes, everything else as #n.
std::string QuoteChars(const char32_t* begin, const char32_t* end) {
  if (begin == end) return "''";
  std::string out;
  bool quoted = false;
  for (const char32_t* p = begin; p != end; ++p) {
    bool plain = *p >= U' ' && *p < 0x7F && *p != U'\'';
    if (plain != quoted) {
      if (plain || quoted) out += '\'';
      quoted = plain;
    }
    if (plain)
      out += static_cast<char>(*p);
    else
      out += '#' + std::to_string(static_cast<uint32_t>(*p));
  }
  if (quoted) out += '\'';
  return out;
}

class TBinaryToText {
public:
  TBinaryToText(std::string_view stream, size_t base) : FIn(stream, base) {}

  std::string Run() {
    if (FIn.Bytes(kSignature.size()) != kSignature) FIn.Fail("no \"TPF0\" signature", 0);
    Object(0);
    FOut += "\r\n";
    return std::move(FOut);
  }

private:
  void NewLine(int level) {
    FOut += "\r\n";
    FOut.append(static_cast<size_t>(level) * 2, ' ');
  }

  void Enter() {
    if (++FDepth > kMaxDepth) FIn.Fail("nesting too deep", FIn.Pos());
  }

  static bool IsInteger(uint8_t type) {
    return type == vaInt8 || type == vaInt16 || type == vaInt32 || type == vaInt64;
  }

  int64_t IntegerPayload(uint8_t type) {
    return FIn.Signed(type == vaInt8 ? 1 : type == vaInt16 ? 2 : type == vaInt32 ? 4 : 8);
  }

  // An integer value: its type byte, then its payload.
  int64_t Integer() {
    size_t at = FIn.Pos();
    uint8_t type = FIn.Byte();
    if (!IsInteger(type)) FIn.Fail("integer expected", at);
    return IntegerPayload(type);
  }

  void Object(int level) {
    Enter();
    uint8_t flags = 0;
    std::string position;
    if ((FIn.Peek() & 0xF0) == 0xF0) {
      flags = FIn.Byte() & 0x0F;
      if (flags & ffChildPos) position = " [" + std::to_string(Integer()) + "]";
    }
    std::string className = FIn.ShortString();
    std::string name = FIn.ShortString();
    FOut += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
    if (!name.empty()) FOut += name + ": ";
    FOut += className + position;
    Properties(level + 1);
    while (FIn.Peek() != 0) {
      NewLine(level + 1);
      Object(level + 1);
    }
    FIn.Byte();
    NewLine(level);
    FOut += "end";
    --FDepth;
  }

  void Properties(int level) {
    while (FIn.Peek() != 0) {
      NewLine(level);
      FOut += FIn.ShortString() + " = ";
      Value(level);
    }
    FIn.Byte();
  }

  // A value whose first line is at `level`; its continuation lines go one level deeper.
  void Value(int level) {
    Enter();
    size_t at = FIn.Pos();
    switch (uint8_t type = FIn.Byte()) {
    case vaList:
      FOut += '(';
      while (FIn.Peek() != vaNull) {
        NewLine(level + 1);
        Value(level + 1);
      }
      FIn.Byte();
      FOut += ')';
      break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64: FOut += std::to_string(IntegerPayload(type)); break;
    case vaExtended: {
      uint64_t mantissa = FIn.Unsigned(8);
      FOut += FormatFloat(DecodeExtended(mantissa, static_cast<unsigned>(FIn.Unsigned(2))));
      break;
    }
    case vaSingle: FOut += FormatFloat(std::bit_cast<float>(static_cast<uint32_t>(FIn.Unsigned(4)))) + 's'; break;
    case vaCurrency: FOut += FormatCurrency(FIn.Signed(8)) + 'c'; break;
    case vaDate: FOut += FormatFloat(std::bit_cast<double>(FIn.Unsigned(8))) + 'd'; break;
    case vaString: Latin1String(FIn.Bytes(FIn.Byte()), level); break;
    case vaLString: Latin1String(FIn.Bytes(FIn.Count(1)), level); break;
    case vaWString: WideString(level); break;
    case vaUTF8String: Utf8String(level); break;
    case vaIdent: FOut += FIn.ShortString(); break;
    case vaFalse: FOut += "False"; break;
    case vaTrue: FOut += "True"; break;
    case vaNil: FOut += "nil"; break;
    case vaNull: FOut += "Null"; break;
    case vaBinary: Binary(FIn.Bytes(FIn.Count(1)), level); break;
    case vaSet:
      FOut += '[';
      for (std::string name = FIn.ShortString(), separator; !name.empty(); name = FIn.ShortString()) {
        FOut += separator + name;
        separator = ", ";
      }
      FOut += ']';
      break;
    case vaCollection: Collection(level); break;
    default: FIn.Fail("unknown value type " + std::to_string(type), at);
    }
    --FDepth;
  }

  void Collection(int level) {
    FOut += '<';
    while (FIn.Peek() != vaNull) {
      NewLine(level + 1);
      FOut += "item";
      if (IsInteger(FIn.Peek())) FOut += " [" + std::to_string(Integer()) + "]";
      size_t at = FIn.Pos();
      if (FIn.Byte() != vaList) FIn.Fail("collection item expected", at);
      Properties(level + 2);
      NewLine(level + 1);
      FOut += "end";
    }
    FIn.Byte();
    FOut += '>';
  }

  void Latin1String(std::string_view bytes, int level) {
    std::u32string chars(bytes.begin(), bytes.end());
    for (char32_t& c : chars) c &= 0xFF;   // the bytes are unsigned character codes
    String(chars, level);
  }

  void WideString(int level) {
    std::string_view bytes = FIn.Bytes(FIn.Count(2) * 2);
    std::u32string chars;
    for (size_t i = 0; i < bytes.size(); i += 2) {
      char32_t unit = static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8;
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
        char32_t low = static_cast<uint8_t>(bytes[i + 2]) | static_cast<uint8_t>(bytes[i + 3]) << 8;
        if (low >= 0xDC00 && low < 0xE000) {
          unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
      chars += unit;   // an unpaired surrogate stays a character of its own
    }
    String(chars, level);
  }

  void Utf8String(int level) {
    uint64_t count = FIn.Count(1);
    size_t start = FIn.Pos();
    std::string_view bytes = FIn.Bytes(count);
    std::u32string chars;
    for (size_t pos = 0; pos < bytes.size();) {
      char32_t c;
      if (!NextUtf8(bytes, pos, c)) FIn.Fail("invalid UTF-8", start + pos);
      chars += c;
    }
    String(chars, level);
  }

  void String(const std::u32string& chars, int level) {
    if (chars.size() <= kStringChunk) {
      FOut += QuoteChars(chars.data(), chars.data() + chars.size());
      return;
    }
    for (size_t i = 0; i < chars.size(); i += kStringChunk) {
      if (i > 0) FOut += " +";
      NewLine(level + 1);
      size_t end = std::min(chars.size(), i + kStringChunk);
      FOut += QuoteChars(chars.data() + i, chars.data() + end);
    }
  }

  void Binary(std::string_view bytes, int level) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    FOut += '{';
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (i % kBinaryChunk == 0) NewLine(level + 1);
      FOut += kHex[static_cast<uint8_t>(bytes[i]) >> 4];
      FOut += kHex[static_cast<uint8_t>(bytes[i]) & 0xF];
    }
    FOut += '}';
  }

  TStreamReader FIn;
  std::string FOut;
  int FDepth = 0;
};

// The stream inside a resource header (FF, 000A, name, 00, 1030, size), or the data itself.
std::string_view StreamOf(std::string_view data, size_t& base) {
  base = 0;
  if (!data.starts_with(kResourceHeader)) return data;
  TStreamReader header(data, 0);
  header.Bytes(kResourceHeader.size());
  while (header.Byte() != 0) {
  }
  size_t at = header.Pos();
  if (header.Unsigned(2) != 0x1030) header.Fail("bad resource header", at);
  at = header.Pos();
  uint64_t size = header.Unsigned(4);
  if (size > data.size() - header.Pos()) header.Fail("resource size " + std::to_string(size) + " exceeds the data", at);
  base = header.Pos();
  return data.substr(base, size);
}

// ---- text -> binary ------------------------------------------------------------------------

struct TToken {
  enum TKind { tkEnd, tkSymbol, tkIdent, tkNumber, tkString } Kind = tkEnd;
  std::string Text;      // identifier, symbol, or a number without its suffix
  char Suffix = 0;       // a number's s, c or d
  std::u32string Chars;  // a string's characters
  int Line = 1;
};

class TLexer {
public:
  explicit TLexer(std::string_view text) : FText(text) {
    if (FText.starts_with(kByteOrderMark)) FPos = kByteOrderMark.size();
  }
  [[noreturn]] void Fail(const std::string& what) const { FailAt(FLine, what); }
  [[noreturn]] static void FailAt(int line, const std::string& what) {
    throw Exception("Text form, line " + std::to_string(line) + ": " + what + ".");
  }

  TToken Next() {
    SkipBlanks();
    TToken token;
    token.Line = FLine;
    if (FPos >= FText.size()) return token;
    char c = FText[FPos];
    if (IsLetter(c)) {
      token.Kind = TToken::tkIdent;
      token.Text = Take([](char ch) { return IsLetter(ch) || IsDigit(ch) || ch == '.'; });
    } else if (IsDigit(c) || ((c == '-' || c == '+') && FPos + 1 < FText.size() &&
                              (IsDigit(FText[FPos + 1]) || IsLetter(FText[FPos + 1])))) {
      Number(token);
    } else if (c == '\'' || c == '#') {
      String(token);
    } else if (std::string_view("=:[](){}<>,+").find(c) != std::string_view::npos) {
      token.Kind = TToken::tkSymbol;
      token.Text = std::string(1, c);
      ++FPos;
    } else {
      Fail("unexpected character '" + std::string(1, c) + "'");
    }
    return token;
  }

  // Binary data after '{': hex digits, blanks and line breaks allowed, up to and including '}'.
  std::string Hex() {
    std::string bytes;
    int digits = 0, value = 0;
    for (;;) {
      SkipBlanks();
      if (FPos >= FText.size()) Fail("binary data without '}'");
      char c = FText[FPos++];
      if (c == '}') break;
      int nibble = IsDigit(c)                ? c - '0'
                   : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                   : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                            : -1;
      if (nibble < 0) Fail("bad hex digit '" + std::string(1, c) + "' in binary data");
      value = value * 16 + nibble;
      if (++digits % 2 == 0) {
        bytes += static_cast<char>(value);
        value = 0;
      }
    }
    if (digits % 2 != 0) Fail("odd number of hex digits in binary data");
    return bytes;
  }

private:
  static bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  template <class Pred>
  std::string Take(Pred pred) {
    size_t start = FPos;
    while (FPos < FText.size() && pred(FText[FPos])) ++FPos;
    return std::string(FText.substr(start, FPos - start));
  }

  void SkipBlanks() {
    while (FPos < FText.size() && std::string_view(" \t\r\n").find(FText[FPos]) != std::string_view::npos)
      if (FText[FPos++] == '\n') ++FLine;
  }

  // Digits, a fraction, an exponent (or INF / NAN), then an optional s, c or d.
  void Number(TToken& token) {
    token.Kind = TToken::tkNumber;
    size_t start = FPos++;
    while (FPos < FText.size()) {
      char c = FText[FPos];
      bool exponentSign = (c == '+' || c == '-') && (FText[FPos - 1] == 'e' || FText[FPos - 1] == 'E');
      if (!IsLetter(c) && !IsDigit(c) && c != '.' && !exponentSign) break;
      ++FPos;
    }
    token.Text = std::string(FText.substr(start, FPos - start));
    char last = token.Text.back();
    if (token.Text.size() > 1 && std::string_view("sScCdD").find(last) != std::string_view::npos) {
      token.Suffix = static_cast<char>(last | 0x20);
      token.Text.pop_back();
    }
  }

  // Quoted runs ('' inside quotes is an apostrophe) and #n characters, with nothing between them.
  void String(TToken& token) {
    token.Kind = TToken::tkString;
    while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
      if (FText[FPos++] == '#') {
        std::string digits = Take(IsDigit);
        uint32_t code = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
        if (digits.empty() || error != std::errc() || code > 0x10FFFF) Fail("bad character code #" + digits);
        token.Chars += static_cast<char32_t>(code);
        continue;
      }
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n') Fail("unterminated string");
        if (FText[FPos] == '\'') {
          if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
            token.Chars += U'\'';
            FPos += 2;
            continue;
          }
          ++FPos;
          break;
        }
        char32_t c;
        if (!NextUtf8(FText, FPos, c)) Fail("invalid UTF-8 in a string");
        token.Chars += c;
      }
    }
  }

  std::string_view FText;
  size_t FPos = 0;
  int FLine = 1;
};

void AppendLittleEndian(std::string& out, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string EncodeExtended(long double value) {
  bool negative = std::signbit(value);
  value = std::fabs(value);
  uint64_t mantissa = 0;
  int exponent = 0;
  if (std::isinf(value)) {
    exponent = 0x7FFF;
    mantissa = uint64_t(1) << 63;
  } else if (std::isnan(value)) {
    exponent = 0x7FFF;
    mantissa = uint64_t(3) << 62;
  } else if (value != 0) {
    int binaryExponent;
    long double fraction = std::frexp(value, &binaryExponent);   // value = fraction * 2^e, fraction in [0.5, 1)
    exponent = binaryExponent - 1 + 16383;
    if (exponent > 0) {
      mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    } else {   // below the normal range: a denormal with exponent field 0
      mantissa = static_cast<uint64_t>(std::ldexp(value, 16383 + 63 - 1));
      exponent = 0;
    }
  }
  std::string bytes;
  AppendLittleEndian(bytes, mantissa, 8);
  AppendLittleEndian(bytes, static_cast<uint64_t>(exponent | (negative ? 0x8000 : 0)), 2);
  return bytes;
}

class TTextToBinary {
public:
  explicit TTextToBinary(std::string_view text) : FLex(text) {}

  std::string Run() {
    Next();
    FOut = kSignature;
    Object();
    if (FToken.Kind != TToken::tkEnd) Fail("text after the form's final end");
    return std::move(FOut);
  }

private:
  [[noreturn]] void Fail(const std::string& what) const { TLexer::FailAt(FToken.Line, what); }

  void Next() { FToken = FLex.Next(); }

  bool IsSymbol(char c) const { return FToken.Kind == TToken::tkSymbol && FToken.Text[0] == c; }
  bool IsWord(std::string_view word) const { return FToken.Kind == TToken::tkIdent && SameText(FToken.Text, word); }
  bool IsObjectStart() const { return IsWord("object") || IsWord("inherited") || IsWord("inline"); }

  void Expect(char symbol) {
    if (!IsSymbol(symbol)) Fail(std::string("'") + symbol + "' expected");
    Next();
  }

  void ExpectWord(std::string_view word) {
    if (!IsWord(word)) Fail(std::string(word) + " expected");
    Next();
  }

  std::string Identifier(const char* what) {
    if (FToken.Kind != TToken::tkIdent) Fail(std::string(what) + " expected");
    std::string name = FToken.Text;
    Next();
    return name;
  }

  void ShortString(const std::string& text) {
    if (text.size() > 255) Fail("name longer than 255 characters");
    FOut += static_cast<char>(text.size());
    FOut += text;
  }

  void Enter() {
    if (++FDepth > kMaxDepth) Fail("nesting too deep");
  }

  int64_t IntegerToken() {
    if (FToken.Kind != TToken::tkNumber || FToken.Suffix) Fail("integer expected");
    int64_t value = 0;
    const std::string& text = FToken.Text;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Fail("integer expected");
    Next();
    return value;
  }

  // The smallest integer type that holds `value`.
  void Integer(int64_t value) {
    bool int8 = value >= INT8_MIN && value <= INT8_MAX, int16 = value >= INT16_MIN && value <= INT16_MAX,
         int32 = value >= INT32_MIN && value <= INT32_MAX;
    FOut += static_cast<char>(int8 ? vaInt8 : int16 ? vaInt16 : int32 ? vaInt32 : vaInt64);
    AppendLittleEndian(FOut, static_cast<uint64_t>(value), int8 ? 1 : int16 ? 2 : int32 ? 4 : 8);
  }

  // `object|inherited|inline [Name:] TClass [[n]]`, properties, child objects, `end`.
  void Object() {
    Enter();
    uint8_t flags = IsWord("inherited") ? ffInherited : IsWord("inline") ? ffInline : 0;
    if (!IsObjectStart()) Fail("object, inherited or inline expected");
    Next();
    std::string name, className = Identifier("class name");
    if (IsSymbol(':')) {
      Next();
      name = std::move(className);
      className = Identifier("class name");
    }
    int64_t position = 0;
    if (IsSymbol('[')) {
      Next();
      position = IntegerToken();
      Expect(']');
      flags |= ffChildPos;
    }
    if (flags) {
      FOut += static_cast<char>(0xF0 | flags);
      if (flags & ffChildPos) Integer(position);
    }
    ShortString(className);
    ShortString(name);
    while (!IsObjectStart() && !IsWord("end")) Property();
    FOut += '\0';
    while (IsObjectStart()) Object();
    ExpectWord("end");
    FOut += '\0';
    --FDepth;
  }

  void Property() {
    if (FToken.Kind == TToken::tkEnd) Fail("end expected");
    ShortString(Identifier("property name"));
    Expect('=');
    Value();
  }

  void Value() {
    Enter();
    switch (FToken.Kind) {
    case TToken::tkNumber: Number(); break;
    case TToken::tkString: String(); break;
    case TToken::tkIdent:
      if (IsWord("False")) FOut += static_cast<char>(vaFalse);
      else if (IsWord("True")) FOut += static_cast<char>(vaTrue);
      else if (IsWord("nil")) FOut += static_cast<char>(vaNil);
      else if (IsWord("Null")) FOut += static_cast<char>(vaNull);
      else {
        FOut += static_cast<char>(vaIdent);
        ShortString(FToken.Text);
      }
      Next();
      break;
    case TToken::tkSymbol:
      if (IsSymbol('[')) Set();
      else if (IsSymbol('(')) List();
      else if (IsSymbol('{')) Binary();
      else if (IsSymbol('<')) Collection();
      else Fail("value expected");
      break;
    case TToken::tkEnd: Fail("value expected");
    }
    --FDepth;
  }

  // Read in the "C" locale whatever the process's locale says; values below the normal range are
  // kept (as denormals), values beyond the type's range are errors.
  template <class T>
  T FloatToken() {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string& text = FToken.Text;
    char* end = nullptr;
    errno = 0;
    T value;
    if constexpr (std::is_same_v<T, float>) value = strtof_l(text.c_str(), &end, cLocale);
    else if constexpr (std::is_same_v<T, double>) value = strtod_l(text.c_str(), &end, cLocale);
    else value = strtold_l(text.c_str(), &end, cLocale);
    bool overflow = errno == ERANGE && std::isinf(value);
    if (end != text.c_str() + text.size() || overflow || text.find_first_of("xX") != std::string::npos)
      Fail("bad number " + text);
    return value;
  }

  void Number() {
    if (!FToken.Suffix && FToken.Text.find_first_not_of("+-0123456789") == std::string::npos) {
      Integer(IntegerToken());
      return;
    }
    switch (FToken.Suffix) {
    case 's':
      FOut += static_cast<char>(vaSingle);
      AppendLittleEndian(FOut, std::bit_cast<uint32_t>(FloatToken<float>()), 4);
      break;
    case 'd':
      FOut += static_cast<char>(vaDate);
      AppendLittleEndian(FOut, std::bit_cast<uint64_t>(FloatToken<double>()), 8);
      break;
    case 'c': {
      long double units = std::round(FloatToken<long double>() * 10000);
      if (!(units >= -0x1p63L && units < 0x1p63L)) Fail("currency value out of range");
      FOut += static_cast<char>(vaCurrency);
      AppendLittleEndian(FOut, static_cast<uint64_t>(static_cast<int64_t>(units)), 8);
      break;
    }
    default:
      FOut += static_cast<char>(vaExtended);
      FOut += EncodeExtended(FloatToken<long double>());
    }
    Next();
  }

  // Quoted parts joined with '+'; 8-bit when every character fits, else UTF-16.
  void String() {
    std::u32string chars = FToken.Chars;
    Next();
    while (IsSymbol('+')) {
      Next();
      if (FToken.Kind != TToken::tkString) Fail("string expected after '+'");
      chars += FToken.Chars;
      Next();
    }
    bool wide = false;
    for (char32_t c : chars) wide = wide || c > 0xFF;
    if (!wide) {
      if (chars.size() <= 255) {
        FOut += static_cast<char>(vaString);
        FOut += static_cast<char>(chars.size());
      } else {
        FOut += static_cast<char>(vaLString);
        AppendLittleEndian(FOut, chars.size(), 4);
      }
      for (char32_t c : chars) FOut += static_cast<char>(c);
      return;
    }
    std::string units;
    for (char32_t c : chars) {
      if (c >= 0x10000) {
        AppendLittleEndian(units, 0xD800 + ((c - 0x10000) >> 10), 2);
        AppendLittleEndian(units, 0xDC00 + ((c - 0x10000) & 0x3FF), 2);
      } else {
        AppendLittleEndian(units, c, 2);
      }
    }
    FOut += static_cast<char>(vaWString);
    AppendLittleEndian(FOut, units.size() / 2, 4);
    FOut += units;
  }

  void Set() {
    Next();
    FOut += static_cast<char>(vaSet);
    if (!IsSymbol(']')) {
      ShortString(Identifier("set element"));
      while (IsSymbol(',')) {
        Next();
        ShortString(Identifier("set element"));
      }
    }
    Expect(']');
    FOut += '\0';
  }

  void List() {
    Next();
    FOut += static_cast<char>(vaList);
    while (!IsSymbol(')')) {
      if (FToken.Kind == TToken::tkEnd) Fail("list without ')'");
      if (IsWord("Null")) Fail("Null can't be a list element: it ends the list");
      Value();
    }
    Next();
    FOut += '\0';
  }

  void Binary() {
    std::string bytes = FLex.Hex();
    FOut += static_cast<char>(vaBinary);
    AppendLittleEndian(FOut, bytes.size(), 4);
    FOut += bytes;
    Next();
  }

  // `<` then `item [n]` blocks of properties ending in `end`, then `>`.
  void Collection() {
    Next();
    FOut += static_cast<char>(vaCollection);
    while (!IsSymbol('>')) {
      ExpectWord("item");
      if (IsSymbol('[')) {
        Next();
        Integer(IntegerToken());
        Expect(']');
      }
      FOut += static_cast<char>(vaList);
      while (!IsWord("end")) Property();
      Next();
      FOut += '\0';
    }
    Next();
    FOut += '\0';
  }

  TLexer FLex;
  TToken FToken;
  std::string FOut;
  int FDepth = 0;
};

} // namespace

bool IsBinaryForm(const std::string& data) {
  return data.starts_with(kResourceHeader) || data.starts_with(kSignature);
}

bool IsTextForm(const std::string& data) {
  size_t start = data.find_first_not_of(" \t\r\n", data.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0);
  if (start == std::string::npos) return false;
  size_t end = data.find_first_of(" \t\r\n", start);
  std::string_view word = std::string_view(data).substr(start, end == std::string::npos ? end : end - start);
  return SameText(word, "object") || SameText(word, "inherited") || SameText(word, "inline");
}

std::string FormBinaryToText(const std::string& binary) {
  size_t base;
  std::string_view stream = StreamOf(binary, base);
  return TBinaryToText(stream, base).Run();
}

std::string FormTextToBinary(const std::string& text) { return TTextToBinary(text).Run(); }

} // namespace platform
