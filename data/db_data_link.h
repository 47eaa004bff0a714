#pragma once
// The data link through which a dataset-bound provider follows its
// dataset: every notification of the platform's link is handed to the
// provider. A pending layout change (data event 14) is held here, and so
// is the flag that keeps layout changes away while the provider deletes.

#include "platform/db/data_link.h"

class TField;
class TlxDBDataProvider;

class TlxDBDataLink : public TDataLink {
 public:
  static constexpr TClass kClass{"TlxDBDataLink", &TDataLink::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataLink(TlxDBDataProvider& provider);
  ~TlxDBDataLink() override;

  TlxDBDataProvider& Provider() const { return provider_; }
  bool LayoutChangedPending() const { return layout_changed_; }
  bool PreventLayoutChanged() const { return prevent_layout_changed_; }
  void SetPreventLayoutChanged(bool value) { prevent_layout_changed_ = value; }

  void DataEvent(TDataEvent event, TDataEventInfo info) override;

  // The notifications, for the provider's own use.
  void NotifyDataSetChanged() { DataSetChanged(); }
  void NotifyEditingChanged() { EditingChanged(); }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int32_t distance) override;
  void EditingChanged() override;
  void FocusControl(TField*& field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;

 private:
  TlxDBDataProvider& provider_;
  bool layout_changed_ = false;
  bool prevent_layout_changed_ = false;
  // Set while one of the data-set-changed and layout-changed handlings
  // hands over to the other, so that the other does not hand back.
  bool in_handover_ = false;
};
