#include "platform/db/db_types.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kFieldTypeCount> kFieldTypeNames = {
    "ftUnknown",  "ftString",     "ftSmallint",    "ftInteger",   "ftWord",       "ftBoolean",  "ftFloat",
    "ftCurrency", "ftBCD",        "ftDate",        "ftTime",      "ftDateTime",   "ftBytes",    "ftVarBytes",
    "ftAutoInc",  "ftBlob",       "ftMemo",        "ftGraphic",   "ftFmtMemo",    "ftParadoxOle", "ftDBaseOle",
    "ftTypedBinary", "ftCursor",  "ftFixedChar",   "ftWideString", "ftLargeint",  "ftADT",      "ftArray",
    "ftReference", "ftDataSet",   "ftOraBlob",     "ftOraClob",   "ftVariant",    "ftInterface", "ftIDispatch",
    "ftGuid",     "ftTimeStamp",  "ftFMTBcd",
};

}  // namespace

std::string_view FieldTypeName(TFieldType type) {
  const auto index = static_cast<size_t>(type);
  return index < kFieldTypeNames.size() ? kFieldTypeNames[index] : kFieldTypeNames[0];
}

bool IsBlobFieldType(TFieldType type) {
  switch (type) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
    case ftOraClob:
      return true;
    default:
      return false;
  }
}
