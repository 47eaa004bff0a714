#pragma once
// TlxCustomGridCellViewInfo and TlxCustomGridCellPainter: the base of every
// visible element of a view (lazy paint params and bounds, text measuring,
// the hot/pressed state machine with mouse capture, popup ownership) and
// its painter, made per paint of one cell and freed right after. Included
// only from Windows sources.

#include <cstdint>
#include <string>

#include "grid/grid_view_handler_win.h"
#include "grid/grid_view_info_win.h"
#include "ui/foundation/base/interfaced.h"
#include "platform/rtl/geometry.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/painter_types.h"

class TBitmap;
class TlxControl;
class TlxCustomGridController;
class TlxCustomGridHitTest;

enum TlxGridCellMouseState : uint8_t { gmsNormal = 0, gmsHot = 1, gmsPressed = 2 };

class TlxCustomGridCellViewInfo : public TlxIUnknownObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridCellViewInfo", &TlxIUnknownObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridCellViewInfo();
  ~TlxCustomGridCellViewInfo() override;

  TRect BoundsRect;
  TlxBorders BorderSides{};
  TlxGridCellMouseState MouseState() const { return mouse_state_; }
  void SetMouseState(TlxGridCellMouseState value);
  bool IsVisible() const { return is_visible_; }
  bool IsCalculated() const { return is_calculated_; }
  bool IsBeingDestroyed() const { return is_being_destroyed_; }
  const TlxPaintParams& PaintParams();
  int32_t BorderWidth(TlxBorder side);
  TlxButtonState ButtonState();
  TRect ClientBounds();
  TRect ContentBounds();
  std::string DisplayText();
  int32_t TextHeight();
  int32_t TextWidth();
  int32_t TextWidthWithOffset();
  TlxCustomGridHitTest* LinkedHitTest() const { return linked_hit_test_; }
  void SetLinkedHitTest(TlxCustomGridHitTest* hit_test) { linked_hit_test_ = hit_test; }
  void CalculateParamsIfNeeded();

  // --- overridable, in slot order --------------------------------------
  virtual void LoseMouseCapture();
  virtual void MouseLeave();
  virtual bool PtInCaller(const TPoint& point) { return HasPoint(point); }
  virtual void AfterCalculateBounds(TRect& rect);
  virtual void LoadParamsFromCanvas(TlxCanvas& canvas);
  virtual void ApplyParamsToCanvas(TlxCanvas& canvas);
  virtual void BeforeMouseStateChange() {}
  virtual void CalculateClientBounds(TRect& rect);
  virtual void CalculateContentBounds(TRect& rect);
  virtual int32_t CalculateHeight();
  virtual int32_t CalculateWidth();
  virtual bool CaptureMouseOnPress() const { return false; }
  virtual void Click() {}
  virtual bool CustomDraw(TlxCanvas& /*canvas*/) { return false; }
  virtual bool CustomDrawBackground(TlxCanvas& /*canvas*/) { return false; }
  virtual void CalculateParams();
  virtual void InvalidateBounds();
  virtual bool DoCustomDraw(TlxCanvas& canvas);
  virtual bool DoCustomDrawBackground(TlxCanvas& canvas);
  virtual TlxGridCellMouseState GetPaintState() { return mouse_state_; }
  virtual TAlignment GetTextAlignHorz() const { return taLeftJustify; }
  virtual TlxAlignmentVert GetTextAlignVert() const { return vaTop; }
  virtual void GetAreaBounds(TRect& rect) { rect = TRect(); }
  virtual TBitmap* GetBackgroundBitmap();
  virtual void GetBorderBounds(TlxBorder side, TRect& rect);
  virtual TColor GetBorderColor(TlxBorder side);
  virtual TlxBorders GetBorders() { return {}; }
  virtual int32_t GetBorderWidth(TlxBorder side);
  virtual TlxCanvas& GetCanvas() = 0;
  virtual int32_t GetCellHeight(int32_t text_height, TlxPainterClass /*painter*/) const { return text_height + 4; }
  virtual int32_t GetContentHeight();
  virtual int32_t GetContentWidth();
  virtual TlxControl* GetControl();
  virtual void GetFocusRect(TRect& rect);
  virtual int32_t GetFocusFrameCount() const { return 2; }
  virtual int32_t GetHeight() const { return BoundsRect.Height(); }
  virtual const TClass* GetHitTestClass() const = 0;
  virtual bool GetHotTrack() { return HasPopup(); }
  virtual bool HasPopup() { return GetPopup() != nullptr; }
  virtual bool IsDesignSelected() { return false; }
  virtual bool CanPaint() { return GetVisible(); }
  virtual bool IsMouseCaptured();
  virtual bool GetMeasureMultiLine() { return false; }
  virtual bool GetPaintMultiLine() { return GetMeasureMultiLine(); }
  virtual const TClass* GetPainterClass() const;
  virtual bool GetShowEndEllipsis() { return false; }
  virtual void GetText(std::string& text) { text.clear(); }
  virtual void GetTextAreaBounds(TRect& rect);
  virtual uint32_t GetTextFlags(bool for_painting);
  virtual int32_t GetHeightByText(TlxCustomGridViewInfo* view_info, TlxPainterClass painter);
  virtual void GetPaintText(std::string& text) { text = DisplayText(); }
  virtual bool HasBackgroundBitmap() { return GetBackgroundBitmap() != nullptr; }
  virtual void GetViewParams(TlxPaintParams& /*params*/) {}
  virtual bool GetVisible() { return is_visible_; }
  virtual bool GetVisibleForHitTest() { return GetVisible(); }
  virtual int32_t GetWidth() const { return BoundsRect.Width(); }
  virtual bool HasBackground() { return true; }
  virtual bool HasCustomDraw() { return false; }
  virtual bool HasCustomDrawBackground() { return false; }
  virtual bool HasHitTestPoint(const TPoint& point) { return HasPoint(point); }
  virtual bool IsHitTestOwn(TlxCustomGridHitTest* hit_test);
  virtual void InitHitTest(TlxCustomGridHitTest* hit_test);
  virtual bool InvalidateOnStateChange() { return true; }
  virtual void Offset(int32_t dx, int32_t dy);
  virtual void SetPaintParams(const TlxPaintParams& params);
  virtual void GetPaintParams(TlxPaintParams& params);
  virtual void SetHeight(int32_t height) { BoundsRect.Bottom = BoundsRect.Top + height; }
  virtual void SetMouseCapture(bool value);
  virtual void SetWidth(int32_t width) { BoundsRect.Right = BoundsRect.Left + width; }
  virtual void MouseStateChanged(TlxGridCellMouseState prev_state);
  virtual void DropDownPopup();
  virtual void PopupClosed() { SetMouseState(gmsNormal); }
  virtual bool ClosePopupWithOwner() { return true; }
  virtual bool IsPopupCreated() { return false; }
  virtual TObject* GetPopup() { return nullptr; }
  virtual void GetPopupOwnerBounds(TRect& rect) { rect = BoundsRect; }
  virtual bool IsPopupOwnerless();
  virtual void AfterRecalculation() {}
  virtual void BeforeRecalculation();
  virtual void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1);
  virtual void CalculateByRect(const TRect& rect);
  virtual void GetPaintBounds(TRect& rect) { rect = BoundsRect; }
  virtual int32_t GetBestFitWidth();
  virtual TlxCustomGridHitTest* GetHitTest(const TPoint& point);
  virtual bool HasPoint(const TPoint& point);
  virtual void Invalidate() { InvalidateBounds(); }
  virtual bool MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift);
  virtual bool MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift);
  virtual bool MouseUp(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift);
  virtual void Paint(TlxCanvas* canvas = nullptr);

 protected:
  void MarkBeingDestroyed() { is_being_destroyed_ = true; }

 private:
  TlxGridCellMouseState mouse_state_ = gmsNormal;
  bool is_visible_ = true;
  bool is_calculated_ = false;
  bool is_being_destroyed_ = false;
  bool params_calculated_ = false;
  TlxPaintParams paint_params_;
  TRect client_bounds_cache_;
  TRect content_bounds_cache_;
  int32_t text_height_ = -1;
  int32_t text_width_ = -1;
  TlxCustomGridHitTest* linked_hit_test_ = nullptr;
};

// A cell that belongs to a view's view info.
class TlxCustomGridViewCellViewInfo : public TlxCustomGridCellViewInfo {
 public:
  using TOwnerType = TlxCustomGridViewInfo;
  static constexpr TClass kClass{"TlxCustomGridViewCellViewInfo", &TlxCustomGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewCellViewInfo(TlxCustomGridViewInfo* owner_view_info);

  TlxCustomGridViewInfo* OwnerViewInfo() const { return owner_view_info_; }
  TlxCustomGridView* GridView() const;
  TlxCustomGridController* Controller() const;
  TlxPainterClass LookAndFeelPainter() const;

  void AfterCalculateBounds(TRect& rect) override;
  void InvalidateBounds() override;
  TlxCanvas& GetCanvas() override;
  TlxControl* GetControl() override;
  bool IsHitTestOwn(TlxCustomGridHitTest* hit_test) override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  void BeforeRecalculation() override;
  void Invalidate() override;
  bool MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift) override;

  // --- overridable, in slot order --------------------------------------
  virtual bool CheckHotTrackAfterCalculate() { return false; }
  virtual bool HasHint() { return false; }
  virtual void GetHintAreaBounds(TRect& rect) { GetAreaBounds(rect); }
  virtual void GetHintCellBounds(TRect& rect) { GetTextAreaBounds(rect); }
  virtual void GetHintText(std::string& text) { text = DisplayText(); }
  virtual void GetHintTextRect(const TPoint& mouse_pos, TRect& rect);
  virtual bool IsHintPoint(const TPoint& point);
  virtual void GetHintInfo(const TPoint& mouse_pos, std::string& text, TRect& text_rect, bool& is_multi_line);
  virtual bool HintOnlyForHiddenText() { return true; }
  virtual bool GetHintMultiLine() { return GetPaintMultiLine(); }
  virtual bool NeedsHint(const TPoint& mouse_pos, std::string& text, TRect& text_rect, bool& is_multi_line);

 private:
  TlxCustomGridViewInfo* owner_view_info_;
};

// Made per paint of one cell, freed right after.
class TlxCustomGridCellPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridCellPainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridCellPainter(TlxCanvas& canvas, TlxCustomGridCellViewInfo& view_info)
      : canvas_(canvas), view_info_(view_info) {}

  TlxCanvas& Canvas() const { return canvas_; }
  TlxCustomGridCellViewInfo& ViewInfo() const { return view_info_; }

  // --- overridable, in slot order --------------------------------------
  virtual void AfterPaint();
  virtual void BeforePaint() {}
  virtual bool CanDrawDesignSelection() { return true; }
  virtual void DoExcludeFromClipRect();
  virtual void DrawBackground();
  virtual void DrawBackgroundRect(const TRect& rect);
  virtual bool DrawBackgroundBitmapTo(TlxCanvas& canvas, const TRect& rect);
  virtual void DrawBorder(TlxBorder side);
  virtual void DrawBorders();
  virtual void DrawContent();
  virtual void DrawDesignSelectionFrames();
  virtual void DrawText();
  virtual bool ExcludeFromClipRect() { return false; }
  virtual bool IsVisible();
  virtual void DoPaint();
  virtual void BeforeDrawText() {}
  virtual void AfterDrawText() {}
  virtual void DrawDesignSelectionIfNeeded();
  virtual void MainPaint();

 private:
  TlxCanvas& canvas_;
  TlxCustomGridCellViewInfo& view_info_;
};

// The triangle in the top-left corner of a view's site at design time.
class TlxGridDesignSelectorViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDesignSelectorViewInfo", &TlxCustomGridViewCellViewInfo::kClass,
                                 &ConstructInstance<TlxGridDesignSelectorViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;

  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
};

class TlxGridDesignSelectorPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDesignSelectorPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
  void DrawContent() override;
};
