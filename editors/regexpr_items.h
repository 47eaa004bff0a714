#pragma once
// What one position of an input-mask regular expression accepts: character
// items test one typed UTF-16 unit, quantifiers say whether the position may
// be skipped or repeated.

#include <memory>
#include <string>
#include <vector>

// The locale's upper case of one unit (ASCII without asking the locale).
char16_t lxRegExprUpperCase(char16_t c);

class TlxRegExprItem {
 public:
  virtual ~TlxRegExprItem();
  // A symbol may replace `c` by its own spelling when case is folded.
  virtual bool Check(char16_t& c, bool case_insensitive) const = 0;
  virtual std::unique_ptr<TlxRegExprItem> Clone() const = 0;
  // The one character this item can ever accept (literals and separators),
  // for auto-completion; false for every class of characters.
  virtual bool GetForcedSymbol(char16_t& c) const;
};

class TlxRegExprSymbol final : public TlxRegExprItem {
 public:
  explicit TlxRegExprSymbol(char16_t symbol) : symbol_(symbol) {}
  bool Check(char16_t& c, bool case_insensitive) const override;
  std::unique_ptr<TlxRegExprItem> Clone() const override;
  bool GetForcedSymbol(char16_t& c) const override;
  char16_t Symbol() const { return symbol_; }

 private:
  char16_t symbol_;
};

// The separators are read at each test, so a regional change between
// keystrokes takes effect at once.
class TlxRegExprTimeSeparator final : public TlxRegExprItem {
 public:
  bool Check(char16_t& c, bool case_insensitive) const override;
  std::unique_ptr<TlxRegExprItem> Clone() const override;
  bool GetForcedSymbol(char16_t& c) const override;
};

class TlxRegExprDateSeparator final : public TlxRegExprItem {
 public:
  bool Check(char16_t& c, bool case_insensitive) const override;
  std::unique_ptr<TlxRegExprItem> Clone() const override;
  bool GetForcedSymbol(char16_t& c) const override;
};

class TlxRegExprSubrange final : public TlxRegExprItem {
 public:
  TlxRegExprSubrange(char16_t start, char16_t finish) : start_(start), finish_(finish) {}
  bool Check(char16_t& c, bool case_insensitive) const override;
  std::unique_ptr<TlxRegExprItem> Clone() const override;

 private:
  char16_t start_;
  char16_t finish_;
};

class TlxRegExprEnumeration : public TlxRegExprItem {
 public:
  explicit TlxRegExprEnumeration(bool inverse) : inverse_(inverse) {}
  bool Check(char16_t& c, bool case_insensitive) const final;
  bool Inverse() const { return inverse_; }

 protected:
  virtual bool Accepts(char16_t& c, bool case_insensitive) const = 0;

 private:
  bool inverse_;
};

class TlxRegExprUserEnumeration final : public TlxRegExprEnumeration {
 public:
  using TlxRegExprEnumeration::TlxRegExprEnumeration;
  void Add(std::unique_ptr<TlxRegExprItem> item) { items_.push_back(std::move(item)); }
  size_t Count() const { return items_.size(); }
  std::unique_ptr<TlxRegExprItem> Clone() const override;

 protected:
  bool Accepts(char16_t& c, bool case_insensitive) const override;

 private:
  std::vector<std::unique_ptr<TlxRegExprItem>> items_;
};

class TlxRegExprDigit final : public TlxRegExprEnumeration {
 public:
  using TlxRegExprEnumeration::TlxRegExprEnumeration;
  std::unique_ptr<TlxRegExprItem> Clone() const override;

 protected:
  bool Accepts(char16_t& c, bool case_insensitive) const override;
};

class TlxRegExprIdLetter final : public TlxRegExprEnumeration {
 public:
  using TlxRegExprEnumeration::TlxRegExprEnumeration;
  std::unique_ptr<TlxRegExprItem> Clone() const override;

 protected:
  bool Accepts(char16_t& c, bool case_insensitive) const override;
};

class TlxRegExprSpace final : public TlxRegExprEnumeration {
 public:
  using TlxRegExprEnumeration::TlxRegExprEnumeration;
  std::unique_ptr<TlxRegExprItem> Clone() const override;

 protected:
  bool Accepts(char16_t& c, bool case_insensitive) const override;
};

class TlxRegExprAll final : public TlxRegExprItem {
 public:
  bool Check(char16_t& c, bool case_insensitive) const override;
  std::unique_ptr<TlxRegExprItem> Clone() const override;
};

class TlxRegExprQuantifier {
 public:
  virtual ~TlxRegExprQuantifier();
  virtual bool CanMissing() const = 0;
  virtual bool CanRepeat() const = 0;
  virtual std::unique_ptr<TlxRegExprQuantifier> Clone() const = 0;
  virtual std::string Print() const = 0;
};

// No quantifier written: exactly once.
class TlxRegExprSimpleQuantifier final : public TlxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TlxRegExprQuantifier> Clone() const override;
  std::string Print() const override { return ""; }
};

class TlxRegExprQuestionQuantifier final : public TlxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return false; }
  std::unique_ptr<TlxRegExprQuantifier> Clone() const override;
  std::string Print() const override { return "?"; }
};

class TlxRegExprStarQuantifier final : public TlxRegExprQuantifier {
 public:
  bool CanMissing() const override { return true; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TlxRegExprQuantifier> Clone() const override;
  std::string Print() const override { return "*"; }
};

class TlxRegExprPlusQuantifier final : public TlxRegExprQuantifier {
 public:
  bool CanMissing() const override { return false; }
  bool CanRepeat() const override { return true; }
  std::unique_ptr<TlxRegExprQuantifier> Clone() const override;
  std::string Print() const override { return "+"; }
};
