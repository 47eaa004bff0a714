#pragma once
// The small vocabulary of the dataset family: field types and kinds, dataset
// states, data events, locate and filter options, bookmarks. The numeric
// values of TFieldType and TDataEvent are part of the interface: registries
// key editors by field type, and data links test event codes by number.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/db/alignment.h"

enum TFieldType : uint8_t {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd,
};
inline constexpr int kFieldTypeCount = ftFMTBcd + 1;

// "ftString" for ftString; "ftUnknown" for values past the last type.
std::string_view FieldTypeName(TFieldType type);
// Types whose values are byte or character runs of any length.
bool IsBlobFieldType(TFieldType type);

enum TFieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum TDataSetState : uint8_t {
  dsInactive,
  dsBrowse,
  dsEdit,
  dsInsert,
  dsSetKey,
  dsCalcFields,
  dsFilter,
  dsNewValue,
  dsOldValue,
  dsCurValue,
  dsBlockRead,
  dsInternalCalc,
  dsOpening,
};

// States in which the active record is a working copy that Post stores.
constexpr bool IsEditState(TDataSetState state) {
  return state == dsEdit || state == dsInsert || state == dsSetKey;
}

enum TDataEvent : uint8_t {
  deFieldChange = 0,
  deRecordChange = 1,
  deDataSetChange = 2,
  deDataSetScroll = 3,
  deLayoutChange = 4,
  deUpdateRecord = 5,
  deUpdateState = 6,
  deCheckBrowseMode = 7,
  dePropertyChange = 8,
  deFieldListChange = 9,
  deFocusControl = 10,
  deParentScroll = 11,
  deConnectChange = 12,
  deReconcileError = 13,
  deDisabledStateChange = 14,
};

class TField;

// What comes with a data event, typed by what it concerns. A handler reads
// only the member its event fills.
struct TDataEventInfo {
  // deFieldChange: the field written; deRecordChange: the field whose
  // value the record took, or null for the whole record.
  TField* field = nullptr;
  // deFocusControl: the field a control is to take the focus for; the
  // link that focuses a control sets it to null, so that only one does.
  TField** focus_field = nullptr;
  // deDataSetScroll: how many records the cursor moved.
  int32_t scroll_distance = 0;

  static TDataEventInfo Field(TField* changed) { return {changed, nullptr, 0}; }
  static TDataEventInfo FocusField(TField** field) { return {nullptr, field, 0}; }
  static TDataEventInfo Scroll(int32_t distance) { return {nullptr, nullptr, distance}; }
};

// A small set of enumeration values held as bits.
template <class Enum>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<Enum> values) {
    for (Enum value : values)
      bits_ |= Bit(value);
  }
  constexpr bool Contains(Enum value) const { return (bits_ & Bit(value)) != 0; }
  constexpr void Include(Enum value) { bits_ |= Bit(value); }
  constexpr void Exclude(Enum value) { bits_ &= ~Bit(value); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr uint32_t Bit(Enum value) { return uint32_t{1} << static_cast<uint32_t>(value); }
  uint32_t bits_ = 0;
};

enum TLocateOption : uint8_t { loCaseInsensitive, loPartialKey };
using TLocateOptions = TEnumSet<TLocateOption>;

enum TFilterOption : uint8_t { foCaseInsensitive, foNoPartialCompare };
using TFilterOptions = TEnumSet<TFilterOption>;

// A record's identity within one dataset, as an opaque byte string; empty
// means "no bookmark". Bookmarks stay valid across inserts and deletes of
// other records and are refused by any other dataset.
using TBookmark = std::string;
using TBookmarkStr = std::string;
