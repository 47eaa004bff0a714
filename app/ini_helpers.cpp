#include "app/ini_helpers.h"

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

// An INI section only exists once it has a key; writing and deleting a
// placeholder leaves the empty section in place.
void CreateEmptySection(TMemIniFile& ini, const std::string& section) {
  ini.WriteString(section, "#", "#");
  ini.DeleteKey(section, "#");
}

}  // namespace

std::string IniReadStr(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                       const std::string& key, const std::string& fallback) {
  if (!ini || section.empty() || key.empty())
    return fallback;
  const std::string value = ini->ReadString(section, key, std::string(kIniEmptyMarker));
  if (value != kIniEmptyMarker)
    return value;
  ini->WriteString(section, key, fallback);
  return fallback;
}

int32_t IniReadInt(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                   const std::string& key, int32_t fallback) {
  if (!ini)
    return fallback;
  const std::string fallback_text = std::to_string(fallback);
  try {
    return StrToInt(IniReadStr(ini, on_error, section, key, fallback_text));
  } catch (const Exception&) {
    ResetIniEntry(ini, on_error, section, key, fallback_text);
    return fallback;
  }
}

bool IniReadBool(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                 const std::string& key, bool fallback) {
  if (!ini)
    return fallback;
  const std::string fallback_text = BooleanToStr(fallback);
  try {
    return StrToBoolean(IniReadStr(ini, on_error, section, key, fallback_text));
  } catch (const Exception&) {
    ResetIniEntry(ini, on_error, section, key, fallback_text);
    return fallback;
  }
}

void IniWriteStr(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                 const std::string& key, const std::string& value) {
  if (ini)
    ini->WriteString(section, key, value);
}

void IniReadSectionValues(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                          TStrings& list) {
  if (!ini)
    return;
  list.Clear();
  if (!ini->SectionExists(section))
    CreateEmptySection(*ini, section);
  ini->ReadSectionValues(section, list);
}

void IniWriteSectionList(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                         const TStrings& texts) {
  if (!ini)
    return;
  if (ini->SectionExists(section))
    ini->EraseSection(section);
  for (int32_t i = 0; i < texts.Count(); ++i)
    ini->WriteString(section, std::to_string(i + 1), texts.Get(i));
  if (!ini->SectionExists(section))
    CreateEmptySection(*ini, section);
}

bool IniSectionExists(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section) {
  return ini && ini->SectionExists(section);
}

bool IniValueExists(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                    const std::string& key) {
  return ini && ini->ValueExists(section, key);
}

void IniEraseSection(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section) {
  if (ini)
    ini->EraseSection(section);
}

void IniDeleteKey(TMemIniFile* ini, const TIniErrorCallback&, const std::string& section,
                  const std::string& key) {
  if (ini)
    ini->DeleteKey(section, key);
}

void ResetIniEntry(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                   const std::string& key, const std::string& fallback) {
  if (ini)
    ini->WriteString(section, key, fallback);
  if (on_error) {
    on_error("Beim Lesen des Ini-Eintrag [" + section + "]" + key +
             " trat ein Fehler aus. Der Eintrag wird auf den Standardwert zurückgesetzt. Dieser Fehler "
             "wird beim nächsten Programmstart behoben.");
  }
}

bool StrToBoolean(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (SameText(trimmed, "True") || trimmed == "-1" || trimmed == "1")
    return true;
  if (SameText(trimmed, "False") || trimmed == "0")
    return false;
  throw EConvertError("Ungütiger BooleanWert");
}

std::string BooleanToStr(bool value) { return value ? "True" : "False"; }
