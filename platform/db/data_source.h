#pragma once
// TDataSource: the joint between one dataset and the data links of the
// controls that show it. It passes the dataset's data events to every link
// (in the order the links joined) and fires its own events after them.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/db/db_types.h"
#include "platform/rtl/component.h"

class TDataLink;
class TDataSet;
class TField;

using TDataChangeEvent = std::function<void(TObject* sender, TField* field)>;

class TDataSource : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TDataSource", &TComponent::kClass, &ConstructInstance<TDataSource>,
                                 &TDataSource::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDataSource(TComponent* owner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return dataset_; }
  // Raises "Circular datalinks are not allowed" when `dataset` reaches this
  // data source through its masters.
  void SetDataSet(TDataSet* dataset);
  // A disabled data source shows its links an inactive dataset.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Controls may start editing the dataset by themselves.
  bool AutoEdit() const { return auto_edit_; }
  void SetAutoEdit(bool auto_edit) { auto_edit_ = auto_edit; }
  // The dataset's state as the links see it (inactive while disabled).
  TDataSetState State() const { return state_; }
  // Starts editing when AutoEdit is set and the dataset is browsing.
  void Edit();
  // True when `dataset`'s chain of masters leads to this data source.
  bool IsLinkedTo(const TDataSet* dataset) const;

  // Field changes and record changes name the field (null for the whole
  // record); data set changes, scrolls and layout changes give none.
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnStateChange;
  // The controls are about to write their values into the record.
  TNotifyEvent OnUpdateData;

  // For data links.
  void AddDataLink(TDataLink* link);
  void RemoveDataLink(TDataLink* link);
  int32_t DataLinkCount() const { return static_cast<int32_t>(links_.size()); }
  // For the dataset.
  void DataEvent(TDataEvent event, TDataEventInfo info);
  // The dataset is being destroyed: the links turn inactive.
  void DataSetDestroyed(TDataSet* dataset);

 private:
  void UpdateState();
  void NotifyDataLinks(TDataEvent event, TDataEventInfo info);
  bool HasLink(const TDataLink* link) const;

  TDataSet* dataset_ = nullptr;
  std::vector<TDataLink*> links_;
  TDataSetState state_ = dsInactive;
  bool enabled_ = true;
  bool auto_edit_ = true;
};
