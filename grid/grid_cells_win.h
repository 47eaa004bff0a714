#pragma once
// TlxCustomGridCellViewInfo and TlxCustomGridCellPainter: the base of every
// visible element of a view (lazy paint params and bounds, text measuring,
// the hot/pressed state machine with mouse capture, popup ownership) and
// its painter, made per paint of one cell and freed right after. Included
// only from Windows sources.

#include <cstdint>
#include <string>

#include <memory>

#include "grid/grid_cell_popup_win.h"
#include "grid/grid_view_handler_win.h"
#include "grid/grid_view_info_win.h"
#include "ui/foundation/base/interfaced.h"
#include "platform/rtl/geometry.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/control_interfaces_win.h"
#include "ui/foundation/painters/painter_types.h"
#include "ui/foundation/system/mouse_tracking_win.h"

class TBitmap;
class TlxControl;
class TlxCustomGridController;
class TlxCustomGridHitTest;

enum TlxGridCellMouseState : uint8_t { gmsNormal = 0, gmsHot = 1, gmsPressed = 2 };

class TlxCustomGridCellPainter;
class TlxCustomGridCellViewInfo;

// What a painter is made for: one paint of one cell on one canvas. Painter
// classes are made through their TClass with this as the owner.
class TlxGridCellPaintTarget : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridCellPaintTarget", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridCellPaintTarget(TlxCanvas& canvas, TlxCustomGridCellViewInfo& cell) : Canvas(canvas), Cell(cell) {}
  TlxCanvas& Canvas;
  TlxCustomGridCellViewInfo& Cell;
};

class TlxCustomGridCellViewInfo : public TlxIUnknownObject,
                                  public IlxCustomGridPopupOwner,
                                  public IlxMouseTrackingArea,
                                  public IlxMouseTrackingCaller,
                                  public IlxCaptureObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridCellViewInfo", &TlxIUnknownObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridCellViewInfo();
  ~TlxCustomGridCellViewInfo() override;
  TlxCustomGridCellViewInfo(const TlxCustomGridCellViewInfo&) = delete;
  TlxCustomGridCellViewInfo& operator=(const TlxCustomGridCellViewInfo&) = delete;

  TRect BoundsRect;
  TlxBorders BorderSides{};
  TlxGridCellMouseState MouseState() const { return mouse_state_; }
  void SetMouseState(TlxGridCellMouseState value);
  bool IsVisible() const { return is_visible_; }
  void SetIsVisible(bool value) { is_visible_ = value; }
  bool IsCalculated() const { return is_calculated_; }
  bool IsBeingDestroyed() const { return is_being_destroyed_; }
  bool AreParamsCalculated() const { return params_calculated_; }
  const TlxPaintParams& PaintParams();
  TAlignment TextAlignHorz() const { return text_align_horz_; }
  TlxAlignmentVert TextAlignVert() const { return text_align_vert_; }
  bool MeasureMultiLine() const { return measure_multi_line_; }
  bool PaintMultiLine() const { return paint_multi_line_; }
  int32_t BorderWidth(TlxBorder side);
  TlxButtonState ButtonState();
  TRect ClientBounds();
  TRect ContentBounds();
  void ClearBoundsCaches();
  std::string DisplayText();
  void SetDisplayText(const std::string& text) { display_text_ = text; }
  int32_t TextHeight();
  int32_t TextHeightWithOffset() { return TextHeight() + 4; }
  int32_t TextWidth();
  int32_t TextWidthWithOffset();
  int32_t MeasureTextWidth(int32_t angle);
  int32_t MeasureTextHeight(bool for_painting, int32_t angle);
  void TextBounds(TRect& rect) { CalculateTextBounds(true, true, rect); }
  void CalculateTextBounds(bool horz, bool vert, TRect& rect);
  TRect VisibleBounds();
  TlxCustomGridHitTest* LinkedHitTest() const { return linked_hit_test_; }
  // The hit test's side of the two-way link; TlxCustomGridHitTest::SetViewInfo
  // keeps both sides.
  void SetLinkedHitTest(TlxCustomGridHitTest* hit_test) { linked_hit_test_ = hit_test; }
  // Points `hit_test` at this cell; the hit test that pointed here before
  // forgets it.
  void SetHitTestLink(TlxCustomGridHitTest* hit_test);
  void CalculateParamsIfNeeded();
  void ResetParams() { params_calculated_ = false; }
  void Recalculate();
  void Update();
  void DoOffset(int32_t dx, int32_t dy);
  // Takes over a popup left open by the previous instance of this cell.
  // Runs once; Calculate runs it for owners that do not.
  void AfterConstruction();

  // IlxMouseTrackingArea
  bool ContainsPoint(const TPoint& point) override { return PtInCaller(point); }
  // IlxCaptureObject
  void CaptureLost() override;

  // --- overridable, in slot order --------------------------------------
  virtual void LoseMouseCapture();
  void MouseLeave() override;
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
  virtual bool GetPaintMultiLine() { return measure_multi_line_; }
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
  void PopupClosed() override { SetMouseState(gmsNormal); }
  bool ClosePopupWithOwner() override { return true; }
  void PopupDestroyed() override { owned_popup_ = nullptr; }
  virtual bool IsPopupCreated() { return false; }
  // The popup this cell drops down; an IlxGridCellPopup when not null.
  virtual TObject* GetPopup() { return nullptr; }
  void GetPopupOwnerBounds(TRect& rect) override { rect = BoundsRect; }
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
  // Makes the painter of GetPainterClass for one paint on `canvas`; null
  // without a painter class.
  virtual std::unique_ptr<TlxCustomGridCellPainter> CreatePainter(TlxCanvas& canvas);

 protected:
  void MarkBeingDestroyed() { is_being_destroyed_ = true; }
  // The end of a cell's life that needs the descendant's answers (popup,
  // capture, control): descendants whose destructors outlive these answers
  // call it first in their own destructor; running it twice is harmless.
  void ReleaseLinks();

 private:
  IlxGridCellPopup* Popup();

  TlxGridCellMouseState mouse_state_ = gmsNormal;
  bool is_visible_ = true;
  bool is_calculated_ = false;
  bool is_being_destroyed_ = false;
  bool params_calculated_ = false;
  bool is_calculating_params_ = false;
  bool is_constructed_ = false;
  TAlignment text_align_horz_ = taLeftJustify;
  TlxAlignmentVert text_align_vert_ = vaTop;
  bool measure_multi_line_ = false;
  bool paint_multi_line_ = false;
  std::string display_text_;
  TlxPaintParams paint_params_;
  TRect client_bounds_cache_;
  TRect content_bounds_cache_;
  TlxCustomGridHitTest* linked_hit_test_ = nullptr;
  // Remembered while this cell holds them, so that the base destructor can
  // let go of them after the descendant's answers are gone.
  TlxControl* capture_control_ = nullptr;
  IlxGridCellPopup* owned_popup_ = nullptr;
  bool popup_closes_with_owner_ = true;
};

// A cell that belongs to a view's view info.
class TlxCustomGridViewCellViewInfo : public TlxCustomGridCellViewInfo {
 public:
  using TOwnerType = TlxCustomGridViewInfo;
  static constexpr TClass kClass{"TlxCustomGridViewCellViewInfo", &TlxCustomGridCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridViewCellViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxCustomGridViewCellViewInfo() override;

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

  // The visible hint bounds: the hint cell bounds cut by the hint area.
  TRect HintBounds();

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
// Painter classes are made through their TClass (ConstructInstance) with a
// TlxGridCellPaintTarget as the owner.
class TlxCustomGridCellPainter : public TObject {
 public:
  using TOwnerType = TlxGridCellPaintTarget;
  static constexpr TClass kClass{"TlxCustomGridCellPainter", &TObject::kClass,
                                 &ConstructInstance<TlxCustomGridCellPainter>};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridCellPainter(TlxCanvas& canvas, TlxCustomGridCellViewInfo& view_info)
      : canvas_(canvas), view_info_(view_info) {}
  explicit TlxCustomGridCellPainter(TlxGridCellPaintTarget* target)
      : TlxCustomGridCellPainter(target->Canvas, target->Cell) {}

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
  explicit TlxGridDesignSelectorViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxGridDesignSelectorViewInfo() override;

  static constexpr int32_t kSize = 20;
  const TlxRegion& SelectorRegion() const { return *selector_region_; }

  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  int32_t CalculateHeight() override { return kSize; }
  int32_t CalculateWidth() override { return kSize; }
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  bool GetHotTrack() override { return true; }
  void GetViewParams(TlxPaintParams& params) override;
  bool HasPoint(const TPoint& point) override;
  bool MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) override;
  // Whether the view is the one selected in the form designer; this
  // program has no designer, so a host that has one answers it.
  virtual bool IsViewSelected() { return false; }
  // The designer's select operation for the view; `exclusive` when Shift
  // was not held.
  virtual void SelectView(bool /*exclusive*/) {}

 private:
  std::unique_ptr<TlxRegion> selector_region_;
};

class TlxGridDesignSelectorPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDesignSelectorPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridDesignSelectorPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
  bool ExcludeFromClipRect() override { return true; }
  void DoExcludeFromClipRect() override;
  void DoPaint() override;
  void DrawContent() override {}
};
