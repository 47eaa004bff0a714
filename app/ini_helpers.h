#pragma once
// Typed access to the application's INI files. Every routine takes the INI
// object (may be null: then it does nothing and returns its default), an
// error callback for the reset message, and section and key names. A missing
// key is written back with its default; a malformed one is reset to its
// default with a message.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TMemIniFile;
class TStrings;

using TIniErrorCallback = std::function<void(const std::string& message)>;

// The marker that tells a missing key from an empty one.
inline constexpr std::string_view kIniEmptyMarker = "#empty#";

std::string IniReadStr(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                       const std::string& key, const std::string& fallback);
int32_t IniReadInt(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                   const std::string& key, int32_t fallback);
bool IniReadBool(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                 const std::string& key, bool fallback);
void IniWriteStr(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                 const std::string& key, const std::string& value);

// Fills `list` with the section's name=value lines in file order; creates
// the section empty when it does not exist.
void IniReadSectionValues(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                          TStrings& list);
// Replaces the section by the texts under the keys "1", "2", ...; an empty
// list leaves an empty section.
void IniWriteSectionList(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                         const TStrings& texts);

bool IniSectionExists(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section);
bool IniValueExists(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                    const std::string& key);
void IniEraseSection(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section);
void IniDeleteKey(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                  const std::string& key);

// Writes the default over a malformed key and tells the user so.
void ResetIniEntry(TMemIniFile* ini, const TIniErrorCallback& on_error, const std::string& section,
                   const std::string& key, const std::string& fallback);

// "True", "-1" and "1" are true, "False" and "0" false, letter case and
// surrounding blanks ignored; anything else raises EConvertError.
bool StrToBoolean(std::string_view text);
std::string BooleanToStr(bool value);
