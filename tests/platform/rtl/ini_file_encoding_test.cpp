// The encodings settings files come in: code page 1252 as earlier versions
// and editors on German systems wrote them, UTF-8 with and without a mark,
// and UTF-16 with a mark; each read right and written back as it was.
#include "platform/rtl/ini_file_encoding.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/rtl/code_page_1252.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "tests/platform/rtl/ini_file_fixture.h"

namespace {

// "Ü" and "ß" in the program's UTF-8 and in the two other encodings.
constexpr char kUmlautKey[] = "Verbinde\xC3\x9C" "berTPC";
constexpr char kUmlautKey1252[] = "Verbinde\xDC" "berTPC";

// UTF-16 bytes after the mark of their order.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(CodePage1252, EveryByteSurvivesTheWayToUtf8AndBack) {
  std::string all_bytes;
  for (int byte = 0; byte < 256; ++byte)
    all_bytes += static_cast<char>(byte);
  const std::string text = Cp1252ToUtf8(all_bytes);
  std::string back;
  ASSERT_TRUE(Utf8ToCp1252(text, back));
  EXPECT_EQ(back, all_bytes);
}

TEST(CodePage1252, CharactersOfTheCodePage) {
  const struct {
    unsigned char byte;
    const char* utf8;
  } cases[] = {
      {0x41, "A"},          {0x80, "\xE2\x82\xAC"},  // euro sign
      {0x81, "\xC2\x81"},   {0x8D, "\xC2\x8D"},  {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"},
      {0x9D, "\xC2\x9D"},   // undefined bytes: the control characters of the same number
      {0x84, "\xE2\x80\x9E"},  // low double quote
      {0x8A, "\xC5\xA0"},   {0x96, "\xE2\x80\x93"}, {0x99, "\xE2\x84\xA2"}, {0x9F, "\xC5\xB8"},
      {0xA0, "\xC2\xA0"},   {0xC4, "\xC3\x84"},     {0xDC, "\xC3\x9C"},     {0xDF, "\xC3\x9F"},
      {0xFF, "\xC3\xBF"},
  };
  for (const auto& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << static_cast<int>(c.byte);
    std::string back;
    EXPECT_TRUE(Utf8ToCp1252(c.utf8, back)) << static_cast<int>(c.byte);
    EXPECT_EQ(back, byte) << static_cast<int>(c.byte);
  }
}

TEST(CodePage1252, CharactersWithoutAByteAreRefused) {
  const char* const texts[] = {
      "\xC2\x80",          // U+0080: byte 0x80 is the euro sign
      "\xC2\x9F",          // U+009F: byte 0x9F is Y with diaeresis
      "\xC5\x81" "odz",    // L with stroke
      "\xEF\xBF\xBD",      // the replacement character itself
      "\xF0\x9F\x98\x80",  // outside the basic plane
      "ab\xC3",            // a cut sequence
      "\xFF",              // not UTF-8 at all
  };
  for (const char* text : texts) {
    std::string bytes;
    EXPECT_FALSE(Utf8ToCp1252(text, bytes)) << text;
  }
}

// One row: a file's bytes, what they are read as, and the bytes written
// back after an optional change.
// Replaces the content of the object with the lines of `text`.
void SetContent(TMemIniFile& ini, const char* text) {
  TStringList lines;
  lines.SetText(text);
  ini.SetStrings(lines);
}

struct EncodingCase {
  const char* name;
  std::string before;
  TIniEncoding read_as;
  std::function<void(TMemIniFile&)> change;
  std::string after;
  TIniEncoding written_as;
};

using IniEncodingTest = IniFileFixture;

TEST_F(IniEncodingTest, FilesAreWrittenBackInTheEncodingTheyHad) {
  const auto no_change = [](TMemIniFile&) {};
  const auto add_umlaut = [](TMemIniFile& ini) { ini.WriteString("A", "Gr\xC3\xB6\xC3\x9F" "e", "\xE2\x82\xAC"); };
  const EncodingCase cases[] = {
      {"plain ASCII is UTF-8", "[A]\r\nk=v\r\n", TIniEncoding::kUtf8, add_umlaut,
       "[A]\r\nk=v\r\nGr\xC3\xB6\xC3\x9F" "e=\xE2\x82\xAC\r\n\r\n", TIniEncoding::kUtf8},
      {"UTF-8 without a mark", "[A]\r\nk=\xC3\x9C\r\n", TIniEncoding::kUtf8, no_change, "[A]\r\nk=\xC3\x9C\r\n\r\n",
       TIniEncoding::kUtf8},
      {"UTF-8 with a mark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", TIniEncoding::kUtf8Bom, add_umlaut,
       "\xEF\xBB\xBF[A]\r\nk=v\r\nGr\xC3\xB6\xC3\x9F" "e=\xE2\x82\xAC\r\n\r\n", TIniEncoding::kUtf8Bom},
      {"UTF-8 with a mark keeps broken bytes as they are", "\xEF\xBB\xBF[A]\r\nk=\xFF\xC3\r\n",
       TIniEncoding::kUtf8Bom, no_change, "\xEF\xBB\xBF[A]\r\nk=\xFF\xC3\r\n\r\n", TIniEncoding::kUtf8Bom},
      {"code page 1252", "[A]\r\nk=\xDC\r\n", TIniEncoding::kAnsi1252, add_umlaut,
       "[A]\r\nk=\xDC\r\nGr\xF6\xDF" "e=\x80\r\n\r\n", TIniEncoding::kAnsi1252},
      {"1252 with the undefined bytes", "[A]\r\nk=\x81\x8D\x8F\x90\x9D\xDC\r\n", TIniEncoding::kAnsi1252, no_change,
       "[A]\r\nk=\x81\x8D\x8F\x90\x9D\xDC\r\n\r\n", TIniEncoding::kAnsi1252},
      {"1252 that gets a character it cannot hold becomes UTF-8 with a mark", "[A]\r\nk=\xDC\r\n",
       TIniEncoding::kAnsi1252, [](TMemIniFile& ini) { ini.WriteString("A", "Stadt", "\xC5\x81\xC3\xB3" "d\xC5\xBA"); },
       "\xEF\xBB\xBF[A]\r\nk=\xC3\x9C\r\nStadt=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n\r\n", TIniEncoding::kUtf8Bom},
      {"1252 whose bytes would read back as UTF-8 becomes UTF-8 with a mark", "[A]\r\nk=\xDC\r\n",
       TIniEncoding::kAnsi1252, [](TMemIniFile& ini) { ini.WriteString("A", "k", "\xC3\x83\xC2\xBC"); },
       "\xEF\xBB\xBF[A]\r\nk=\xC3\x83\xC2\xBC\r\n\r\n", TIniEncoding::kUtf8Bom},
      {"1252 that would start like the UTF-8 mark", "k=\xDC\r\n[A]\r\n", TIniEncoding::kAnsi1252,
       [](TMemIniFile& ini) { SetContent(ini, "\xC3\xAF\xC2\xBB\xC2\xBF=1"); },
       "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF=1\r\n", TIniEncoding::kUtf8Bom},
      {"1252 that would start like the UTF-16 mark", "k=\xDC\r\n[A]\r\n", TIniEncoding::kAnsi1252,
       [](TMemIniFile& ini) { SetContent(ini, "\xC3\xBF\xC3\xBE=1"); },
       "\xEF\xBB\xBF\xC3\xBF\xC3\xBE=1\r\n", TIniEncoding::kUtf8Bom},
      {"UTF-8 text that starts with U+FEFF keeps it behind a mark", "\r\n\xEF\xBB\xBF;note\r\n[A]\r\n",
       TIniEncoding::kUtf8, no_change, "\xEF\xBB\xBF\xEF\xBB\xBF;note\r\n[A]\r\n\r\n", TIniEncoding::kUtf8Bom},
      {"UTF-16 little-endian", Utf16(u"[A]\r\nk=v\r\n", false), TIniEncoding::kUtf16LE,
       [](TMemIniFile& ini) { ini.WriteString("A", "k", "\xC3\x9C\xF0\x9F\x98\x80"); },
       Utf16(u"[A]\r\nk=\u00DC\U0001F600\r\n\r\n", false), TIniEncoding::kUtf16LE},
      {"UTF-16 big-endian", Utf16(u"[A]\r\nk=\u00DC", true), TIniEncoding::kUtf16BE, add_umlaut,
       Utf16(u"[A]\r\nk=\u00DC\r\nGr\u00F6\u00DFe=\u20AC\r\n\r\n", true), TIniEncoding::kUtf16BE},
      {"UTF-16 with an odd last byte", Utf16(u"[A]\r\nk=v", false) + "x", TIniEncoding::kUtf16LE, no_change,
       Utf16(u"[A]\r\nk=v\uFFFD\r\n\r\n", false), TIniEncoding::kUtf16LE},
      {"UTF-16 with a lone surrogate", Utf16(u"[A]\r\nk=\xD800v", false), TIniEncoding::kUtf16LE, no_change,
       Utf16(u"[A]\r\nk=\uFFFDv\r\n\r\n", false), TIniEncoding::kUtf16LE},
      {"empty file", "", TIniEncoding::kUtf8, no_change, "", TIniEncoding::kUtf8},
  };
  for (const EncodingCase& c : cases) {
    WriteFile(c.before);
    TMemIniFile ini(path_);
    EXPECT_EQ(ini.Encoding(), c.read_as) << c.name;
    c.change(ini);
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(), c.after) << c.name;
    EXPECT_EQ(ini.Encoding(), c.written_as) << c.name;
    TMemIniFile reread(path_);
    EXPECT_EQ(reread.Text(), ini.Text()) << c.name;
  }
}

TEST_F(IniEncodingTest, SettingsWrittenIn1252AreFoundAndNotAddedTwice) {
  WriteFile(std::string("[LogWire]\r\nEinstellungenSetzen=True\r\n") + kUmlautKey1252 +
            "=True\r\n[DATEIEN_SAVED]\r\nPr\xFC" "fung M\xE4rz=DATEIEN_SAVED_1\r\n[DATEIEN_SAVED_1]\r\n"
            "1=C:\\Belege\\R\xFC" "ckl\xE4ufer.pdf\r\n");
  TMemIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("LogWire", kUmlautKey, "False"), "True");
  EXPECT_EQ(ini.ReadString("DATEIEN_SAVED", "Pr\xC3\xBC" "fung M\xC3\xA4rz", ""), "DATEIEN_SAVED_1");
  EXPECT_EQ(ini.ReadString("DATEIEN_SAVED_1", "1", ""), "C:\\Belege\\R\xC3\xBC" "ckl\xC3\xA4ufer.pdf");

  ini.WriteString("LogWire", kUmlautKey, "False");
  ini.UpdateFile();
  const std::string written = ReadFile();
  EXPECT_EQ(written.find(kUmlautKey1252), written.rfind(kUmlautKey1252));
  EXPECT_NE(written.find(std::string(kUmlautKey1252) + "=False\r\n"), std::string::npos);
  EXPECT_NE(written.find("Pr\xFC" "fung M\xE4rz=DATEIEN_SAVED_1\r\n"), std::string::npos);
}

TEST_F(IniEncodingTest, StreamsCarryTheFilesBytes) {
  TMemoryStream in;
  const std::string bytes = "[A]\r\nk=\xDC\r\n";
  in.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  in.SetPosition(0);
  TMemIniFile ini("");
  ini.LoadFromStream(in);
  EXPECT_EQ(ini.Encoding(), TIniEncoding::kAnsi1252);
  EXPECT_EQ(ini.ReadString("A", "k", ""), "\xC3\x9C");
  TMemoryStream out;
  ini.SaveToStream(out);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Memory()), out.Bytes().size()), "[A]\r\nk=\xDC\r\n\r\n");

  // A file that disappears gives an object that writes plain UTF-8 again.
  ini.Rename(path_, /*reload=*/true);
  EXPECT_EQ(ini.Encoding(), TIniEncoding::kUtf8);
}

}  // namespace
