// TlxCustomEdit: the inner control's place, automatic size and the size
// stored in form descriptions.

#include <limits>

#include "editors/edit_control_win.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

bool AlignFixesHeight(TAlign align) {
  return align == alLeft || align == alRight || align == alClient || align == alCustom;
}

bool AlignFixesWidth(TAlign align) {
  return align == alTop || align == alBottom || align == alClient || align == alCustom;
}

}  // namespace

// --- the inner control ------------------------------------------------------------

void TlxCustomEdit::PlaceInnerControl() {
  if (!HandleAllocated() || IsBeingDestroyed())
    return;
  if (IsAutoSizeActive() && !auto_size_guard_) {
    int32_t width = Width();
    int32_t height = Height();
    CalculateAutoSize(width, height);
    if (width != Width() || height != Height()) {
      TStateScope<bool> guard(auto_size_guard_, true);
      int32_t left = Left();
      if (KeepsRightEdgeOnAutoSize()) {
        if (!first_auto_width_pass_)
          left = Left() + Width() - width;
        first_auto_width_pass_ = false;
      }
      TlxContainer::SetBounds(left, Top(), width, height);
    }
  }
  AdjustInnerControlBounds();
}

void TlxCustomEdit::AdjustInnerControlBounds() {
  if (InnerControl() == nullptr)
    return;
  TlxContainer::PlaceInnerControl();
}

void TlxCustomEdit::FocusInnerControl() {
  if (inner_edit_ == nullptr || IsInnerControlUnavailable())
    return;
  TlxContainer::FocusInnerControl();
}

void TlxCustomEdit::CreateWnd() {
  TlxContainer::CreateWnd();
  if (GetFocus() == Handle())
    FocusInnerControl();
}

// --- automatic size -----------------------------------------------------------------

bool TlxCustomEdit::IsAutoWidthActive() const {
  return IsAutoSizeActive() && IsAutoWidthWanted() && !AlignFixesWidth(Align());
}

TlxEditSizeProperties TlxCustomEdit::GetAutoSizeLimits() {
  TlxEditSizeProperties limits;
  limits.Height = -1;
  limits.MaxLineCount = 1;
  limits.Width = IsAutoWidthActive() ? std::numeric_limits<int32_t>::max() : Width();
  return limits;
}

void TlxCustomEdit::CalculateAutoSize(int32_t& width, int32_t& height) {
  if (!IsAutoSizeActive())
    return;
  const std::unique_ptr<TlxCustomEditViewData> data = CreateViewData();
  const TSize size = data->MeasureEditSize(lxGetScreenCanvas(), GetEditValue(), GetAutoSizeLimits());
  if (IsAutoWidthActive())
    width = size.cx;
  if (!AlignFixesHeight(Align()))
    height = size.cy;
}

void TlxCustomEdit::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (!ComponentState().Contains(csLoading) && !auto_size_guard_ && IsAutoSizeActive() && properties_ != nullptr) {
    TStateScope<bool> guard(auto_size_guard_, true);
    CalculateAutoSize(width, height);
  }
  TlxContainer::SetBounds(left, top, width, height);
}

void TlxCustomEdit::EnsureHandleForSize() {
  if (IsBeingDestroyed() || ensuring_handle_ || !IsAutoSizeActive())
    return;
  TStateScope<bool> guard(ensuring_handle_, true);
  if (lxCanAllocateHandle(this))
    HandleNeeded();
}

int32_t TlxCustomEdit::GetHeight() {
  EnsureHandleForSize();
  return Height();
}

void TlxCustomEdit::SetAutoSize(bool value) {
  if (inplace_ || auto_size_ == value)
    return;
  auto_size_ = value;
  if (!value)
    return;
  EnsureHandleForSize();
  SetBounds(Left(), Top(), Width(), Height());
  PlaceInnerControl();
  if (HandleAllocated())
    RefreshViewNow();
}

// --- the stored size ---------------------------------------------------------------

bool TlxCustomEdit::ShouldStoreHeight(const TFiler& filer) const {
  if (IsAutoSizeActive())
    return false;
  const auto* ancestor = dynamic_cast<const TlxCustomEdit*>(filer.Ancestor());
  return ancestor == nullptr || ancestor->Height() != Height();
}

bool TlxCustomEdit::ShouldStoreWidth(const TFiler& filer) const {
  if (IsAutoSizeActive() && IsAutoWidthWanted())
    return false;
  const auto* ancestor = dynamic_cast<const TlxCustomEdit*>(filer.Ancestor());
  return ancestor == nullptr || ancestor->Width() != Width();
}

void TlxCustomEdit::DefineProperties(TFiler& filer) {
  TlxContainer::DefineProperties(filer);
  filer.DefineProperty(
      "Height", [this](TReader& reader) { SetHeight(static_cast<int32_t>(reader.ReadInteger())); },
      [this](TWriter& writer) { writer.WriteInteger(Height()); }, ShouldStoreHeight(filer));
  filer.DefineProperty(
      "Width",
      [this](TReader& reader) { SetBounds(Left(), Top(), static_cast<int32_t>(reader.ReadInteger()), Height()); },
      [this](TWriter& writer) { writer.WriteInteger(Width()); }, ShouldStoreWidth(filer));
}
