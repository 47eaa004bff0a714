#pragma once
// TCustomListControl: what list boxes and combo boxes share. The items live
// in the system control (TListControlStrings), or in a saved copy while it
// has no window; owner-drawn items are drawn and measured by the program
// through DrawItem and MeasureItem, which the parent's WM_DRAWITEM and
// WM_MEASUREITEM reach as CN_DRAWITEM and CN_MEASUREITEM.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/strings.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/list_control_strings.h"
#include "platform/toolkit/win_control.h"

enum TOwnerDrawStateFlag : uint8_t {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odComboBoxEdit,
};
using TOwnerDrawState = TSmallSet<TOwnerDrawStateFlag>;
// The state of a DRAWITEMSTRUCT.
TOwnerDrawState OwnerDrawStateOf(UINT item_state);

using TDrawItemEvent = std::function<void(TObject* control, int32_t index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TObject* control, int32_t index, int32_t& height)>;

// The toolkit's drawing of an item: its text, on the selection's colours
// when it is selected.
void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text, TOwnerDrawState state);

class TCustomListControl : public TWinControl, private IListControlHost {
 public:
  static constexpr TClass kClass{"TCustomListControl", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  ~TCustomListControl() override;

  TStrings& Items() { return *items_; }
  void SetItems(const TStrings& items) { items_->Assign(&items); }

  // The canvas owner-drawn items are drawn on (valid while one is drawn).
  TCanvas& Canvas() { return *canvas_; }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  // Draws an owner-drawn item: OnDrawItem, or the text on the selection's
  // colours. The focus frame is drawn afterwards either way.
  virtual void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state);
  // The height of an item of a list whose items differ in height:
  // OnMeasureItem, starting from the owner-drawn item height.
  virtual void MeasureItem(int32_t index, int32_t& height);

 protected:
  TCustomListControl(TComponent* owner, const TListControlMessages& messages);

  void Dispatch(TMessage& message) override;
  // Whether each item asks MeasureItem for its height.
  virtual bool HasVariableItemHeight() const = 0;
  // The items while there is no window.
  TStringList& SavedItems() override { return *saved_items_; }
  // The height of owner-drawn items, and where MeasureItem starts.
  int32_t OwnerDrawItemHeight() const { return item_height_; }
  void SetOwnerDrawItemHeight(int32_t height) { item_height_ = height; }

 private:
  void CNDrawItem(TMessage& message);
  void CNMeasureItem(TMessage& message);

  // IListControlHost
  HWND ItemsWindow() const override { return WindowHandle(); }

  std::unique_ptr<TListControlStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  std::unique_ptr<TStringList> saved_items_;
  int32_t item_height_ = 16;
};
