#include "editors/kinds/blob_edit_rules.h"

#include "data/variant_utils.h"
#include "editors/edit_strings.h"

TlxBlobEditKind lxBlobKindOfSuggestion(int32_t suggested_kind) {
  switch (suggested_kind) {
    case 2:
      return bekPict;
    case 3:
      return bekMemo;
    case 4:
      return bekOle;
    default:
      return bekBlob;
  }
}

std::string lxBlobFirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

std::string lxBlobDisplayText(TlxBlobEditKind kind, TlxBlobPaintStyle style, const Variant& value, bool full_text) {
  if (full_text && kind == bekMemo && VarIsStr(value))
    return value.AsString();
  const bool blank = value.IsNull() || value.IsEmpty();
  if (style == bpsDefault) {
    if (kind == bekMemo)
      return lxEditResString(blank ? lxSBlobMemoEmpty : lxSBlobMemo);
    if (kind == bekPict)
      return lxEditResString(blank ? lxSBlobPictureEmpty : lxSBlobPicture);
    return std::string();
  }
  if (style == bpsText && kind == bekMemo && VarIsStr(value))
    return lxBlobFirstLine(value.AsString());
  return std::string();
}

std::string lxBlobFormatDisplayText(TlxBlobEditKind kind, TlxBlobPaintStyle style, const Variant& value,
                                    bool full_text) {
  if (value.IsNull())
    return std::string();
  switch (kind) {
    case bekMemo:
      return lxBlobDisplayText(kind, style, value, full_text);
    case bekPict:
      return lxEditResString(lxSBlobPicture);
    case bekOle:
      return "OLE";
    default:
      return "BLOB";
  }
}

int32_t lxBlobImageIndex(TlxBlobEditKind kind, const Variant& value) {
  int32_t index = 0;
  switch (kind) {
    case bekMemo:
      index = 2;
      break;
    case bekPict:
      index = 4;
      break;
    case bekOle:
      index = 6;
      break;
    default:
      index = 0;
      break;
  }
  return lxVariantIsBlank(value) ? index : index + 1;
}
