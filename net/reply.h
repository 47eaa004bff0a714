#pragma once
// Numbered replies of line protocols: a three-digit code and text lines.
// TNsReplyRFC reads and writes the usual form, where every line but the
// last is "code-text" and the last is "code text".

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/collection.h"
#include "platform/rtl/strings.h"

class TNsReply : public TCollectionItem {
 public:
  static constexpr TClass kClass{"TNsReply", &TCollectionItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsReply(TCollection* collection = nullptr);
  ~TNsReply() override;

  const std::string& Code() const { return code_; }
  // An equal code changes nothing. Raises ENsException "Reply Code is not
  // valid: <code>" for a code IsValidCode rejects and "Reply Code already
  // exists: <code>" when another reply of the collection has it; otherwise
  // the reply is reset and takes the code.
  void SetCode(const std::string& code);
  // The trimmed code as a number, 0 when it is none.
  int32_t CodeNumber() const;
  void SetCodeNumber(int32_t code) { SetCode(std::to_string(code)); }
  TStringList& Text() { return *text_; }
  const TStringList& Text() const { return *text_; }

  virtual bool IsValidCode(const std::string&) const { return true; }
  virtual TStrings& FormatReply();
  virtual void ParseReplyLines(const TStrings& lines) = 0;
  virtual void ResetReply();
  virtual bool IsLastLine(const std::string&) const { return false; }
  [[noreturn]] virtual void RaiseReplyError() = 0;
  virtual bool HasReply() const { return !code_.empty(); }
  virtual void AssignReply(int32_t code, const std::string& text);
  virtual void AssignReply(const std::string& code, const std::string& text);

  // The code, then a blank and the first text line when there is one.
  std::string DisplayName() const override;
  void Assign(const TPersistent* source) override;

 protected:
  // Cleared, ready to be filled by FormatReply.
  TStrings& FormattedReplyList();

 private:
  std::string code_;
  std::unique_ptr<TStringList> formatted_reply_;
  std::unique_ptr<TStringList> text_;
};

class TNsReplyRFC : public TNsReply {
 public:
  static constexpr TClass kClass{"TNsReplyRFC", &TNsReply::kClass, &ConstructInstance<TNsReplyRFC>};
  const TClass* ClassType() const override { return &kClass; }

  // A reply can be no longer: a peer that goes on sending continuation lines
  // gets ENsMaxCaptureLineExceeded instead of unbounded memory.
  static constexpr int32_t kMaximumReplyLines = 10000;

  explicit TNsReplyRFC(TCollection* collection = nullptr) : TNsReply(collection) {}

  // 100..999, or blank.
  bool IsValidCode(const std::string& code) const override;
  TStrings& FormatReply() override;
  // The code from the first three characters of the first line, the text
  // from the fifth character of every line on.
  void ParseReplyLines(const TStrings& lines) override;
  // Shorter than 4 characters, or a blank as the 4th.
  bool IsLastLine(const std::string& line) const override;
  // ENsReplyRFCError with the code and the text lines, each ended by CR LF.
  [[noreturn]] void RaiseReplyError() override;
  bool HasReply() const override;
  void Assign(const TPersistent* source) override;
};
