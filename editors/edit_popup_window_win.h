#pragma once
// TlxCustomEditPopupWindow: the window a drop-down editor opens. On top of
// the popup behaviour it has a frame in one of four styles, an optional
// sunken client edge and shadow, an optional system panel on the side away
// from the editor with a size grip and a close button, and resizing by the
// grip and the outer edges. It remembers on which side of the editor it
// opened (the sizing corner), so that the grip always sits on the far side
// and the side facing the editor never moves.
//
// The popup reaches its editor through IlxEditPopupOwner, so that it works
// (and is tested) with any owner that answers those few questions.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "editors/edit_style_types.h"
#include "editors/popup_window_win.h"
#include "ui/foundation/controls/size_frame_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

// Where the size grip sits: the corner away from the editor.
enum TlxPopupSizingCorner : uint8_t { pscTopLeft = 0, pscTopRight = 1, pscBottomLeft = 2, pscBottomRight = 3 };

// The close button's states.
inline constexpr int32_t kLxPopupCloseButtonNormal = 1;
inline constexpr int32_t kLxPopupCloseButtonHot = 2;
inline constexpr int32_t kLxPopupCloseButtonPressed = 3;

// Posted to a popup: a character typed into its editor, for the control
// that has the focus inside the popup.
inline constexpr UINT LX_POPUP_FORWARD_CHAR = 0x8096;

// The width of the shadow bands right and below a popup with a shadow.
inline constexpr int32_t kLxPopupShadowWidth = 3;

// What an edit popup asks of the editor that opened it.
class IlxEditPopupOwner : public virtual IInterface {
 public:
  // The rectangle the popup opens at, in the editor's parent coordinates.
  virtual TRect GetPopupOwnerBounds() = 0;
  virtual TSize CalculatePopupContentSize() = 0;
  virtual void CloseUp(int32_t reason) = 0;
  virtual void DoFinalizePopup() = 0;
  virtual bool PopupAdjustsToWorkArea() = 0;
  virtual void PlacePopupContent(const TRect& client_rect) = 0;
  // The user dragged the popup to a new size during this opening.
  virtual void NotePopupResizedByUser() = 0;
  // True when the popup's content is a lookup list that snaps a size
  // offered to it (to whole rows); `size` is the content size in and out.
  virtual bool UsesLookupListInPopup() = 0;
  virtual bool AdjustLookupListSize(TSize& size, const TSize& available) = 0;
};

using TlxEditPopupDrawBorderEvent = std::function<void(class TlxCustomEditPopupWindowViewInfo* view_info,
                                                       TlxCanvas& canvas, int32_t& width, bool& handled,
                                                       const TRect& rect)>;

class TlxCustomEditPopupWindowViewInfo : public TlxContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomEditPopupWindowViewInfo", &TlxContainerViewInfo::kClass,
                                 &ConstructInstance<TlxCustomEditPopupWindowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Virtual operations, in the order of their slots.
  virtual void Calculate();
  virtual void DrawBorder(TlxCanvas& canvas, TRect& rect);
  virtual TRect CalcBorderExtent();
  virtual TRect GetBorderExtent() { return CalcBorderExtent(); }
  virtual int32_t GetSysPanelHeight();
  // True on a sizing zone; the directions (-1, 0, 1) go to `horizontal`
  // and `vertical`.
  virtual bool GetSizingDirection(int32_t x, int32_t y, int32_t& horizontal, int32_t& vertical);

  void RenderFrame(TlxCanvas& canvas) override;

  // The frame and client-edge widths of the present style.
  int32_t FrameWidth() const;
  int32_t ClientEdgeWidth() const;
  bool SizingCornerIsLeft() const { return SizingCorner == pscTopLeft || SizingCorner == pscBottomLeft; }
  bool SizingCornerIsTop() const { return SizingCorner == pscTopLeft || SizingCorner == pscTopRight; }
  // The cursor of a pair of sizing directions.
  static TCursor SizingCursor(int32_t horizontal, int32_t vertical);

  TlxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  bool ClientEdge = false;
  bool CloseButton = false;
  bool Sizeable = false;
  bool SysPanel = false;
  TlxLookAndFeelKind LookAndFeelKind = lfStandard;
  TlxPopupSizingCorner SizingCorner = pscBottomRight;
  int32_t CloseButtonState = kLxPopupCloseButtonNormal;
  int32_t MinSysPanelHeight = 0;
  int32_t SysPanelHeight = 0;
  int32_t EdgeZoneWidth = 0;
  TRect InnerRect;
  TRect SizeGripArea;
  TRect SizeGripRect;
  TRect CloseButtonRect;
  TlxEditPopupDrawBorderEvent OnCustomDrawBorder;

 protected:
  void DrawSizeGrip(TlxCanvas& canvas);
  void DrawCloseButton(TlxCanvas& canvas);
  bool IsPanelThemed() const;
  TSize ThemedCloseButtonSize() const;
  TSize ThemedSizeBoxSize() const;
};

class TlxCustomEditPopupWindow : public TlxCustomPopupWindow {
 public:
  static constexpr TClass kClass{"TlxCustomEditPopupWindow", &TlxCustomPopupWindow::kClass,
                                 &ConstructInstance<TlxCustomEditPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }
  // Built for the editor that opens it, which frees it.
  using TOwnerType = TControl;

  explicit TlxCustomEditPopupWindow(TControl* owner_control);
  ~TlxCustomEditPopupWindow() override;

  // Virtual operations, in the order of their slots.
  virtual void CalculateViewInfo();
  virtual void ForwardKeyChar(char16_t ch);
  virtual TSize GetFrameExtent();
  // May adjust the new size; false refuses it.
  virtual bool CanResize(int32_t& width, int32_t& height);

  void CalcPosition(TPoint& position) override;
  void CalcSize() override;
  bool AdjustsToWorkArea() const override;
  void FireClosed(int32_t reason) override;
  void FireClosing(int32_t reason) override;
  void CloseOnModalResult() override;
  const TClass* GetViewInfoClass() const override { return &TlxCustomEditPopupWindowViewInfo::kClass; }
  void ShowPopupFocused(TWinControl* control) override;
  void GetOwnerScreenBounds(TRect& rect) override;
  // A press on the editor closes the popup and is claimed, so that the
  // editor does not reopen it at once for the same press.
  bool HandleOwnerMouseDown(HWND window, UINT message, const TPoint& screen_point, TShiftState shift) override;

  // The editor, or null when the owner is no edit-popup owner.
  IlxEditPopupOwner* GetEdit() const;
  TlxCustomEditPopupWindowViewInfo& GetViewInfo() const { return *edit_view_info_; }
  int32_t GetSysPanelHeight() const { return edit_view_info_->MinSysPanelHeight; }
  void SetSysPanelHeight(int32_t value) { edit_view_info_->MinSysPanelHeight = value; }
  void ShowSizeFrame(const TRect& rect);
  void RelayoutAfterResize();
  // Room for the content: the work area's side of the editor, less the border.
  TSize GetAvailableContentSize();

  // Settings copied from the editor before each opening.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value) { auto_size_ = value; }
  TlxEditPopupBorderStyle PopupBorderStyle() const { return edit_view_info_->PopupBorderStyle; }
  void SetPopupBorderStyle(TlxEditPopupBorderStyle value) { edit_view_info_->PopupBorderStyle = value; }
  bool ClientEdge() const { return edit_view_info_->ClientEdge; }
  void SetClientEdge(bool value) { edit_view_info_->ClientEdge = value; }
  bool CloseButton() const { return edit_view_info_->CloseButton; }
  void SetCloseButton(bool value) { edit_view_info_->CloseButton = value; }
  bool NativeStyle() const { return edit_view_info_->NativeStyle; }
  void SetNativeStyle(bool value) { edit_view_info_->NativeStyle = value; }
  bool Shadow() const { return edit_view_info_->Shadow; }
  void SetShadow(bool value) { edit_view_info_->Shadow = value; }
  bool Sizeable() const { return edit_view_info_->Sizeable; }
  void SetSizeable(bool value) { edit_view_info_->Sizeable = value; }
  bool SysPanelStyle() const { return edit_view_info_->SysPanel; }
  void SetSysPanelStyle(bool value) { edit_view_info_->SysPanel = value; }
  int32_t MinWidth() const { return min_width_; }
  void SetMinWidth(int32_t value) { min_width_ = value; }
  int32_t MinHeight() const { return min_height_; }
  void SetMinHeight(int32_t value) { min_height_ = value; }
  int32_t PopupWidth() const { return popup_width_; }
  void SetPopupWidth(int32_t value) { popup_width_ = value; }
  int32_t PopupHeight() const { return popup_height_; }
  void SetPopupHeight(int32_t value) { popup_height_ = value; }
  bool IsCalculatingSize() const { return calculating_size_; }
  bool& CalculatingSizeFlag() { return calculating_size_; }
  // Remembers the control to focus and posts the show, so that it runs
  // after the press or key that opens the popup.
  void ShowPopupFocusedLater(TWinControl* control);
  bool IsResizing() const { return resizing_; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseLeave() override;

  // The owner bounds on the screen.
  TRect OwnerScreenRect();
  void UpdateWindowRegion();

  std::unique_ptr<TlxCustomEditPopupWindowViewInfo> edit_view_info_;

 private:
  TRect ResizedBounds(const TPoint& screen_point);
  void ChangeCloseButtonState(int32_t state);
  void ShowSizingCursor(int32_t horizontal, int32_t vertical);
  void FinishResizing();

  bool auto_size_ = false;
  int32_t min_width_ = 0;
  int32_t min_height_ = 0;
  int32_t popup_width_ = 0;
  int32_t popup_height_ = 0;
  bool calculating_size_ = false;
  std::unique_ptr<TlxSizeFrame> size_frame_;
  // One resize at a time.
  bool resizing_ = false;
  bool sizing_cursor_shown_ = false;
  int32_t horizontal_direction_ = 0;
  int32_t vertical_direction_ = 0;
  TPoint grab_offset_;
  TRect outline_;
  TWeakRef<TWinControl> pending_focus_;
};

// The popup edit's window: only its 3-D frame differs.
class TlxPopupEditPopupWindowViewInfo : public TlxCustomEditPopupWindowViewInfo {
 public:
  static constexpr TClass kClass{"TlxPopupEditPopupWindowViewInfo", &TlxCustomEditPopupWindowViewInfo::kClass,
                                 &ConstructInstance<TlxPopupEditPopupWindowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  void DrawBorder(TlxCanvas& canvas, TRect& rect) override;
};

class TlxPopupEditPopupWindow : public TlxCustomEditPopupWindow {
 public:
  static constexpr TClass kClass{"TlxPopupEditPopupWindow", &TlxCustomEditPopupWindow::kClass,
                                 &ConstructInstance<TlxPopupEditPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TControl;

  explicit TlxPopupEditPopupWindow(TControl* owner_control);
  const TClass* GetViewInfoClass() const override { return &TlxPopupEditPopupWindowViewInfo::kClass; }
};

// A popup window of `cls` (a TlxCustomEditPopupWindow class) for `edit`;
// EInvalidOperation for any other class.
std::unique_ptr<TlxCustomEditPopupWindow> lxCreateEditPopupWindow(const TClass* cls, TControl* edit);
