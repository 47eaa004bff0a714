#pragma once
// The classic edit mask ("!000-0000;1;_") compiled into a row of positions:
// which character may stand where, how a text lies over the mask, and
// whether a text fills it. No caret and no window: strings only, in UTF-16
// units, one unit per position.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TlxStandardMaskCustomItem {
 public:
  virtual ~TlxStandardMaskCustomItem();
  // May change the character (case control of editable positions).
  virtual bool Check(char16_t& c) const = 0;
  virtual bool IsEditable() const { return false; }
  virtual bool IsOptional() const { return false; }
};

class TlxStandardMaskLiteralItem final : public TlxStandardMaskCustomItem {
 public:
  explicit TlxStandardMaskLiteralItem(char16_t literal) : literal_(literal) {}
  bool Check(char16_t& c) const override { return c == literal_; }
  char16_t Literal() const { return literal_; }

 private:
  char16_t literal_;
};

enum TlxStandardMaskCaseControl : uint8_t { lxMaskUpperCase = 0, lxMaskLowerCase = 1, lxMaskKeepCase = 2 };

class TlxStandardMaskManyItem : public TlxStandardMaskCustomItem {
 public:
  TlxStandardMaskManyItem(TlxStandardMaskCaseControl case_control, bool optional)
      : case_control_(case_control), optional_(optional) {}
  // Decides on the character as given, then converts its case either way.
  bool Check(char16_t& c) const final;
  bool IsEditable() const override { return true; }
  bool IsOptional() const override { return optional_; }
  TlxStandardMaskCaseControl CaseControl() const { return case_control_; }

 protected:
  virtual bool Accepts(char16_t c) const = 0;

 private:
  TlxStandardMaskCaseControl case_control_;
  bool optional_;
};

class TlxStandardMaskAlphaItem final : public TlxStandardMaskManyItem {
 public:
  using TlxStandardMaskManyItem::TlxStandardMaskManyItem;

 protected:
  bool Accepts(char16_t c) const override;
};

class TlxStandardMaskAlphaNumericItem final : public TlxStandardMaskManyItem {
 public:
  using TlxStandardMaskManyItem::TlxStandardMaskManyItem;

 protected:
  bool Accepts(char16_t c) const override;
};

class TlxStandardMaskASCIIItem final : public TlxStandardMaskManyItem {
 public:
  using TlxStandardMaskManyItem::TlxStandardMaskManyItem;

 protected:
  bool Accepts(char16_t) const override { return true; }
};

class TlxStandardMaskNumericItem final : public TlxStandardMaskManyItem {
 public:
  using TlxStandardMaskManyItem::TlxStandardMaskManyItem;

 protected:
  bool Accepts(char16_t c) const override { return c >= u'0' && c <= u'9'; }
};

// Always optional.
class TlxStandardMaskNumericSymbolItem final : public TlxStandardMaskManyItem {
 public:
  explicit TlxStandardMaskNumericSymbolItem(TlxStandardMaskCaseControl case_control)
      : TlxStandardMaskManyItem(case_control, true) {}

 protected:
  bool Accepts(char16_t c) const override { return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-'; }
};

class TlxStandardMask {
 public:
  TlxStandardMask() = default;
  TlxStandardMask(const TlxStandardMask&) = delete;
  TlxStandardMask& operator=(const TlxStandardMask&) = delete;

  void Compile(std::string_view mask);
  void Clear();

  int32_t GetCount() const { return static_cast<int32_t>(items_.size()); }
  const TlxStandardMaskCustomItem& GetItem(int32_t index) const { return *items_.at(static_cast<size_t>(index)); }
  char16_t Blank() const { return blank_; }
  bool Leading() const { return leading_; }
  bool SaveLiterals() const { return save_literals_; }
  const std::string& Mask() const { return mask_; }

  // The text of blanks and literals, made once per compile: every
  // formatting starts from it.
  const std::u16string& GetEmptyText() const { return empty_text_; }
  std::u16string GetEmptyValueText() const;
  void Format(std::u16string& text, bool use_converted_case, bool text_holds_literals) const;
  void GetValueText(std::u16string& text) const;
  bool IsFullMatch(std::u16string& text) const;

 private:
  void CompileItems(std::string_view mask);
  // Tries to place `c` from `position` on, moving `position` past the
  // place taken; false when no position takes it.
  bool Place(std::u16string& result, char16_t c, int64_t& position, int64_t step, bool skip_literals,
             bool use_converted_case) const;

  char16_t blank_ = u'_';
  std::vector<std::unique_ptr<TlxStandardMaskCustomItem>> items_;
  bool leading_ = false;
  bool save_literals_ = true;
  std::string mask_;
  std::u16string empty_text_;
};
