#pragma once
// TlxCustomTabControl: the self-drawn tab control. The tab model and the
// layout are TlxTabControlModel's; this adds the window: the painter chosen
// by Style and the look-and-feel, painting, the mouse on tabs and navigator
// buttons (with the repeating arrows), hot tracking, keys, the wheel and
// accelerators. TlxTabControl publishes it. Included only from Windows
// sources.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "tabs/pc_painters_win.h"
#include "tabs/tab_control_model.h"
#include "ui/foundation/controls/control_win.h"

class TCustomImageList;
class TlxPCGoDialog;
class TlxPCImageList;
class TlxTimer;

class TFont;
class TlxCustomTabControl;

using TlxPCCanCloseEvent = std::function<void(TObject* sender, bool& can_close)>;
// Owner drawing of a tab; clearing `default_draw` leaves the tab to the handler.
using TlxDrawTabEvent = std::function<void(TlxCustomTabControl* control, TlxTab* tab, bool& default_draw)>;
// Changes the font a tab's caption is drawn with.
using TlxDrawTabExEvent = std::function<void(TlxCustomTabControl* control, TlxTab* tab, TFont& font)>;

class TlxCustomTabControl : public TlxControl, public TlxTabControlModel {
 public:
  static constexpr TClass kClass{"TlxCustomTabControl", &TlxControl::kClass,
                                 &ConstructInstance<TlxCustomTabControl>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomTabControl(TComponent* owner);
  ~TlxCustomTabControl() override;

  // 0 follows the look-and-feel.
  int32_t Style() const { return style_; }
  void SetStyle(int32_t value);
  TlxPCCustomPainter* PainterObject() const { return painter_.get(); }
  bool Focusable() const { return focusable_; }
  void SetFocusable(bool value);
  // The images shown on tabs; the control lets go of a list that is freed.
  TCustomImageList* Images() const;
  void SetImages(TCustomImageList* images);
  TlxPCImageList& ImageList() const { return *image_list_; }
  virtual void ImagesChanged();

  TlxPCCanCloseEvent OnCanClose;
  TlxDrawTabEvent OnDrawTab;
  TlxDrawTabExEvent OnDrawTabEx;

  // The canvas font for a tab's caption: the control's font in `color`,
  // then whatever OnDrawTabEx makes of it.
  void PrepareTabFont(TlxTab& tab, TlxCanvas& canvas, TColor color);

  // The arrow repeat timer while an arrow is held (null otherwise).
  TlxTimer* ArrowTimer() const { return arrow_timer_.get(); }

  // --- overridable operations ----------------------------------------
  virtual bool DoCanClose();
  virtual void CloseActiveTab();
  virtual bool SelectTabByAccel(char16_t character);
  virtual void ShowGoDialog();
  virtual void GoDialogClosed(int32_t tab_index);
  TlxPCGoDialog* GoDialog() const { return go_dialog_; }
  bool GoDialogShowing() const { return go_dialog_showing_; }
  // The page shown with the chosen tab (a page control's active page).
  virtual TWinControl* GetActivePageControl() { return nullptr; }
  virtual TWinControl* GetPage(int32_t /*index*/) { return nullptr; }

  // --- model hooks -----------------------------------------------------
  TObject* EventSender() override { return this; }
  bool IsLoading() const override { return ComponentState().Contains(csLoading); }
  bool IsDesignTime() const override { return ComponentState().Contains(csDesigning); }
  bool IsDestroying() const override;
  bool IsControlEnabled() const override { return Enabled(); }
  bool CanFocusControl() const override { return CanFocus(); }
  int32_t ControlWidth() const override { return Width(); }
  int32_t ControlHeight() const override { return Height(); }
  void RealignChildren() override;
  void RepaintControl() override;
  int32_t ImagesCount() const override;
  TSize ImagesSize() const override;
  void ImagesRotationChanged() override;
  void RecalculateLayout() override;
  void Notification(TComponent* component, TOperation operation) override;
  void RefreshHotTrack() override;
  bool CanFocus() const override;

  // --- toolkit overrides -----------------------------------------------
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;
  void LookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) override;
  void FocusChanged() override;
  void DoMouseLeave(TControl* control) override;
  void Loaded() override;
  void DefineProperties(TFiler& filer) override;
  void ChangeScale(int32_t multiplier, int32_t divider) override;

  // The page area as a form stored it; used while the control loads.
  const TRect& StoredClientRect() const { return stored_client_rect_; }
  bool StoredClientRectLoaded() const { return stored_client_rect_loaded_; }

 protected:
  void Paint() override;
  void Resize() override;
  void CreateWnd() override;
  void AdjustClientRect(TRect& rect) override;
  void WMGetDlgCode(TMessage& message) override;
  void CMDialogKey(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;

 private:
  void ApplyStyle(int32_t style_id);
  TlxPCLookAndFeelInfo LookAndFeelInfo();
  void PressButton(TlxPCNavigatorButton button);
  void ReleasePressedButton();
  void ArrowTimerTick();
  void StopArrowTimer();
  void RefreshHotTrackAt(TPoint point, bool left_button_down);
  TlxPCKeyShift KeyShift(TShiftState shift) const;

  int32_t style_ = 0;
  std::unique_ptr<TlxPCCustomPainter> painter_;
  bool focusable_ = true;
  std::unique_ptr<TlxTimer> arrow_timer_;
  std::unique_ptr<TlxPCImageList> image_list_;
  bool relayout_for_rotation_ = false;
  TRect stored_client_rect_;
  bool stored_client_rect_loaded_ = false;
  TlxPCGoDialog* go_dialog_ = nullptr;  // owned as a component
  bool go_dialog_showing_ = false;
};

class TlxTabControl : public TlxCustomTabControl {
 public:
  static constexpr TClass kClass{"TlxTabControl", &TlxCustomTabControl::kClass, &ConstructInstance<TlxTabControl>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomTabControl::TlxCustomTabControl;
};
