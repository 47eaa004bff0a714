// Reads arbitrary bytes as an INI file, edits it and checks that what is
// written back reads in to the same content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/ini_file.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  TStringList lines;
  lines.LoadFromStream(stream);

  TMemIniFile ini("");
  ini.SetStrings(lines);
  TStringList sections;
  ini.ReadSections(sections);
  TStringList keys;
  for (int32_t i = 0; i < sections.Count(); ++i) {
    ini.ReadSection(sections[i], keys);
    for (int32_t k = 0; k < keys.Count(); ++k)
      (void)ini.ReadInteger(sections[i], keys[k], 0);
  }
  if (sections.Count() > 0) {
    ini.WriteString(sections[0], "Fuzz", "1");
    ini.DeleteKey(sections[sections.Count() - 1], "Fuzz");
  }

  const std::string written = ini.Text();
  TStringList reread_lines;
  reread_lines.SetText(written);
  TMemIniFile reread("");
  reread.SetStrings(reread_lines);
  if (reread.Text() != written)
    std::abort();
  return 0;
}
