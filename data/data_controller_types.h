#pragma once
// The vocabulary shared by the data controller's parts: sort orders, change
// kinds, options, the no-record sentinel, row infos and the exception.

#include <cstdint>
#include <memory>
#include <string>

#include "data/data_controller_texts.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

enum TlxDataSortOrder : uint8_t { soNone = 0, soAscending = 1, soDescending = 2 };

enum TlxDataChangeKind : uint8_t { dckValue = 0, dckRecord = 1, dckAdded = 2, dckDeleted = 3, dckAll = 4 };

enum TlxDataControllerOption : uint16_t {
  dcoAnsiSort = 1,
  dcoCaseInsensitive = 2,
  dcoAssignGroupingValues = 4,
  dcoAssignMasterDetailKeys = 8,
  dcoSaveExpanding = 16,
  dcoSortByDisplayText = 32,
  dcoFocusTopRowAfterSorting = 64,
  dcoGroupsAlwaysExpanded = 128,
  dcoImmediatePost = 256,
  dcoInsertOnNewItemRowFocusing = 512,
};
using TlxDataControllerOptions = uint16_t;
inline constexpr TlxDataControllerOptions kLxDefaultDataControllerOptions =
    dcoAssignGroupingValues | dcoAssignMasterDetailKeys | dcoSaveExpanding;

// The edited-record index while nothing is edited: -2147483647, apart from
// both -1 (no record) and the lowest int32.
inline constexpr int32_t kLxNoEditedRecord = -2147483647;

// What a row shows: a group row has a level below the grouping level count,
// a data row the level count itself.
struct TlxRowInfo {
  int32_t Level = 0;
  int32_t RecordIndex = -1;
  int32_t RecordListIndex = -1;
  bool Expanded = false;
};

class ElxInvalidDataControllerOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ElxInvalidDataControllerOperation"; }
};

// Raises ElxInvalidDataControllerOperation with one of the module's texts.
[[noreturn]] void lxDataControllerError(const TlxResourceString& text);
// Raises ElxInvalidDataControllerOperation with a message already looked up.
[[noreturn]] void lxRaiseDataControllerError(const std::string& message);

// A part built from a class reference for its owner (the owner is passed to
// the part's constructor); EInvalidOperation when the class is not a T.
template <class T>
std::unique_ptr<T> lxCreatePart(const TClass* cls, TObject* owner) {
  std::unique_ptr<TObject> instance(cls->CreateInstance(owner));
  auto* typed = dynamic_cast<T*>(instance.get());
  if (typed == nullptr)
    throw EInvalidOperation("Class " + std::string(cls->ClassName()) + " is not a " +
                            std::string(T::kClass.ClassName()));
  instance.release();
  return std::unique_ptr<T>(typed);
}
