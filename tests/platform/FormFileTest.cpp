#include "platform/FormFile.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "MessageOf.h"
#include "platform/Exception.h"

using namespace platform;
using namespace std::string_literals;

namespace {

// Writes form stream bytes the way the form designer lays them out.
class TStreamBuilder {
public:
  TStreamBuilder() : FData("TPF0") {}
  const std::string& Data() const { return FData; }

  TStreamBuilder& Byte(uint8_t value) {
    FData += static_cast<char>(value);
    return *this;
  }
  TStreamBuilder& Number(uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  TStreamBuilder& Raw(const std::string& bytes) {
    FData += bytes;
    return *this;
  }
  TStreamBuilder& Short(const std::string& text) { return Byte(static_cast<uint8_t>(text.size())).Raw(text); }
  // A property's name and value type; the caller adds the payload.
  TStreamBuilder& Prop(const std::string& name, uint8_t type) { return Short(name).Byte(type); }
  TStreamBuilder& Object(const std::string& className, const std::string& name) { return Short(className).Short(name); }

private:
  std::string FData;
};

std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// A form with every value type, a collection, nested, inherited and inline objects.
std::string SampleForm() {
  TStreamBuilder s;
  const std::string picture = [] {
    std::string bytes;
    for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i * 7);
    return bytes;
  }();
  const std::u16string wide = u"Gr\u00FC\u00DFe \u20AC\U0001F600";
  float scale = 0.25f;
  double stamp = 45000.5;
  s.Object("TForm1", "Form1")
      .Prop("Left", 2).Byte(12)
      .Prop("Top", 3).Number(static_cast<uint16_t>(-300), 2)
      .Prop("Width", 4).Number(70000, 4)
      .Prop("Big", 19).Number(5000000000ULL, 8)
      .Prop("Ratio", 5).Number(0xC000000000000000ULL, 8).Number(0x3FFF, 2)   // 1.5
      .Prop("Tiny", 5).Number(0x8000000000000000ULL, 8).Number(0xBFFB, 2)    // -0.0625
      .Prop("Scale", 15).Number(std::bit_cast<uint32_t>(scale), 4)
      .Prop("Price", 16).Number(static_cast<uint64_t>(-123456), 8)
      .Prop("Stamp", 17).Number(std::bit_cast<uint64_t>(stamp), 8)
      .Prop("Caption", 6).Short("Don't\r\ngo")
      .Prop("Hint", 12).Number(4, 4).Raw("caf\xE9")
      .Prop("Wide", 18).Number(wide.size(), 4).Raw(Utf16(wide))
      .Prop("Utf", 20).Number(6, 4).Raw("na\xC3\xAFve")
      .Prop("Align", 7).Short("alClient")
      .Prop("Visible", 8)
      .Prop("Enabled", 9)
      .Prop("PopupMenu", 13)
      .Prop("Tag", 0)
      .Prop("Empty", 6).Byte(0)
      .Prop("Picture.Data", 10).Number(picture.size(), 4).Raw(picture)
      .Prop("Anchors", 11).Short("akLeft").Short("akTop").Byte(0)
      .Prop("Options", 11).Byte(0)
      .Prop("Lines.Strings", 1).Byte(6).Short("one").Byte(1).Byte(2).Byte(2).Byte(7).Short("Last").Byte(0).Byte(0)
      .Prop("None", 1).Byte(0)
      .Prop("Memo", 6).Short(std::string(64, 'a') + std::string(6, 'b'))
      .Prop("Columns", 14)
      .Byte(1).Prop("Width", 2).Byte(5).Byte(0)
      .Byte(2).Byte(3).Byte(1).Prop("Caption", 6).Short("c").Byte(0)
      .Byte(0)
      .Prop("Rows", 14).Byte(0)
      .Byte(0);
  s.Object("TPanel", "Panel1").Prop("Left", 2).Byte(0xFF).Byte(0)
      .Byte(0xF3).Byte(2).Byte(2).Object("TButton", "Button1").Byte(0).Byte(0)
      .Byte(0);
  s.Byte(0xF4).Object("TFrame1", "").Byte(0).Byte(0);
  s.Byte(0);
  return s.Data();
}

const char* const kSampleText =
    "object Form1: TForm1\r\n"
    "  Left = 12\r\n"
    "  Top = -300\r\n"
    "  Width = 70000\r\n"
    "  Big = 5000000000\r\n"
    "  Ratio = 1.5\r\n"
    "  Tiny = -0.0625\r\n"
    "  Scale = 0.25s\r\n"
    "  Price = -12.3456c\r\n"
    "  Stamp = 45000.5d\r\n"
    "  Caption = 'Don'#39't'#13#10'go'\r\n"
    "  Hint = 'caf'#233\r\n"
    "  Wide = 'Gr'#252#223'e '#8364#128512\r\n"
    "  Utf = 'na'#239've'\r\n"
    "  Align = alClient\r\n"
    "  Visible = False\r\n"
    "  Enabled = True\r\n"
    "  PopupMenu = nil\r\n"
    "  Tag = Null\r\n"
    "  Empty = ''\r\n"
    "  Picture.Data = {\r\n"
    "    00070E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D9\r\n"
    "    E0E7EEF5FC030A11}\r\n"
    "  Anchors = [akLeft, akTop]\r\n"
    "  Options = []\r\n"
    "  Lines.Strings = (\r\n"
    "    'one'\r\n"
    "    (\r\n"
    "      2\r\n"
    "      Last))\r\n"
    "  None = ()\r\n"
    "  Memo = \r\n"
    "    'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +\r\n"
    "    'bbbbbb'\r\n"
    "  Columns = <\r\n"
    "    item\r\n"
    "      Width = 5\r\n"
    "    end\r\n"
    "    item [3]\r\n"
    "      Caption = 'c'\r\n"
    "    end>\r\n"
    "  Rows = <>\r\n"
    "  object Panel1: TPanel\r\n"
    "    Left = -1\r\n"
    "    inherited Button1: TButton [2]\r\n"
    "    end\r\n"
    "  end\r\n"
    "  inline TFrame1\r\n"
    "  end\r\n"
    "end\r\n";

std::string WithResourceHeader(const std::string& stream) {
  std::string header("\xFF\x0A\x00" "FORM1\x00" "\x30\x10", 11);
  for (int i = 0; i < 4; ++i) header += static_cast<char>(stream.size() >> (8 * i));
  return header + stream;
}

} // namespace

TEST(FormFile, WritesEveryValueTypeInTheTextLayout) {
  EXPECT_EQ(FormBinaryToText(SampleForm()), kSampleText);
}

TEST(FormFile, TextReadsBackToTheSameText) {
  std::string binary = FormTextToBinary(kSampleText);
  EXPECT_EQ(FormBinaryToText(binary), kSampleText);
  EXPECT_EQ(FormTextToBinary(FormBinaryToText(binary)), binary);
  EXPECT_EQ(FormTextToBinary("\xEF\xBB\xBF" + std::string(kSampleText)), binary);   // a byte-order mark
  // Extremes of every number type survive the trip.
  const std::string numbers =
      "object A: TA\r\n  I = -9223372036854775808\r\n  J = 9223372036854775807\r\n  E = 1e-4000\r\n"
      "  F = 1e+4000\r\n  G = 1e-4940\r\n  S = 3.4028235e+38s\r\n  D = -1.7976931348623157e+308d\r\n"
      "  C = -922337203685477.5808c\r\n  N = -INF\r\nend\r\n";
  EXPECT_EQ(FormBinaryToText(FormTextToBinary(numbers)), numbers);
}

TEST(FormFile, TextGetsTheSmallestFittingTypes) {
  std::string binary = FormTextToBinary(
      "object A: TA\n X = 1\n Y = 300\n S = 'caf'#233\n W = 'a'#8364\n L = (\n) end");
  EXPECT_EQ(binary, "TPF0" "\x02TA\x01" "A"
                    "\x01X\x02\x01" "\x01Y\x03\x2C\x01" "\x01S\x06\x04" "caf\xE9"
                    "\x01W\x12\x02\x00\x00\x00" "a\x00\xAC\x20" "\x01L\x01\x00" "\x00\x00"s);
  // Quoted text may hold doubled apostrophes and UTF-8, read back as the standard form.
  EXPECT_EQ(FormBinaryToText(FormTextToBinary("object T\r\n  S = 'it''s €'\r\nend")),
            "object T\r\n  S = 'it'#39's '#8364\r\nend\r\n");
  std::string longText = "object T\r\n  S = '" + std::string(300, 'x') + "'\r\nend";
  EXPECT_EQ(FormTextToBinary(longText)[9], '\x0C');   // LString beyond 255 characters
}

TEST(FormFile, SkipsTheResourceHeader) {
  std::string binary = WithResourceHeader(SampleForm());
  EXPECT_TRUE(IsBinaryForm(binary));
  EXPECT_EQ(FormBinaryToText(binary), kSampleText);
  binary[11] = '\x7F';   // size larger than the data
  EXPECT_NE(MessageOf<Exception>([&] { FormBinaryToText(binary); }).find("resource size"), std::string::npos);
}

TEST(FormFile, TellsBinaryFromTextForms) {
  EXPECT_TRUE(IsBinaryForm(SampleForm()));
  EXPECT_FALSE(IsBinaryForm(kSampleText));
  EXPECT_FALSE(IsBinaryForm("TPF"));
  EXPECT_TRUE(IsTextForm(kSampleText));
  EXPECT_TRUE(IsTextForm("\r\n  Inherited Form2: TForm2\r\nend"));
  EXPECT_TRUE(IsTextForm("inline"));
  EXPECT_TRUE(IsTextForm("\xEF\xBB\xBFobject A: TA\r\nend"));
  EXPECT_FALSE(IsTextForm("objects"));
  EXPECT_FALSE(IsTextForm("  \r\n"));
  EXPECT_FALSE(IsTextForm(SampleForm()));
}

TEST(FormFile, EveryTruncatedStreamIsRejected) {
  for (const std::string& full : {SampleForm(), WithResourceHeader(SampleForm())})
    for (size_t size = 0; size < full.size(); ++size) {
      std::string cut = full.substr(0, size);
      EXPECT_THROW(FormBinaryToText(cut), Exception) << "cut at " << size;
    }
}

TEST(FormFile, CorruptStreamsNeverCrash) {
  const std::string full = SampleForm();
  for (size_t at = 0; at < full.size(); ++at)
    for (uint8_t value : {0x00, 0x01, 0x7F, 0xF7, 0xFF}) {
      std::string corrupt = full;
      corrupt[at] = static_cast<char>(value);
      try {
        FormBinaryToText(corrupt);
      } catch (const Exception&) {
      }
    }
}

TEST(FormFile, BinaryErrorsNameWhatAndWhere) {
  auto error = [](const TStreamBuilder& s) { return MessageOf<Exception>([&] { FormBinaryToText(s.Data()); }); };
  EXPECT_EQ(error(TStreamBuilder().Object("TA", "A").Prop("X", 42)),
            "Binary form file: unknown value type 42 at offset 11.");
  EXPECT_EQ(error(TStreamBuilder().Object("TA", "A").Prop("X", 12).Number(0xFFFFFFFF, 4).Raw("abc")),
            "Binary form file: length 4294967295 exceeds the data at offset 12.");
  EXPECT_EQ(error(TStreamBuilder().Object("TA", "A").Prop("X", 1).Byte(2).Byte(1)),
            "Binary form file: unexpected end of the data at offset 14.");
  EXPECT_EQ(error(TStreamBuilder().Object("TA", "A").Prop("X", 20).Number(2, 4).Raw("\xC3(").Byte(0).Byte(0)),
            "Binary form file: invalid UTF-8 at offset 16.");
  EXPECT_EQ(MessageOf<Exception>([] { FormBinaryToText("TPFX"); }),
            "Binary form file: no \"TPF0\" signature at offset 0.");
  // Nesting deep enough to exhaust the stack is refused, not followed.
  TStreamBuilder deep;
  deep.Object("TA", "A").Prop("X", 1).Raw(std::string(100000, '\x01'));
  EXPECT_NE(error(deep).find("nesting too deep"), std::string::npos);
}

TEST(FormFile, TextErrorsNameTheLine) {
  auto error = [](const std::string& text) { return MessageOf<Exception>([&] { FormTextToBinary(text); }); };
  EXPECT_EQ(error("object A: TA\r\n  X = 'abc\r\nend"), "Text form, line 2: unterminated string.");
  EXPECT_EQ(error("object A: TA\r\n  X = (1\r\n  2"), "Text form, line 3: list without ')'.");
  EXPECT_EQ(error("object A: TA\r\n  X = {ABC}\r\nend"), "Text form, line 2: odd number of hex digits in binary data.");
  EXPECT_EQ(error("object A: TA\r\n  X = {12"), "Text form, line 2: binary data without '}'.");
  EXPECT_EQ(error("object A: TA\r\n  X = 1.2.3\r\nend"), "Text form, line 2: bad number 1.2.3.");
  EXPECT_EQ(error("object A: TA\r\n  X 5\r\nend"), "Text form, line 2: '=' expected.");
  EXPECT_EQ(error("object A: TA\r\n  X = 5\r\n"), "Text form, line 3: end expected.");
  EXPECT_EQ(error("object A: TA\r\nend\r\nend"), "Text form, line 3: text after the form's final end.");
  EXPECT_EQ(error("form A: TA\r\nend"), "Text form, line 1: object, inherited or inline expected.");
  EXPECT_EQ(error("object A: TA\r\n  X = <\r\n    item\r\n  end\r\nend"), "Text form, line 5: item expected.");
  EXPECT_EQ(error("object A: TA\r\n  X = 99999999999999999999\r\nend"), "Text form, line 2: integer expected.");
  EXPECT_NE(error("object A: TA\r\n  X = " + std::string(100000, '(')).find("nesting too deep"), std::string::npos);
}
