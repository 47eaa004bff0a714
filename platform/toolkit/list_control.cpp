#include "platform/toolkit/list_control.h"

#include <algorithm>
#include <utility>

#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/gdi_holders.h"

TOwnerDrawState OwnerDrawStateOf(UINT item_state) {
  TOwnerDrawState state;
  const std::pair<UINT, TOwnerDrawStateFlag> flags[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
      {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
      {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel},
      {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit},
  };
  for (const auto& [bit, flag] : flags)
    if ((item_state & bit) != 0)
      state.Include(flag);
  return state;
}

void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text, TOwnerDrawState state) {
  if (state.Contains(odSelected)) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  canvas.FillRect(rect);
  TRect text_rect = rect;
  text_rect.Left += 2;
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(text_rect, text, TTextFormat{tfSingleLine, tfVerticalCenter, tfNoPrefix});
}

// --- TCustomListControl -------------------------------------------------------------------------

TCustomListControl::TCustomListControl(TComponent* owner, const TListControlMessages& messages)
    : TWinControl(owner),
      items_(std::make_unique<TListControlStrings>(static_cast<IListControlHost&>(*this), messages)),
      canvas_(std::make_unique<TControlCanvas>()),
      saved_items_(std::make_unique<TStringList>()) {
  canvas_->SetControl(this);
}

TCustomListControl::~TCustomListControl() {
  // The window goes while the items and the canvas its last messages may
  // need still exist.
  Destroying();
  DestroyHandle();
  canvas_->FreeHandle();
}

void TCustomListControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_DRAWITEM:
      CNDrawItem(message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(message);
      return;
    default:
      TWinControl::Dispatch(message);
  }
}

void TCustomListControl::CNDrawItem(TMessage& message) {
  message.Result = 1;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item == nullptr)
    return;
  // The canvas takes the item's device context for the call, with the
  // control's font and brush; the focus frame follows the item.
  const TOwnerDrawState state = OwnerDrawStateOf(item->itemState);
  TSavedDCState saved(item->hDC);
  TCanvasHandleScope drawing(*canvas_, item->hDC);
  canvas_->SetFont(Font());
  canvas_->SetBrush(Brush());
  const TRect rect(item->rcItem);
  const auto index = static_cast<int32_t>(item->itemID);
  if (index >= 0 && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
    DrawItem(index, rect, state);
  if (state.Contains(odFocused) && !state.Contains(odNoFocusRect))
    canvas_->DrawFocusRect(rect);
}

void TCustomListControl::CNMeasureItem(TMessage& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  message.Result = 1;
  if (measure == nullptr)
    return;
  int32_t height = item_height_;
  // A combo box also asks for its field's height, as item -1.
  const auto index = static_cast<int32_t>(measure->itemID);
  if (HasVariableItemHeight() && index >= 0)
    MeasureItem(index, height);
  measure->itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
}

void TCustomListControl::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(*canvas_, rect, index < items_->Count() ? items_->Get(index) : std::string(), state);
}

void TCustomListControl::MeasureItem(int32_t index, int32_t& height) {
  if (OnMeasureItem)
    OnMeasureItem(this, index, height);
}
