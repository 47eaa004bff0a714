// Reads arbitrary bytes as a settings file, edits it and checks the promises
// of the reader and writer: every key it lists can be read, and the bytes
// written back read in to the same content, in the encoding they were
// written in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

void Check(bool condition) {
  if (!condition)
    std::abort();
}

void LoadBytes(TMemIniFile& ini, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  ini.LoadFromStream(stream);
}

std::string SavedBytes(TMemIniFile& ini) {
  TMemoryStream stream;
  ini.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), stream.Bytes().size());
}

bool IsAscii(const std::string& bytes) {
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80)
      return false;
  }
  return true;
}

void ReadEveryKey(const TMemIniFile& ini) {
  TStringList sections;
  ini.ReadSections(sections);
  TStringList keys;
  for (int32_t i = 0; i < sections.Count(); ++i) {
    Check(ini.SectionExists(sections[i]));
    ini.ReadSection(sections[i], keys);
    for (int32_t k = 0; k < keys.Count(); ++k) {
      Check(ini.ValueExists(sections[i], keys[k]));
      (void)ini.ReadInteger(sections[i], keys[k], 0);
    }
  }
}

// Writes that a file may or may not hold: a refusal must change nothing.
void EditWith(TMemIniFile& ini, const std::string& section, const std::string& ident, const std::string& value) {
  const std::string before = ini.Text();
  try {
    ini.WriteString(section, ident, value);
    Check(ini.ReadString(section, ident, "\n") == TrimBlanks(value));
  } catch (const EInvalidArgument&) {
    Check(ini.Text() == before);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TMemIniFile ini("");
  LoadBytes(ini, input);
  ReadEveryKey(ini);

  TStringList sections;
  ini.ReadSections(sections);
  if (sections.Count() > 0) {
    // Names and values taken from the input itself, so that the odd ones
    // (brackets, ";", line breaks, broken UTF-8) come up.
    const std::string piece = input.substr(0, size / 3);
    EditWith(ini, sections[0], piece, "1");
    EditWith(ini, sections[sections.Count() - 1], "Gr\xC3\xB6\xC3\x9F" "e", piece);
    ini.DeleteKey(sections[sections.Count() - 1], "Fuzz");
  }
  EditWith(ini, "Neu \xC5\x81\xC3\xB3" "d\xC5\xBA", "k", "\xE2\x82\xAC");

  const std::string written = SavedBytes(ini);
  TMemIniFile reread("");
  LoadBytes(reread, written);
  Check(reread.Text() == ini.Text());
  // 1252 text that is plain ASCII reads back as UTF-8, which it also is.
  const bool ascii_1252 = ini.Encoding() == TIniEncoding::kAnsi1252 && IsAscii(written);
  Check(reread.Encoding() == ini.Encoding() || ascii_1252);
  return 0;
}
