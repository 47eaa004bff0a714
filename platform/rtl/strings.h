#pragma once
// TStrings: the abstract list of text lines, each with one pointer-sized
// slot (an object or a number), with name=value access, delimited text and
// loading and saving with CR LF line breaks. TStringList: the list that
// stores its lines, optionally sorted, with change events.
//
// Lines are UTF-8. Lookups by text and by name ignore letter case unless a
// string list is made case-sensitive.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/persistent.h"
#include "platform/rtl/update_batch.h"

class TStream;

class TStrings : public TPersistent {
 public:
  static constexpr TClass kClass{"TStrings", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The storage a descendant provides.
  virtual int32_t Count() const = 0;
  virtual std::string Get(int32_t index) const = 0;
  virtual void Insert(int32_t index, const std::string& text) = 0;
  virtual void Delete(int32_t index) = 0;
  virtual void Clear() = 0;
  // Replaces a line's text and keeps its slot.
  virtual void Put(int32_t index, const std::string& text);
  virtual uintptr_t GetSlot(int32_t index) const;
  virtual void PutSlot(int32_t index, uintptr_t slot);

  std::string Strings(int32_t index) const { return Get(index); }
  std::string operator[](int32_t index) const { return Get(index); }
  TObject* Objects(int32_t index) const { return reinterpret_cast<TObject*>(GetSlot(index)); }
  void PutObject(int32_t index, TObject* object) { PutSlot(index, reinterpret_cast<uintptr_t>(object)); }
  // The slot as a number, for lists that attach integers to lines.
  intptr_t Data(int32_t index) const { return static_cast<intptr_t>(GetSlot(index)); }
  void PutData(int32_t index, intptr_t value) { PutSlot(index, static_cast<uintptr_t>(value)); }

  // Index of the new line (in a sorted list, where it went).
  virtual int32_t Add(const std::string& text);
  int32_t AddObject(const std::string& text, TObject* object);
  int32_t AddData(const std::string& text, intptr_t value);
  void InsertObject(int32_t index, const std::string& text, TObject* object);
  void AddStrings(const TStrings& source);
  virtual void Move(int32_t current_index, int32_t new_index);
  virtual void Exchange(int32_t index1, int32_t index2);

  // First line equal to `text` (CompareStrings), or -1.
  virtual int32_t IndexOf(std::string_view text) const;
  // First line whose name equals `name` (CompareStrings), or -1.
  virtual int32_t IndexOfName(std::string_view name) const;
  int32_t IndexOfObject(const TObject* object) const;

  // The text before the first separator; empty when the line has none.
  std::string Names(int32_t index) const;
  // The value of the first line named `name`; empty when there is none.
  std::string Values(std::string_view name) const;
  // Replaces the first line named `name` in place, or appends one; an empty
  // value deletes the line.
  void SetValues(std::string_view name, std::string_view value);
  // The text after the first separator; empty when the line has none.
  std::string ValueFromIndex(int32_t index) const;
  void SetValueFromIndex(int32_t index, std::string_view value);

  char NameValueSeparator() const { return name_value_separator_; }
  void SetNameValueSeparator(char separator) { name_value_separator_ = separator; }

  // Every line followed by LineBreak (CR LF).
  std::string Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  virtual void SetText(std::string_view text);
  const std::string& LineBreak() const { return line_break_; }
  void SetLineBreak(std::string line_break) { line_break_ = std::move(line_break); }

  // Lines joined by Delimiter; a line that holds a blank, a control
  // character, the delimiter or the quote is quoted (quotes doubled). With
  // StrictDelimiter only the delimiter and the quote cause quoting, and only
  // the delimiter separates on reading.
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  // DelimitedText with "," and '"'.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  char QuoteChar() const { return quote_char_; }
  void SetQuoteChar(char quote) { quote_char_ = quote; }
  bool StrictDelimiter() const { return strict_delimiter_; }
  void SetStrictDelimiter(bool strict) { strict_delimiter_ = strict; }

  // Batches changes: events fire once, at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int32_t UpdateCount() const { return update_batch_.Count(); }

  // Loading reads the whole stream from its position: a UTF-8 byte order
  // mark is dropped and remembered (Utf8Bom), UTF-16 text with its mark is
  // converted. Saving writes Text, after the mark when Utf8Bom is set.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name) const;
  bool Utf8Bom() const { return utf8_bom_; }
  void SetUtf8Bom(bool bom) { utf8_bom_ = bom; }

  void Assign(const TPersistent* source) override;
  // Same lines in the same order (letter case counts).
  bool Equals(const TStrings& other) const;

  // Negative, 0 or positive; the base ignores letter case (locale-aware).
  virtual int CompareStrings(std::string_view a, std::string_view b) const;

 protected:
  // Called with true when the first BeginUpdate opens a batch and with
  // false when the last EndUpdate closes it.
  virtual void SetUpdateState(bool updating);

 private:
  std::string JoinDelimited(char delimiter, char quote, bool strict) const;
  void SplitDelimited(std::string_view text, char delimiter, char quote, bool strict);

  TUpdateBatch update_batch_{TUpdateBatch::kUpdateAlways};
  char name_value_separator_ = '=';
  char delimiter_ = ',';
  char quote_char_ = '"';
  bool strict_delimiter_ = false;
  bool utf8_bom_ = false;
  std::string line_break_ = "\r\n";
};

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  static constexpr TClass kClass{"TStringList", &TStrings::kClass, &ConstructInstance<TStringList>};
  const TClass* ClassType() const override { return &kClass; }
  // Negative when line i comes before line j.
  using TStringListSortCompare = std::function<int(const TStringList& list, int32_t i, int32_t j)>;

  TStringList() = default;
  explicit TStringList(bool owns_objects) : owns_objects_(owns_objects) {}
  ~TStringList() override;

  int32_t Count() const override { return static_cast<int32_t>(items_.size()); }
  std::string Get(int32_t index) const override { return Line(index); }
  // The line without a copy.
  const std::string& Line(int32_t index) const;
  void Put(int32_t index, const std::string& text) override;
  uintptr_t GetSlot(int32_t index) const override;
  void PutSlot(int32_t index, uintptr_t slot) override;
  void Insert(int32_t index, const std::string& text) override;
  void Delete(int32_t index) override;
  void Clear() override;
  int32_t Add(const std::string& text) override;
  void Move(int32_t current_index, int32_t new_index) override;
  void Exchange(int32_t index1, int32_t index2) override;
  int32_t IndexOf(std::string_view text) const override;

  // Binary search of a sorted list: true when found; `index` is the match
  // (the first of equal lines unless duplicates are accepted) or the place
  // where the text belongs.
  bool Find(std::string_view text, int32_t& index) const;
  virtual void Sort();
  void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return case_sensitive_; }
  void SetCaseSensitive(bool case_sensitive);
  // Frees the objects in the slots when lines are deleted or cleared (not
  // when a slot is overwritten).
  bool OwnsObjects() const { return owns_objects_; }
  void SetOwnsObjects(bool owns) { owns_objects_ = owns; }

  void SetText(std::string_view text) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    std::string text;
    uintptr_t slot = 0;
  };
  void CheckIndex(int32_t index) const;
  void InsertItem(int32_t index, std::string text, uintptr_t slot);
  void ReleaseSlot(uintptr_t slot);

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
  bool case_sensitive_ = false;
  bool owns_objects_ = false;
};
