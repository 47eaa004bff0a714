#include "editors/kinds/memo_win.h"

#include <algorithm>

#include "editors/kinds/memo_rules.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/system/control_unit.h"
#include "ui/foundation/system/scroll_bar_metrics_win.h"

namespace {

// The inner control's own sunken border, kept outside the client rect.
constexpr int32_t kInnerBorder = 2;

bool IsHorizontalBar(TScrollStyle bars) { return bars == ssHorizontal || bars == ssBoth; }

}  // namespace

// --- view data and view info ----------------------------------------------------------

TlxCustomMemoProperties* TlxCustomMemoViewData::MemoProperties() const {
  return static_cast<TlxCustomMemoProperties*>(Properties());
}

TlxTextOutFlags TlxCustomMemoViewData::GetDrawTextFlags() const {
  const TlxCustomMemoProperties* properties = MemoProperties();
  return lxMemoDrawTextFlags(HorzAlignment, properties->WordWrap(), properties->ScrollBars());
}

void TlxCustomMemoViewData::GetTextAreaInsets(TRect& insets) const {
  insets = IsInplace() ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3);
}

TSize TlxCustomMemoViewData::MemoInsetsSize() const {
  TRect insets;
  GetTextAreaInsets(insets);
  return TSize{insets.Left + insets.Right, insets.Top + insets.Bottom};
}

int32_t TlxCustomMemoViewData::GetMaxLineCount() const {
  const int32_t visible = MemoProperties()->VisibleLineCount();
  return visible > 0 ? visible : TlxCustomTextEditViewData::GetMaxLineCount();
}

void TlxCustomMemoViewData::MeasureFrameFromViewInfo(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info,
                                                     TSize& size, TSize& min_content_size) const {
  TlxCustomTextEditViewData::MeasureFrameFromViewInfo(canvas, view_info, size, min_content_size);
  const TlxCustomMemoProperties* properties = MemoProperties();
  // Only an editor shows scroll bars; a cell being drawn has none.
  if (Edit != nullptr && IsHorizontalBar(properties->ScrollBars()))
    size.cy += lxScrollBarMetrics().cy;
  const int32_t visible = properties->VisibleLineCount();
  if (visible <= 0)
    return;
  if (TFont* font = GetEditStyle()->GetTextFont())
    canvas.AssignFont(*font);
  const int32_t lines_height = MemoInsetsSize().cy + visible * canvas.MeasureTextHeight("Zg");
  min_content_size.cy = std::max(min_content_size.cy, lines_height);
}

TSize TlxCustomMemoViewData::MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                                     const TlxEditSizeProperties& limits) const {
  std::string text;
  GetDrawText(edit_value, text);
  return lxTextEditMeasureDisplayText(canvas, *this, text, GetDrawTextFlags(), limits,
                                      MemoProperties()->VisibleLineCount(), true);
}

void TlxCustomMemoViewInfo::DrawText(TlxCanvas& canvas) { lxDrawMemoText(canvas, *this); }

void lxDrawMemoText(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  if (view_info.Text.empty() || view_info.Text.front() == '\0')
    return;
  if (view_info.Font != nullptr)
    canvas.AssignFont(*view_info.Font);
  canvas.Font().SetColor(view_info.TextColor);
  lxDrawTextEditTextRows(canvas, view_info);
}

// --- the editor -------------------------------------------------------------------------

TlxCustomMemo::TlxCustomMemo(TComponent* owner, const TClass& properties_class)
    : TlxCustomTextEdit(owner, properties_class, TlxEditDataBinding::kClass, nullptr, TlxCustomInnerMemo::kClass) {
  if (!properties_class.InheritsFrom(&TlxCustomMemoProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no memo properties class");
  SetBounds(Left(), Top(), 185, 89);
  last_scroll_position_ = 0;
}

IlxInnerMemo* TlxCustomMemo::GetInnerMemo() const { return dynamic_cast<IlxInnerMemo*>(GetInnerTextEdit()); }

TStrings* TlxCustomMemo::Lines() const {
  IlxInnerMemo* inner = GetInnerMemo();
  return inner != nullptr ? &inner->GetLines() : nullptr;
}

void TlxCustomMemo::SetLines(const TStrings* lines) {
  if (TStrings* own = Lines(); own != nullptr && lines != nullptr)
    own->Assign(lines);
}

bool TlxCustomMemo::IsAutoSizeActive() const {
  return !IsInplace() && ActiveMemoProperties()->VisibleLineCount() >= 1;
}

bool TlxCustomMemo::IsMemoEditKey(uint16_t key, TShiftState shift, bool allow_tab) {
  const TlxCustomMemoProperties* properties = ActiveMemoProperties();
  return lxIsMemoEditKey(lxMapKeyCode(key), shift.Contains(ssCtrl), allow_tab, properties->WantReturns(),
                         properties->WantTabs());
}

bool TlxCustomMemo::IsEditingKey(uint16_t key, TShiftState shift) {
  return TlxCustomTextEdit::IsEditingKey(key, shift) || IsMemoEditKey(key, shift, false);
}

bool TlxCustomMemo::WantsTabKey() const {
  return TlxCustomTextEdit::WantsTabKey() || ActiveMemoProperties()->WantTabs();
}

// --- keys ---------------------------------------------------------------------------------

void TlxCustomMemo::HandleKeyDown(uint16_t& key, TShiftState shift) {
  // In place, the Enter that types a line break never reaches the base,
  // which would end editing with it.
  if (IsInplace() && key == VK_RETURN &&
      lxMemoTypesEnterInPlace(shift.Contains(ssCtrl), ActiveMemoProperties()->WantReturns())) {
    ProcessEditKeyDown(key, shift);
    return;
  }
  TlxCustomTextEdit::HandleKeyDown(key, shift);
}

void TlxCustomMemo::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit::ProcessEditKeyDown(key, shift);
  if (!alive.Alive() || key != 'A' || !shift.Contains(ssCtrl) || shift.Contains(ssShift) || shift.Contains(ssAlt))
    return;
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || inner->GetLines().Count() < 1)
    return;
  inner->SelectAll();
  FireAfterKeyDown(key, shift);
  key = 0;
}

// --- text changes the editor makes ------------------------------------------------------

void TlxCustomMemo::AfterTextChange() {
  if (IsUserChange())
    return;
  LeaveLookupTextMode();
  RefreshEditValue();
  SetModifiedAfterEnter(false);
}

void TlxCustomMemo::ClearSelection() {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || GetSelLength() == 0)
    return;
  const bool focused = IsFocusWithin();
  if (focused && !TryStartEditing())
    return;
  const bool was = IsUserChange();
  SetUserChange(focused);
  TScopeExit restore([this, was] { SetUserChange(was); });
  {
    TStateScope<bool> clearing(clearing_, true);
    inner->ClearSelection();
  }
  AfterTextChange();
}

void TlxCustomMemo::CutToClipboard() {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || GetSelLength() == 0)
    return;
  inner->CopyToClipboard();
  ClearSelection();
}

void TlxCustomMemo::SetSelText(const std::string& text) {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr)
    return;
  const bool focused = IsFocusWithin();
  std::string fitting = text;
  if (focused) {
    std::optional<std::string> fitted = lxFitMemoInsertion(GetSelStart(), text, ActiveProperties()->MaxLength());
    if (!fitted)
      return;
    fitting = std::move(*fitted);
  }
  const bool by_user = focused || TextFromInterface();
  if (by_user && !TryStartEditing())
    return;
  const bool was = IsUserChange();
  SetUserChange(by_user);
  TScopeExit restore([this, was] { SetUserChange(was); });
  inner->SetSelText(fitting);
  AfterTextChange();
}

// --- properties ---------------------------------------------------------------------------

void TlxCustomMemo::PropertiesChanged(TlxCustomEditProperties* properties) {
  if (IsInnerControlUnavailable())
    return;
  IlxInnerMemo* inner = GetInnerMemo();
  const TlxCustomMemoProperties* memo_properties = ActiveMemoProperties();
  if (inner != nullptr) {
    if (inner->GetScrollBars() != memo_properties->ScrollBars()) {
      scroll_bars_in_use_ = true;
      SyncScrollBarControls();
      inner->SetScrollBars(memo_properties->ScrollBars());
      if (HandleAllocated())
        RecreateWnd();
      if (inner->GetControl()->HandleAllocated())
        inner->GetControl()->RecreateWnd();
    }
    inner->SetWantReturns(memo_properties->WantReturns());
    inner->SetWantTabs(memo_properties->WantTabs());
    inner->SetWordWrap(memo_properties->WordWrap());
  }
  TlxCustomTextEdit::PropertiesChanged(properties);
}

void TlxCustomMemo::InnerEditChanged(TObject* sender) {
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit::InnerEditChanged(sender);
  if (alive.Alive() && !IsBeingDestroyed())
    RequestScrollBarsSync();
}

void TlxCustomMemo::RaiseOnEditValueChanged() {
  if (dropping_edit_value_changed_)
    return;
  TlxCustomTextEdit::RaiseOnEditValueChanged();
}

void TlxCustomMemo::UnlockChangeEventsDroppingEditValueChanged() {
  TStateScope<bool> dropping(dropping_edit_value_changed_, true);
  LockChangeEvents(false);
}

// --- placement and scroll bars ------------------------------------------------------------

void TlxCustomMemo::AdjustInnerControlBounds() {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || bounds_guard_)
    return;
  TStateScope<bool> guard(bounds_guard_, true);
  const TRect wanted = GetViewInfo().ClientRect.Inflate(kInnerBorder, kInnerBorder);
  TWinControl* control = inner->GetControl();
  if (control->BoundsRect() != wanted)
    control->SetBounds(wanted.Left, wanted.Top, wanted.Width(), wanted.Height());
  ApplyInnerControlRegion();
}

void TlxCustomMemo::ApplyInnerControlRegion() {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  TWinControl* control = inner->GetControl();
  // The part of the control inside the client rect, in its window's
  // coordinates: the border lies outside.
  const TRect client = GetViewInfo().ClientRect;
  const TRect visible = client.Intersect(control->BoundsRect()).Offset(-control->Left(), -control->Top());
  HRGN region = CreateRectRgn(visible.Left, visible.Top, visible.Right, visible.Bottom);
  // The system owns the region from here on.
  if (SetWindowRgn(control->Handle(), region, TRUE) == 0)
    DeleteObject(region);
}

void TlxCustomMemo::CreateParams(TCreateParams& params) {
  TlxCustomTextEdit::CreateParams(params);
  const TlxCustomMemoProperties* properties = ActiveMemoProperties();
  params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW);
  if (IsHorizontalBar(properties->ScrollBars()) || !properties->WordWrap())
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW);
}

bool TlxCustomMemo::HasScrollBars() {
  return scroll_bars_in_use_ && Properties() != nullptr && !IsBeingDestroyed() &&
         ActiveMemoProperties()->ScrollBars() != ssNone;
}

void TlxCustomMemo::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  const HWND window = inner->GetControl()->Handle();
  const auto request = static_cast<WPARAM>(MAKEWPARAM(code, static_cast<uint16_t>(position)));
  if (kind == sbHorizontal) {
    const HWND bar = HScrollBar() != nullptr && HScrollBar()->HandleAllocated() ? HScrollBar()->Handle() : nullptr;
    inner->CallDefWndProc(WM_HSCROLL, request, reinterpret_cast<LPARAM>(bar));
    position = GetScrollPos(window, SB_HORZ);
  } else {
    if (code == scLineUp || code == scLineDown) {
      SendMessageW(window, EM_LINESCROLL, 0, code == scLineUp ? -1 : 1);
    } else {
      const HWND bar = VScrollBar() != nullptr && VScrollBar()->HandleAllocated() ? VScrollBar()->Handle() : nullptr;
      inner->CallDefWndProc(WM_VSCROLL, request, reinterpret_cast<LPARAM>(bar));
    }
    position = GetScrollPos(window, SB_VERT);
  }
  if (code == scTrack && position != last_scroll_position_) {
    NotifySpellCheckerLayoutChanged();
    inner->GetControl()->Invalidate();
  }
  last_scroll_position_ = position;
  SyncScrollBarsWithInnerControl(false);
}

// --- messages and loading -----------------------------------------------------------------

void TlxCustomMemo::WndProc(TMessage& message) {
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit::WndProc(message);
  if (!alive.Alive() || IsBeingDestroyed())
    return;
  switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case CM_WININICHANGE:
      RequestScrollBarsSync();
      return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
      SyncScrollBarsWithInnerControl(false);
      return;
    case WM_COMMAND: {
      IlxInnerMemo* inner = GetInnerMemo();
      const WORD notification = HIWORD(message.WParam);
      if (inner != nullptr && inner->GetControl()->HandleAllocated() &&
          reinterpret_cast<HWND>(message.LParam) == inner->GetControl()->Handle() &&
          (notification == EN_HSCROLL || notification == EN_VSCROLL))
        SyncScrollBarsWithInnerControl(false);
      return;
    }
    default:
      return;
  }
}

void TlxCustomMemo::Loaded() {
  // The loaded lines are the value; the base's display refresh would
  // otherwise replace them with the empty value.
  std::string loaded_text;
  IlxInnerMemo* inner = GetInnerMemo();
  const bool has_lines = inner != nullptr && inner->GetLines().Count() >= 1;
  if (has_lines)
    loaded_text = inner->GetControl()->Text();
  TlxCustomTextEdit::Loaded();
  if (!has_lines || IsBeingDestroyed())
    return;
  Variant value;
  ConvertDisplayToEditValue(Variant(loaded_text), value, IsFocusedForFormatting());
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false, false); });
  SetEditValue(value);
}

void TlxCustomMemo::DefineProperties(TFiler& filer) {
  TlxCustomTextEdit::DefineProperties(filer);
  IlxInnerMemo* inner = GetInnerMemo();
  if (inner == nullptr)
    return;
  TWinControl* control = inner->GetControl();
  filer.DefineProperty(
      "Lines",
      [control](TReader& reader) {
        std::string text;
        reader.ReadListBegin();
        for (bool first = true; !reader.EndOfList(); first = false)
          text += (first ? "" : "\r\n") + reader.ReadString();
        reader.ReadListEnd();
        control->SetText(text);
      },
      [control](TWriter& writer) {
        const std::string text = control->Text();
        writer.WriteListBegin();
        size_t start = 0;
        while (start <= text.size()) {
          size_t end = text.find_first_of("\r\n", start);
          if (end == std::string::npos)
            end = text.size();
          writer.WriteString(text.substr(start, end - start));
          if (end == text.size())
            break;
          // CR LF is one break, as are a lone CR and a lone LF.
          start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
        writer.WriteListEnd();
      },
      !control->Text().empty());
}

// --- the leaf class --------------------------------------------------------------------------

void TlxMemo::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxMemo>();
  p.Persistent("Properties", TlxMemoProperties::kClass, &TlxMemo::GetProperties);
}
