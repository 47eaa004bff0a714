// TlxCustomEdit: its picture (view data and view info), painting, the
// window procedure and the messages it answers itself.

#include "editors/edit_control_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/themes/theme_manager_win.h"

// --- the picture -----------------------------------------------------------------

std::unique_ptr<TlxCustomEditViewData> TlxCustomEdit::CreateViewData() {
  std::unique_ptr<TlxCustomEditViewData> data =
      GetActiveProperties()->CreateViewData(GetCurrentEditStyle(), inplace_, false);
  if (inplace_)
    data->TextParams = measured_text_params_;
  data->Edit = IsInnerControlUnavailable() ? nullptr : this;
  data->WindowHandle = HandleAllocated() ? Handle() : nullptr;
  PrepareViewData(*data);
  return data;
}

void TlxCustomEdit::PrepareViewData(TlxCustomEditViewData& view_data) {
  view_data.Enabled = Enabled();
  view_data.Focused = IsFocusWithin();
  view_data.Designing = IsDesigning();
  view_data.NativeStyle = GetViewInfo().NativeStyle;
  view_data.CapturedButtonIndex = captured_button_;
}

void TlxCustomEdit::StoreInitialBounds() {
  const std::unique_ptr<TlxCustomEditViewData> data =
      GetActiveProperties()->CreateViewData(GetCurrentEditStyle(), inplace_, false);
  measured_text_params_ = data->TextParams;
}

bool TlxCustomEdit::UsesNativeStyle() {
  return GetStyle()->LookAndFeel()->NativeStyle() && lxThemeAvailableFor(totEdit);
}

TRect TlxCustomEdit::GetBorderExtent() {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  if (view_info.Bounds.IsEmpty())
    return TlxContainer::GetBorderExtent();
  return TRect(view_info.BorderRect.Left - view_info.Bounds.Left, view_info.BorderRect.Top - view_info.Bounds.Top,
               view_info.Bounds.Right - view_info.BorderRect.Right,
               view_info.Bounds.Bottom - view_info.BorderRect.Bottom);
}

TlxContainerStyleValues TlxCustomEdit::GetIgnoredStyleValues() const {
  TlxContainerStyleValues values;
  for (TlxContainerStyleValue value = esvButtonStyle; value <= esvGradientDirection; ++value)
    values.Include(value);
  return values;
}

void TlxCustomEdit::CalculateViewInfoAt(const TPoint& point, int32_t button, TShiftState shift,
                                        bool is_mouse_event) {
  const std::unique_ptr<TlxCustomEditViewData> data = CreateViewData();
  data->Calculate(Canvas(), TRect(0, 0, Width(), Height()), point, button, shift, GetViewInfo(), is_mouse_event);
}

void TlxCustomEdit::RecalculateAtCursor() { RefreshFromCursor(false); }

bool TlxCustomEdit::RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                             TShiftState shift) {
  if (!HandleAllocated() || ControlState().Contains(csCreating) || ComponentState().Contains(csReading) ||
      IsBeingDestroyed())
    return false;
  view_info_calculated_ = true;
  if (captured_button_ >= 0 && GetCapture() != Handle())
    captured_button_ = -1;
  std::unique_ptr<TlxCustomEditViewInfo> old;
  if (mouse_event) {
    old = GetActiveProperties()->GetViewInfoClass().Create();
    old->TakeStateFrom(&GetViewInfo());
  }
  // The container settles the state and the style for it; the kind's view
  // data then lays out the whole picture in that style.
  ComputeViewInfo(point, shift.Empty() && GetCurrentStyle()->HotTrack());
  CalculateViewInfoAt(point, button_code - 1, shift, mouse_event);
  const bool changed = GetViewInfo().RepaintChangedInRect(Handle(), TRect(), old.get());
  if (old != nullptr && !changed)
    return false;
  PlaceInnerControl();
  {
    TStateScope<bool> placing(placing_, true);
    UpdateWindowRegion();
  }
  ApplyStyleToInnerControl();
  if (old != nullptr)
    ProcessButtonStateChange(*old);
  return true;
}

void TlxCustomEdit::UpdateWindowRegion() {
  if (!HandleAllocated())
    return;
  TStateScope<bool> placing(placing_, true);
  TlxContainer::UpdateWindowRegion();
}

// --- painting ---------------------------------------------------------------------

void TlxCustomEdit::Paint() {
  if (IsPaintingCopy()) {
    PaintCopy();
    return;
  }
  if (!view_info_calculated_) {
    RecalculateAtCursor();
    if (!view_info_calculated_) {
      ComputeViewInfo(TPoint(-1, -1), false);
      CalculateViewInfoAt(TPoint(-1, -1), kLxNoMouseButton, {}, false);
    }
  }
  GetViewInfo().Draw(Canvas());
}

void TlxCustomEdit::PaintCopy() {
  TlxCanvas& canvas = Canvas();
  const HDC dc = canvas.Handle();
  const TRect frame(0, 0, Width(), Height());
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, frame.Left, frame.Top, frame.Right, frame.Bottom);
  {
    const std::unique_ptr<TlxCustomEditViewInfo> view_info = GetActiveProperties()->GetViewInfoClass().Create();
    const std::unique_ptr<TlxCustomEditViewData> data = CreateViewData();
    Variant value;
    data_binding_->ReadDataValue(value);
    data->ApplyEditValueToViewInfo(canvas, value, *view_info);
    data->Calculate(canvas, frame, TPoint(-1, -1), kLxNoMouseButton, {}, *view_info, false);
    view_info->Draw(canvas);
  }
  RestoreDC(dc, saved);
  ExcludeClipRect(dc, frame.Left, frame.Top, frame.Right, frame.Bottom);
}

// --- messages ---------------------------------------------------------------------

void TlxCustomEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE:
      if (placing_) {
        message.Result = 0;
        return;
      }
      break;
    case WM_GETDLGCODE:
      if (inplace_) {
        message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | (inner_edit_ == nullptr ? DLGC_WANTTAB : 0);
        return;
      }
      break;
    case WM_COPY:
      HandleCopyMessage();
      return;
    case WM_CUT:
      HandleCutMessage();
      return;
    case WM_PASTE:
      HandlePasteMessage();
      return;
    case CM_DIALOGCHAR:
      if (HandleDialogChar(static_cast<char16_t>(message.WParam))) {
        message.Result = 1;
        return;
      }
      break;
    case CM_HINTSHOW:
      if (message.LParam != 0) {
        message.Result = HandleHintShow(*reinterpret_cast<TlxEditHintInfo*>(message.LParam)) ? 0 : -1;
        return;
      }
      break;
    case CM_SHOWINGCHANGED:
      TlxContainer::WndProc(message);
      if (Showing())
        PlaceInnerControl();
      return;
    default:
      break;
  }
  TlxContainer::WndProc(message);
}

void TlxCustomEdit::DefaultHandler(TMessage& message) {
  // A host's cell has its own context menu; the in-place editor stays out.
  if (inplace_ && message.Msg == WM_CONTEXTMENU)
    return;
  TlxContainer::DefaultHandler(message);
}

void TlxCustomEdit::HandleCopyMessage() { CopyToClipboard(); }

void TlxCustomEdit::HandleCutMessage() {
  TStateScope<bool> by_user(user_change_, true);
  if (IsEffectivelyReadOnly())
    CopyToClipboard();
  else
    CutToClipboard();
}

void TlxCustomEdit::HandlePasteMessage() {
  if (IsEffectivelyReadOnly())
    return;
  TStateScope<bool> by_user(user_change_, true);
  PasteFromClipboard();
}

// --- the look of the buttons ------------------------------------------------------

TlxLookAndFeelKind lxEditButtonStyleLookAndFeelKind(TlxEditButtonStyle style) {
  switch (style) {
    case btsDefault:
    case bts3D:
      return lfStandard;
    case btsFlat:
    case btsSimple:
    case btsHotFlat:
      return lfFlat;
    case btsUltraFlat:
      return lfUltraFlat;
    case btsOffice11:
      return lfOffice11;
  }
  return lfStandard;
}

TlxLookAndFeelKind lxGetEditButtonsLookAndFeelKind(const TlxCustomEdit& edit) {
  if (edit.IsInplace())
    return edit.GetStyle()->LookAndFeel()->Kind();
  const TlxCustomEditViewInfo& view_info = edit.GetViewInfo();
  if (view_info.ButtonCount() == 0)
    return lfStandard;
  return lxEditButtonStyleLookAndFeelKind(view_info.Button(0).Style);
}
