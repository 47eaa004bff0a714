#include "data/db_data_link.h"

#include "data/data_controller.h"
#include "data/db_data_provider.h"
#include "platform/rtl/scope.h"

TlxDBDataLink::TlxDBDataLink(TlxDBDataProvider& provider) : provider_(provider) { SetVisualControl(true); }

// Detaching here, while the provider still exists, keeps the last
// notifications away from a half-destroyed provider.
TlxDBDataLink::~TlxDBDataLink() { SetDataSource(nullptr); }

void TlxDBDataLink::DataEvent(TDataEvent event, TDataEventInfo info) {
  TDataLink::DataEvent(event, info);
  if (event == deDisabledStateChange && info.field == nullptr && info.focus_field == nullptr &&
      info.scroll_distance == 0)
    layout_changed_ = true;
}

void TlxDBDataLink::ActiveChanged() {
  provider_.HandleActiveChanged();
  if (!Active())
    layout_changed_ = false;
}

void TlxDBDataLink::DataSetChanged() {
  if (layout_changed_ && !in_handover_) {
    TStateScope handover(in_handover_, true);
    LayoutChanged();
    return;
  }
  provider_.HandleDataSetChanged();
}

void TlxDBDataLink::DataSetScrolled(int32_t distance) { provider_.DataScrolled(distance); }

void TlxDBDataLink::EditingChanged() { provider_.HandleEditingChanged(); }

void TlxDBDataLink::FocusControl(TField*& field) { provider_.HandleFocusControl(field); }

// A layout change that meets an insert or a running delete is handled as
// a change of the data. That handling does not look at the pending layout
// change again (it waits for the insert to end), so the two handlings
// never call each other without end.
void TlxDBDataLink::LayoutChanged() {
  if (provider_.LayoutChangeMeansDataChange()) {
    TStateScope handover(in_handover_, true);
    provider_.HandleDataSetChanged();
    return;
  }
  provider_.HandleLayoutChanged();
  layout_changed_ = false;
}

void TlxDBDataLink::RecordChanged(TField* field) { provider_.RecordChanged(field); }

void TlxDBDataLink::UpdateData() { provider_.HandleUpdateData(); }
