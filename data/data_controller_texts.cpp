#include "data/data_controller_texts.h"

#include "platform/rtl/exceptions.h"

namespace {

constexpr TlxStringResource kDataControllerTexts[] = {
    {&lxSDataReadError, "Stream read error"},
    {&lxSDataWriteError, "Stream write error"},
    {&lxSDataItemExistError, "Item already exists"},
    {&lxSDataRecordIndexError, "RecordIndex out of range"},
    {&lxSDataItemIndexError, "ItemIndex out of range"},
    {&lxSDataProviderModeError, "This operation is not supported in provider mode"},
    {&lxSDataInvalidStreamFormat, "Invalid stream format"},
    {&lxSDataRowIndexError, "RowIndex out of range"},
    {&lxSDataCustomDataSourceInvalidCompare, "GetInfoForCompare not implemented"},
    {&lxSDBDetailFilterControllerNotFound, "DetailFilterController not found"},
    {&lxSDBNotInGridMode, "DataController not in GridMode"},
    {&lxSDBKeyFieldNotFound, "Key Field not found"},
};

}  // namespace

std::span<const TlxStringResource> lxDataControllerStringTable() { return kDataControllerTexts; }

void lxRegisterDataControllerStrings() {
  static const bool registered = [] {
    lxRegisterProductStrings(kLxDataControllerProductKey, kDataControllerTexts);
    return true;
  }();
  (void)registered;
}

std::string lxDataControllerText(const TlxResourceString& record) {
  lxRegisterDataControllerStrings();
  return lxLookupResString(record);
}

void lxRaiseDataReadError() { throw EReadError(lxDataControllerText(lxSDataReadError)); }

void lxRaiseDataWriteError() { throw EWriteError(lxDataControllerText(lxSDataWriteError)); }
