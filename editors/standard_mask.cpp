#include "editors/standard_mask.h"

#include <algorithm>
#include <type_traits>

#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool IsSaveLiteralsFlag(char16_t c) { return c == u'0' || c == u'1'; }

}  // namespace

TlxStandardMaskCustomItem::~TlxStandardMaskCustomItem() = default;

bool TlxStandardMaskManyItem::Check(char16_t& c) const {
  const bool accepted = Accepts(c);
  if (case_control_ == lxMaskUpperCase && c >= u'a' && c <= u'z')
    c = static_cast<char16_t>(c - 32);
  else if (case_control_ == lxMaskLowerCase && c >= u'A' && c <= u'Z')
    c = static_cast<char16_t>(c + 32);
  return accepted;
}

bool TlxStandardMaskAlphaItem::Accepts(char16_t c) const { return IsAsciiLetter(c); }

bool TlxStandardMaskAlphaNumericItem::Accepts(char16_t c) const {
  return IsAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

void TlxStandardMask::Clear() {
  mask_.clear();
  leading_ = false;
  save_literals_ = true;
  blank_ = u'_';
  items_.clear();
  empty_text_.clear();
}

void TlxStandardMask::Compile(std::string_view mask) {
  Clear();
  CompileItems(mask);
  for (const auto& item : items_)
    empty_text_ += item->IsEditable() ? blank_ : static_cast<const TlxStandardMaskLiteralItem&>(*item).Literal();
}

void TlxStandardMask::CompileItems(std::string_view mask) {
  mask_ = std::string(mask);
  std::u16string text = Utf8ToUtf16(mask);
  size_t i = 0;
  if (!text.empty() && text[0] == u'!') {
    leading_ = true;
    i = 1;
  }
  const TFormatSettings& settings = UserLocale().Settings();
  TlxStandardMaskCaseControl case_control = lxMaskKeepCase;
  auto literal = [this](char16_t c) { items_.push_back(std::make_unique<TlxStandardMaskLiteralItem>(c)); };
  auto many = [&](auto* tag, bool optional) {
    using Item = std::remove_pointer_t<decltype(tag)>;
    items_.push_back(std::make_unique<Item>(case_control, optional));
  };
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    const size_t after = text.size() - i - 1;
    switch (c) {
      case u'0': many(static_cast<TlxStandardMaskNumericItem*>(nullptr), false); break;
      case u'9': many(static_cast<TlxStandardMaskNumericItem*>(nullptr), true); break;
      case u'#': items_.push_back(std::make_unique<TlxStandardMaskNumericSymbolItem>(case_control)); break;
      case u'L': many(static_cast<TlxStandardMaskAlphaItem*>(nullptr), false); break;
      case u'l': many(static_cast<TlxStandardMaskAlphaItem*>(nullptr), true); break;
      case u'A': many(static_cast<TlxStandardMaskAlphaNumericItem*>(nullptr), false); break;
      case u'a': many(static_cast<TlxStandardMaskAlphaNumericItem*>(nullptr), true); break;
      case u'C': many(static_cast<TlxStandardMaskASCIIItem*>(nullptr), false); break;
      case u'c': many(static_cast<TlxStandardMaskASCIIItem*>(nullptr), true); break;
      case u':': literal(static_cast<unsigned char>(settings.TimeSeparator)); break;
      case u'/': literal(static_cast<unsigned char>(settings.DateSeparator)); break;
      case u'\\':
        if (after > 0)
          literal(text[++i]);
        break;
      case u'>': case_control = lxMaskUpperCase; break;
      case u'<':
        if (after > 0 && text[i + 1] == u'>') {
          case_control = lxMaskKeepCase;
          ++i;
        } else {
          case_control = lxMaskLowerCase;
        }
        break;
      case u';':
        if (after == 1 && IsSaveLiteralsFlag(text[i + 1])) {
          save_literals_ = text[i + 1] == u'1';
          return;
        }
        if (after == 3 && IsSaveLiteralsFlag(text[i + 1]) && text[i + 2] == u';') {
          save_literals_ = text[i + 1] == u'1';
          blank_ = text[i + 3];
          return;
        }
        literal(c);
        break;
      default:
        literal(c);
        break;
    }
  }
}

std::u16string TlxStandardMask::GetEmptyValueText() const {
  std::u16string text;
  for (const auto& item : items_) {
    if (item->IsEditable())
      text += u' ';
    else if (save_literals_)
      text += static_cast<const TlxStandardMaskLiteralItem&>(*item).Literal();
  }
  return text;
}

bool TlxStandardMask::Place(std::u16string& result, char16_t c, int64_t& position, int64_t step,
                            bool skip_literals, bool use_converted_case) const {
  const int64_t count = GetCount();
  for (int64_t p = position; p >= 0 && p < count; p += step) {
    const TlxStandardMaskCustomItem& item = *items_[static_cast<size_t>(p)];
    if (skip_literals && !item.IsEditable())
      continue;
    char16_t converted = c;
    if (item.Check(converted)) {
      result[static_cast<size_t>(p)] = use_converted_case ? converted : c;
      position = p + step;
      return true;
    }
    if (item.IsEditable() && (c == blank_ || c == u' ')) {
      position = p + step;
      return true;
    }
  }
  return false;
}

void TlxStandardMask::Format(std::u16string& text, bool use_converted_case, bool text_holds_literals) const {
  std::u16string result = GetEmptyText();
  const bool skip_literals = !save_literals_ && !text_holds_literals;
  const int64_t step = leading_ ? -1 : 1;
  int64_t position = leading_ ? GetCount() - 1 : 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = leading_ ? text[text.size() - 1 - i] : text[i];
    // A character no remaining position takes is dropped.
    Place(result, c, position, step, skip_literals, use_converted_case);
  }
  text = std::move(result);
}

void TlxStandardMask::GetValueText(std::u16string& text) const {
  std::u16string value;
  const size_t reach = std::min(text.size(), items_.size());
  for (size_t i = 0; i < reach; ++i) {
    if (items_[i]->IsEditable())
      value += text[i] == blank_ ? u' ' : text[i];
    else if (save_literals_)
      value += text[i];
  }
  text = std::move(value);
}

bool TlxStandardMask::IsFullMatch(std::u16string& text) const {
  if (text.size() != items_.size())
    return false;
  for (size_t i = 0; i < items_.size(); ++i) {
    const TlxStandardMaskCustomItem& item = *items_[i];
    const char16_t given = text[i];
    const bool accepted = item.Check(text[i]);
    if (!accepted && !(item.IsEditable() && item.IsOptional() && (given == blank_ || given == u' ')))
      return false;
  }
  return true;
}
