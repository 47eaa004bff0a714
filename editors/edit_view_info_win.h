#pragma once
// TlxCustomEditViewInfo: the calculated picture of an editor (frame,
// colours, buttons and their states). The same picture paints a stand-alone
// editor and a grid cell that has no window at all; it also tells what
// changed against an older picture and answers hit tests.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "editors/container_win.h"
#include "editors/edit_button_view_info_win.h"
#include "editors/edit_style_types.h"

class TlxCustomEditProperties;

// How the background of an editor is drawn (GetBackgroundDrawMode).
enum TlxEditBackgroundDrawMode : uint8_t {
  ebdmCustom,       // in-place, the OnDrawBackground handler draws it
  ebdmFrame,        // the whole classic frame with its buttons
  ebdmNothing,      // in-place and transparent
  ebdmFill,         // filled with the background colour
  ebdmParentImage,  // stand-alone and transparent: the parent's picture
  ebdmParentBackground,
};

class TlxCustomEditViewInfo : public TlxContainerViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomEditViewInfo", &TlxContainerViewInfo::kClass,
                                 &ConstructInstance<TlxCustomEditViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  using DrawBackgroundHandler = std::function<void(TlxCustomEditViewInfo& sender, TlxCanvas& canvas, bool& handled)>;
  using DrawButtonHandler =
      std::function<void(TlxCustomEditViewInfo& sender, TlxCanvas& canvas, bool& handled, int32_t button_index)>;
  using GetButtonStateHandler = std::function<void(TlxEditButtonViewInfo& button, uint8_t& state)>;
  using PaintHandler = std::function<void(TlxCustomEditViewInfo& sender, TlxCanvas& canvas)>;

  // Container overrides.
  TlxContainerBorderStyle GetActualBorderStyle() const override;
  void RenderFrame(TlxCanvas& canvas) override;
  void TakeStateFrom(const TlxContainerViewInfo* other) override;
  void MoveBy(int32_t dx, int32_t dy) override;
  void Draw(TlxCanvas& canvas) override;

  // Virtual operations, in the order of their slots.
  virtual bool RepaintsOnStateChange() const { return true; }
  virtual void PaintButton(TlxCanvas& canvas, int32_t index);
  virtual void DrawButtonFrame3D(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                 TColor& text_color, TRect& content, TRect& bounds);
  virtual void DrawButtonFrameFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                   TColor& text_color, TRect& content, TRect& bounds);
  virtual void DrawButtonFrameHotFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                      TColor& text_color, TRect& content, TRect& bounds);
  virtual void DrawButtonFrameSimple(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                     TColor& text_color, TRect& content, TRect& bounds);
  virtual void DrawButtonFrameUltraFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                        TColor& content_color, TColor& text_color, TRect& content, TRect& bounds,
                                        bool office11);
  // A button in the visual style: its content rectangle only; the
  // background step draws the themed part.
  virtual void DrawButtonFrameThemed(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                     TColor& text_color, TRect& content, TRect& bounds);
  virtual void DrawThemedButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                          const TRect& rect);
  virtual void FillButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor color,
                                    const TRect& rect);
  virtual void DrawButton(TlxCanvas& canvas, int32_t index);
  virtual void DrawButtonFrame(TlxCanvas& canvas, int32_t index, TColor& content_color, TColor& text_color,
                               TRect& content, TRect& bounds);
  virtual void DrawButtonContent(TlxCanvas& canvas, int32_t index, bool pressed, TColor content_color,
                                 TColor text_color, const TRect& rect);
  virtual bool HasHotButton() const { return HotButton >= 0; }
  virtual bool IsPointOnButton(const TPoint& point) const;
  // Invalidates in `window` what changed against `old` inside `rect` (the
  // whole picture when `rect` is empty); says whether anything was.
  virtual bool RepaintChangedInRect(HWND window, const TRect& rect, const TlxCustomEditViewInfo* old) const;
  bool RepaintChanged(HWND window, const TlxCustomEditViewInfo* old) const {
    return RepaintChangedInRect(window, TRect(), old);
  }

  // The themed frame and the background inside it; in-place or without a
  // border only the background. `combo_look` as for
  // lxDrawEditBackgroundAndBorder.
  void FillEditBackground(TlxCanvas& canvas, bool draw_background, int32_t combo_look);
  void DrawButtons(TlxCanvas& canvas);
  TlxEditBackgroundDrawMode GetBackgroundDrawMode() const;
  bool HasSpecialBackground() const;
  void DrawEditBackground(TlxCanvas& canvas, const TRect& rect, bool clip_only_to_rect, const TRect& exclude);
  bool TryCustomDrawBackground(TlxCanvas& canvas);
  void SetButtonCount(int32_t count);
  int32_t ButtonCount() const { return static_cast<int32_t>(Buttons.size()); }
  TlxEditButtonViewInfo& Button(int32_t index) const { return *Buttons[static_cast<size_t>(index)]; }

  DrawBackgroundHandler OnDrawBackground;
  DrawButtonHandler OnDrawButton;
  GetButtonStateHandler OnGetButtonState;
  PaintHandler OnPaint;

  TRect BorderExtent;
  TlxEditBorderStyle EditBorderStyle = ebsNone;
  std::vector<std::unique_ptr<TlxEditButtonViewInfo>> Buttons;
  const TlxCustomEditProperties* Properties = nullptr;
  bool Enabled = true;
  bool Focused = false;
  TFont* Font = nullptr;
  bool EraseOnInvalidate = true;
  bool HasInplaceFrameExtent = false;
  TRect InnerEditRect;
  bool ButtonReallyPressed = false;
  bool Designing = false;
  bool Inplace = false;
  bool Selected = false;
  TPoint Origin;
  uint32_t PaintOptions = 0;
  int32_t PressedButton = -1;
  int32_t HotButton = -1;
  TRect ShadowRect;
  TColor TextColor = clWindowText;
  bool Transparent = false;
  TlxEditPopupBorderStyle PopupBorderStyle = epbsSingle;

 private:
  bool drawing_buttons_ = false;
};

// The part of an editor at `point`: the hot button's index; else -1 inside
// the border rectangle, -2 outside.
int32_t lxGetEditHitPart(const TPoint& point, const TlxCustomEditViewInfo& view_info);
// -1: the border rectangle up to the first button; a button index: its
// bounds; otherwise empty.
TRect lxGetEditPartBounds(const TlxCustomEditViewInfo& view_info, int32_t part);
// The frame, shadow and background of an editor, then its buttons.
// `combo_look` is 0 for every editor but the text kinds.
void lxDrawEditBackgroundAndBorder(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info, bool draw_background,
                                   int32_t combo_look);
