#pragma once
// TMemIniFile: an INI file held in memory. The whole file is read when the
// object is created (a missing file gives an empty one) and written back
// only by UpdateFile. Section and key names are compared without regard to
// letter case; sections and keys keep their file order.
//
// - Writing a key that exists replaces its value in place (the name takes
//   the letter case of the write); a new key goes to the end of its
//   section, a new section to the end of the file.
// - A section without keys still exists and is written back as its header.
// - Comment lines (";" first) are kept where they stand and written back;
//   blank lines are not. Lines without "=" inside a section are kept as
//   they are and count as values without a key.
// - A repeated section header adds its lines to the first section of that
//   name; of repeated keys, the first one counts.
// - Text is UTF-8; a file that starts with a UTF-8 byte order mark is
//   written back with it.
// - UpdateFile writes a new file beside the old one and replaces the old
//   one in a single step, so that a failure or a crash while writing never
//   leaves a cut-off settings file.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/object.h"

class TStrings;

class TMemIniFile : public TObject {
 public:
  static constexpr TClass kClass{"TMemIniFile", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Reads the file when it exists; raises EFOpenError when it exists but
  // cannot be read.
  explicit TMemIniFile(std::string file_name);
  ~TMemIniFile() override;

  const std::string& FileName() const { return file_name_; }

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view default_value) const;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  // Decimal, or hexadecimal after "$" or "0x"; the default for anything else.
  int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t default_value) const;
  void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
  // A number: 0 is false, any other true. Written as "1" and "0".
  bool ReadBool(std::string_view section, std::string_view ident, bool default_value) const;
  void WriteBool(std::string_view section, std::string_view ident, bool value);

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;
  // Key names of the section in file order (the list is cleared first).
  void ReadSection(std::string_view section, TStrings& keys) const;
  // Section names in file order.
  void ReadSections(TStrings& sections) const;
  // The section's name=value lines in file order.
  void ReadSectionValues(std::string_view section, TStrings& lines) const;
  void EraseSection(std::string_view section);
  // The section stays, even when it becomes empty.
  void DeleteKey(std::string_view section, std::string_view ident);

  // Writes the content back to FileName (see above). Raises EFCreateError
  // or EWriteError, leaving the old file as it was. Nothing happens for an
  // object without a file name.
  void UpdateFile();
  // Points the object at another file; with `reload` its content replaces
  // the one in memory.
  void Rename(std::string file_name, bool reload);

  void Clear();
  // The content as the lines of an INI file, and back.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);
  // The text UpdateFile writes, without the byte order mark.
  std::string Text() const;

  bool Utf8Bom() const { return utf8_bom_; }
  void SetUtf8Bom(bool bom) { utf8_bom_ = bom; }

 private:
  enum class LineKind : uint8_t { kKey, kRaw, kComment };
  struct Line {
    LineKind kind;
    std::string name;   // the key (kKey)
    std::string value;  // the value (kKey) or the whole line
  };
  struct Section {
    std::string name;
    std::list<Line> lines;
    // Folded key -> its first line.
    std::unordered_map<std::string, std::list<Line>::iterator> keys;
  };

  static std::string Fold(std::string_view name);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  Section& AddSection(std::string_view name);
  const Line* FindKey(std::string_view section, std::string_view ident) const;
  void AddLine(Section& section, Line line);
  void LoadFromFile();
  void ParseLines(const TStrings& lines);

  std::string file_name_;
  std::vector<std::string> leading_comments_;
  std::list<Section> sections_;
  std::unordered_map<std::string, std::list<Section>::iterator> section_index_;
  bool utf8_bom_ = false;
};
