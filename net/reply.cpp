#include "net/reply.h"

#include "net/exceptions.h"
#include "net/text_routines.h"

TNsReply::TNsReply(TCollection* collection)
    : TCollectionItem(collection),
      formatted_reply_(std::make_unique<TStringList>()),
      text_(std::make_unique<TStringList>()) {}

TNsReply::~TNsReply() = default;

void TNsReply::SetCode(const std::string& code) {
  if (code == code_)
    return;
  if (!IsValidCode(code))
    throw ENsException(FormatEnglish("Reply Code is not valid: %s", {code}));
  if (TCollection* collection = Collection()) {
    for (int32_t i = 0; i < collection->Count(); ++i) {
      const auto* other = dynamic_cast<const TNsReply*>(collection->Items(i));
      if (other != nullptr && other != this && other->code_ == code)
        throw ENsException(FormatEnglish("Reply Code already exists: %s", {code}));
    }
  }
  ResetReply();
  code_ = code;
}

int32_t TNsReply::CodeNumber() const { return StrToIntTrimmed(code_, 0); }

TStrings& TNsReply::FormattedReplyList() {
  formatted_reply_->Clear();
  return *formatted_reply_;
}

TStrings& TNsReply::FormatReply() { return FormattedReplyList(); }

void TNsReply::ResetReply() {
  text_->Clear();
  code_.clear();
}

void TNsReply::AssignReply(int32_t code, const std::string& text) { AssignReply(std::to_string(code), text); }

void TNsReply::AssignReply(const std::string& code, const std::string& text) {
  SetCode(code);
  text_->SetText(text);
}

std::string TNsReply::DisplayName() const {
  if (text_->Count() > 0)
    return code_ + " " + text_->Get(0);
  return code_;
}

void TNsReply::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TNsReply*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  SetCode(other->code_);
  text_->Assign(other->text_.get());
}

bool TNsReplyRFC::IsValidCode(const std::string& code) const {
  if (TrimBlanks(code).empty())
    return true;
  int32_t number = 0;
  return TryStrToInt(TrimBlanks(code), number) && number >= 100 && number <= 999;
}

TStrings& TNsReplyRFC::FormatReply() {
  TStrings& lines = FormattedReplyList();
  const TStringList& text = Text();
  if (CodeNumber() < 1) {
    lines.AddStrings(text);
    return lines;
  }
  if (text.Count() == 0) {
    lines.Add(Code());
    return lines;
  }
  for (int32_t i = 0; i < text.Count(); ++i) {
    const char separator = i + 1 < text.Count() ? '-' : ' ';
    lines.Add(Code() + separator + text.Line(i));
  }
  return lines;
}

void TNsReplyRFC::ParseReplyLines(const TStrings& lines) {
  ResetReply();
  if (lines.Count() == 0)
    return;
  const std::string first = lines.Get(0);
  SetCode(std::string(TrimBlanks(std::string_view(first).substr(0, 3))));
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const std::string line = lines.Get(i);
    Text().Add(line.size() > 4 ? line.substr(4) : std::string());
  }
}

bool TNsReplyRFC::IsLastLine(const std::string& line) const { return line.size() < 4 || line[3] == ' '; }

void TNsReplyRFC::RaiseReplyError() { throw ENsReplyRFCError(CodeNumber(), Text().Text()); }

bool TNsReplyRFC::HasReply() const { return CodeNumber() >= 1 || Text().Count() > 0; }

void TNsReplyRFC::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TNsReplyRFC*>(source);
  if (other == nullptr) {
    TNsReply::Assign(source);
    return;
  }
  if (other->CodeNumber() >= 1)
    SetCodeNumber(other->CodeNumber());
  else
    SetCode("");
  Text().Assign(&other->Text());
}
