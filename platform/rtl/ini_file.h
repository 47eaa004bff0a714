#pragma once
// TMemIniFile: an INI file held in memory. The whole file is read when the
// object is created (a missing file gives an empty one) and written back
// only by UpdateFile. Names are read as the system's profile functions read
// them: blanks around section names, key names and "=" are not part of
// them, and they are compared without regard to letter case. Sections and
// keys keep their file order.
//
// - Writing a key that exists replaces its value in place (the name takes
//   the letter case of the write); a new key goes to the end of its
//   section, a new section to the end of the file.
// - A section without keys still exists and is written back as its header.
// - A header is a line that starts with "[" and has a "]"; the name ends at
//   the last "]", and text after it (a comment) is kept.
// - Comment lines (";" first) are kept where they stand and written back;
//   blank lines are not. Lines without "=" inside a section are kept as
//   they are and count as values without a key.
// - Lines before the first section belong to none: no read sees them, and
//   they are written back where they were.
// - A section that appears more than once stays where each copy stands;
//   reads see the keys of every copy (of repeated keys, the first in the
//   file counts), new keys go to the first copy.
// - Values are kept as they are, quotes, "%" and "#" included; blanks
//   around a value are not part of it (a write drops them, as a read of the
//   file would).
// - The file's encoding (ini_file_encoding.h) is found when it is read and
//   kept when it is written back; in memory all text is UTF-8.
// - UpdateFile never replaces a read-only file, and writes a new file
//   beside the old one that then replaces it in a single step, so that a
//   failure or a crash while writing never leaves a cut-off settings file.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/ini_file_encoding.h"
#include "platform/rtl/object.h"

class TStream;
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
  // Raises EInvalidArgument, changing nothing, for what a file cannot hold
  // so that it reads back the same: a line break in a name or the value, or
  // a key name with "=", a first ";", or one that would make a header.
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
  // Section names in file order, each once.
  void ReadSections(TStrings& sections) const;
  // The section's name=value lines in file order.
  void ReadSectionValues(std::string_view section, TStrings& lines) const;
  // Every copy of the section goes.
  void EraseSection(std::string_view section);
  // The section stays, even when it becomes empty.
  void DeleteKey(std::string_view section, std::string_view ident);

  // Writes the content back to FileName (see above). Raises EFCreateError
  // naming the file when it is read-only or cannot be replaced, or
  // EWriteError, leaving the old file as it was. Nothing happens for an
  // object without a file name.
  void UpdateFile();
  // Points the object at another file; with `reload` its content replaces
  // the one in memory.
  void Rename(std::string file_name, bool reload);

  // The bytes of an INI file from the stream's position, read as the file
  // would be, and the bytes UpdateFile would write.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);

  void Clear();
  // The content as the lines of an INI file, and back.
  void GetStrings(TStrings& lines) const;
  void SetStrings(const TStrings& lines);
  // The content as UTF-8 text, before it is encoded for the file.
  std::string Text() const;

  // The encoding the file was read in and will be written in; a new file is
  // UTF-8 without a mark. UpdateFile changes it where the rules of
  // ini_file_encoding.h call for UTF-8 with a mark.
  TIniEncoding Encoding() const { return encoding_; }
  void SetEncoding(TIniEncoding encoding) { encoding_ = encoding; }

 private:
  enum class LineKind : uint8_t { kKey, kRaw, kComment };
  struct Line {
    LineKind kind;
    std::string name;   // the key (kKey)
    std::string value;  // the value (kKey) or the whole line
  };
  using LineIterator = std::list<Line>::iterator;
  struct Section {
    std::string name;
    std::string header_tail;  // text after the "]" of the header line
    std::list<Line> lines;
    // Folded key -> its first line in this copy.
    std::unordered_map<std::string, LineIterator> keys;
  };
  using SectionIterator = std::list<Section>::iterator;
  // Where a key stands: the copy of its section and the line.
  struct KeyPlace {
    Section* section;
    LineIterator line;
  };

  static std::string Fold(std::string_view name);
  // Every copy of a section in file order; null when there is none.
  const std::vector<SectionIterator>* FindCopies(std::string_view name) const;
  // The first copy, made at the end of the file when there is none.
  Section& FindOrAddSection(std::string_view name);
  Section& AddSectionCopy(std::string_view name, std::string_view header_tail);
  // The key's first line in the file.
  bool FindKey(std::string_view section, std::string_view ident, KeyPlace& place) const;
  const Line* FindKeyLine(std::string_view section, std::string_view ident) const;
  static void AddLine(Section& section, Line line);
  void LoadFromFile();
  void ParseText(std::string_view text);
  // One line of the file; `current` is the section it falls in.
  void ParseLine(std::string_view line, Section*& current);

  std::string file_name_;
  std::vector<std::string> leading_lines_;
  std::list<Section> sections_;
  std::unordered_map<std::string, std::vector<SectionIterator>> section_index_;
  TIniEncoding encoding_ = TIniEncoding::kUtf8;
};
