#pragma once
// How a dataset-bound controller holds its records and ties a detail to
// its master: every record in the storage (the default) or only the data
// link's window (grid mode), whether the cursor and the focus follow each
// other, whether a post refreshes only the posted record, and how a detail
// dataset is positioned or reopened for its master's keys.

#include <cstdint>
#include <functional>
#include <string>

#include "data/db_adapters.h"
#include "platform/rtl/persistent.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TlxDBDataController;
class TlxDBDataModeController;

using TlxDBDataModeControllerDetailFirstEvent =
    std::function<void(TlxDBDataModeController* Sender, TDataSet* ADataSet, const std::string& AMasterDetailKeyFieldNames,
                       const Variant& AMasterDetailKeyValues, bool& AReopened)>;
using TlxDBDataModeControllerDetailIsCurrentQueryEvent =
    std::function<bool(TlxDBDataModeController* Sender, TDataSet* ADataSet, const std::string& AMasterDetailKeyFieldNames,
                       const Variant& AMasterDetailKeyValues)>;

class TlxDBDataModeController : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxDBDataModeController", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataModeController(TlxDBDataController& controller) : controller_(controller) {}

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  bool DetailInSQLMode() const { return detail_in_sql_mode_; }
  void SetDetailInSQLMode(bool value) { detail_in_sql_mode_ = value; }
  bool DetailCursorSync() const { return detail_cursor_sync_; }
  void SetDetailCursorSync(bool value) { detail_cursor_sync_ = value; }
  bool GridMode() const { return grid_mode_; }
  void SetGridMode(bool value);
  int32_t GridModeBufferCount() const { return grid_mode_buffer_count_; }
  // A negative count is stored as 0 (the controller's default).
  void SetGridModeBufferCount(int32_t value);
  // The window size grid mode uses.
  int32_t EffectiveGridModeBufferCount() const;
  bool SmartRefresh() const { return smart_refresh_; }
  void SetSmartRefresh(bool value);
  bool MirrorDataSetInserts() const { return mirror_data_set_inserts_; }
  void SetMirrorDataSetInserts(bool value) { mirror_data_set_inserts_ = value; }
  bool SyncMode() const { return sync_mode_; }
  void SetSyncMode(bool value);

  bool DoDetailIsCurrentQuery(const std::string& names, const Variant& values);
  void DoDetailFirst(const std::string& names, const Variant& values, bool& reopened);

  TlxDBDataModeControllerDetailFirstEvent OnDetailFirst;
  TlxDBDataModeControllerDetailIsCurrentQueryEvent OnDetailIsCurrentQuery;

 private:
  TlxDBDataController& controller_;
  bool detail_in_sql_mode_ = false;
  bool detail_cursor_sync_ = true;
  bool grid_mode_ = false;
  int32_t grid_mode_buffer_count_ = 0;
  bool smart_refresh_ = false;
  bool mirror_data_set_inserts_ = true;
  bool sync_mode_ = true;
};

// The detail filter adapter: how a detail dataset of any class is checked
// for, reopened for and positioned on its master's key values. A dataset
// that publishes "Params" (a TParams) is run through its parameters.
class TlxDBProviderDetailFilterAdapter : public TlxDBAdapterItem {
 public:
  static constexpr TClass kClass{"TlxDBProviderDetailFilterAdapter", &TlxDBAdapterItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxDBAdapterItem::TlxDBAdapterItem;

  // The parameters named by `names` hold `values`; false without "Params".
  virtual bool IsCurrentQuery(TDataSet* dataset, const std::string& names, const Variant& values) const;
  // Moves to the first record when the parameters already hold `values`;
  // otherwise closes, sets them and opens again (reopened := true).
  virtual void ReopenSQL(TDataSet* dataset, const std::string& names, const Variant& values, bool& reopened) const;
  virtual void First(TDataSet* dataset, const std::string& names, const Variant& values, bool& reopened,
                     bool sql_mode) const;
};

// The process-wide detail filter adapters; the one for TDataSet serves
// every dataset class.
TlxDBAdapterList& lxDBDetailFilterAdapters();
TlxDBProviderDetailFilterAdapter* lxDBGetDetailFilterAdapter(const TDataSet* dataset);
