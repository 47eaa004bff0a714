#pragma once
// The tab painters: the base that every style shares (painting pass, page
// rectangles, colours, captions), the standard painter (sizes, navigator
// buttons, one tab at a time) and the classic "Tabs" style. The arithmetic
// comes from the portable units; this part draws. Included only from
// Windows sources.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/toolkit/color.h"
#include "tabs/pc_colors.h"
#include "tabs/pc_layout_painter.h"
#include "tabs/pc_painter_styles.h"
#include "tabs/pc_standard_metrics.h"
#include "tabs/pc_tab_content_layout.h"
#include "ui/foundation/themes/theme_object_types.h"

class TBitmap;
class TControl;
class TlxCanvas;
class TlxCustomTabControl;
class TlxTab;

// The text colour of what lies under the mouse.
inline constexpr TColor kPCHotTrackTextColor = TColorOf(0x00FF0000);

// How a navigator button's glyph is drawn.
struct TlxPCNavigatorGlyphInfo {
  TColor BrushColor = clBtnText;
  TColor PenColor = clBtnText;
  // Drawn in its colours; otherwise embossed.
  bool Enabled = true;
  // The small close cross.
  bool CompactClose = false;
};

// The caption without its accelerator marks ("&&" stays one "&").
std::string lxPCStripAccelerators(const std::string& caption);

class TlxPCCustomPainter : public IlxPCLayoutPainter {
 public:
  TlxPCCustomPainter(TlxCustomTabControl& control, TlxPCPainterClass painter_class);
  ~TlxPCCustomPainter() override;

  TlxCustomTabControl& Control() const { return control_; }
  TlxPCPainterClass PainterClass() const { return class_; }

  // Class answers.
  bool CanRotateTabs() const override { return class_->CanRotateTabs(); }
  std::string GetStyleName() const override { return class_->GetStyleName(); }
  bool IsMainTabRowNearPage() const override { return class_->IsMainTabRowNearPage(); }
  bool AllowMultiSelectTabs() const override { return class_->AllowMultiSelectTabs(); }
  bool IsTabButtonLike() const override { return class_->IsTabButtonLike(); }

  void PrepareLayout() override {}
  TRect GetTabRectCorrection(int32_t /*visible_index*/) override { return {}; }
  TRect GetPageClientRect() override;
  TRect GetPageFrameRect();
  bool IsPointInTab(int32_t /*visible_index*/, int32_t /*x*/, int32_t /*y*/) override { return true; }
  void RepaintTab(int32_t visible_index, TlxPCTabChangeKind kind) override;
  void RepaintButton(TlxPCNavigatorButton button, TlxPCNavigatorButtonState old_state) override;

  virtual int32_t GetFrameWidth() const { return 0; }
  // Whether the visual-styles look is used.
  virtual bool UsesNativeLook() const { return false; }
  // The tab's part and state in the "Tab" theme; 0, 0 for painters that
  // draw no themed tabs.
  virtual void GetNativeTabPartAndState(int32_t /*visible_index*/, int32_t& part, int32_t& state) const {
    part = 0;
    state = 0;
  }
  // A page's background in the native look, on the page's own device
  // context.
  virtual void PaintNativePageBackground(HDC /*dc*/, const TControl& /*page*/) {}
  // The tab's state in the "Tab" theme: 3 main tab, 2 under the mouse,
  // 1 otherwise.
  int32_t GetTabThemeState(int32_t visible_index) const;
  // Tabs follow the mouse even with the control's HotTrack off.
  virtual bool IsHotTrackIntrinsic() const { return UsesNativeLook(); }
  virtual bool IsFrameShown() const;
  virtual TColor GetClientColor() const;
  virtual TColor GetTabColor(int32_t visible_index) const;
  virtual TColor GetTabTextColor(int32_t visible_index) const;
  // A default-coloured tab takes its page's colour even without
  // pcoUsePageColorForTab.
  virtual bool UsePageColorForTab() const { return false; }
  // The tab's own colour, or its page's where that applies; may be clDefault.
  TColor GetTabBaseColor(int32_t visible_index) const;
  virtual TRect GetPageFrameRectOffset() const;
  virtual TRect GetPageClientRectOffset() const;
  virtual TRect GetButtonRect(TlxPCNavigatorButton /*button*/) const { return {}; }
  virtual bool GetButtonAt(int32_t x, int32_t y, TlxPCNavigatorButton& button) const = 0;
  virtual TRect GetGoDialogButtonBounds() const = 0;

  // The painting pass; the control saves its clip region around it.
  virtual void Paint(TlxCanvas& canvas);

 protected:
  virtual void PaintButtons(TlxCanvas& canvas) = 0;
  virtual void PaintTabs(TlxCanvas& canvas) = 0;
  virtual void PaintFrame(TlxCanvas& canvas) = 0;
  virtual void PaintPageClientArea(TlxCanvas& canvas);
  virtual void PaintPageArea(TlxCanvas& canvas);
  // Lays out and draws a tab's caption (images are the image list's);
  // answers where they went.
  TlxPCTabContentRects PaintTabImageAndText(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index);
  virtual void FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const;
  // The painter's own background under a vertical caption, painted into its
  // bitmap before the caption (the bitmap holds the caption lying down).
  virtual void PaintTabBackgroundOnBitmap(TBitmap& /*bitmap*/, const TRect& /*caption*/, int32_t /*visible_index*/) {}
  // The caption single-line with an end ellipsis, embossed when disabled.
  void DrawTabText(TlxCanvas& canvas, TlxTab& tab, const TRect& rect);
  void PaintVerticalCaption(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index, const TRect& caption,
                            int32_t direction);
  void InvalidateRect(const TRect& rect);
  // The visible indexes painted: all when multi-line, else the displayed ones.
  void GetDisplayedRange(int32_t& first, int32_t& last) const;
  // OwnerDraw is on and OnDrawTab is handled.
  bool IsCustomDraw() const;
  // Fires OnDrawTab; true when the handler drew the tab itself.
  bool DoCustomDrawTab(int32_t visible_index);
  // The image list has images to show; the tab shows one of them.
  bool HasImages() const;
  bool HasTabImage(int32_t visible_index) const;
  // The tab's image at the laid-out place, on the tab's colour.
  void PaintTabImage(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index, const TRect& image_rect);

 private:
  TlxCustomTabControl& control_;
  TlxPCPainterClass class_;
};

class TlxPCStandardPainter : public TlxPCCustomPainter {
 public:
  using TlxPCCustomPainter::TlxPCCustomPainter;

  int32_t CalculateTabNormalWidth(TlxTab& tab) override;
  int32_t CalculateTabNormalHeight() override;
  int32_t CaptionWidth(TlxTab& tab) override;
  int32_t GetMinTabWidth(int32_t visible_index) override;
  void GetTabSpacing(int32_t& along, int32_t& across) override;
  void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) override;
  int32_t GetFrameWidth() const override { return 2; }
  TRect GetButtonRect(TlxPCNavigatorButton button) const override { return lxPCButtonBounds(navigator_, button); }
  bool GetButtonAt(int32_t x, int32_t y, TlxPCNavigatorButton& button) const override;
  TRect GetGoDialogButtonBounds() const override { return lxPCButtonBounds(navigator_, nbGoDialog); }

  virtual TlxPCNavigatorMetrics NavigatorMetrics() const;
  virtual int32_t GetTabContentHeight();
  virtual TRect GetTabsContainerOffsets() const { return {}; }
  // Margins of the tabs area from the control's sides, used as they are.
  virtual TRect GetTabsAreaMargins() const { return {}; }
  virtual int32_t GetMinTabHeight() const;

  void Paint(TlxCanvas& canvas) override;

 protected:
  // In the native look a control with a parent background lets its parent
  // show where it draws nothing of its own.
  bool ShowsParentBackground() const;
  TlxPCTabSizeInput SizeInput(int32_t visible_index) const;
  void PaintButtons(TlxCanvas& canvas) override;
  void PaintTabs(TlxCanvas& canvas) override;
  void PaintFrame(TlxCanvas& canvas) override;
  virtual void PaintTab(TlxCanvas& canvas, int32_t visible_index);
  // Background, content and frame of a tab that is not drawn by its owner.
  virtual void PaintTabFace(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index);
  // The area a tab paints in; `replace` sets it as the clip instead of
  // intersecting the clip with it.
  virtual TRect GetTabRegion(int32_t visible_index, bool& replace);
  // The tab's shape, drawn after its content.
  virtual void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) = 0;
  // Frame, background and glyph of one navigator button.
  virtual void PaintButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect);
  // Draws the frame; `rect` shrinks to what lies inside it.
  virtual void PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state);
  virtual void PaintButtonBackground(TlxCanvas& canvas, const TRect& rect, TlxPCNavigatorButtonState state);
  virtual TColor GetButtonColor(TlxPCNavigatorButtonState /*state*/) const { return clBtnFace; }
  virtual TColor GetButtonGlyphColor(TlxPCNavigatorButtonState state) const;
  virtual TlxPCNavigatorGlyphInfo GetButtonGlyphInfo(TlxPCNavigatorButton button) const;
  // The glyph's top-left corner from the button's.
  virtual TPoint GetButtonGlyphPosition(TlxPCNavigatorButton button) const;
  // The glyph with its top-left corner at `origin`; `compact_close` draws
  // the small cross.
  void PaintButtonGlyph(TlxCanvas& canvas, TlxPCNavigatorButton button, TPoint origin, TColor pen, TColor brush,
                        bool compact_close);

 private:
  TlxPCNavigatorLayout navigator_;
};

// Classic three-dimensional notebook tabs standing on the page frame, or
// the platform's themed tabs when the look-and-feel asks for the native
// look and visual styles are on.
class TlxPCTabsPainter : public TlxPCStandardPainter {
 public:
  using TlxPCStandardPainter::TlxPCStandardPainter;

  bool UsesNativeLook() const override;
  void GetNativeTabPartAndState(int32_t visible_index, int32_t& part, int32_t& state) const override;
  TRect GetPageClientRectOffset() const override;
  TlxPCNavigatorMetrics NavigatorMetrics() const override;
  // The content margins of the themed page pane, in screen orientation.
  TRect GetThemedPaneMargins() const;
  void PaintNativePageBackground(HDC dc, const TControl& page) override;

  TRect GetTabRectCorrection(int32_t visible_index) override;
  void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) override;
  TRect GetPageFrameRectOffset() const override;
  bool IsFrameShown() const override { return true; }
  int32_t GetTabContentHeight() override;
  TRect GetTabsContainerOffsets() const override { return {2, 2, 2, 0}; }

 protected:
  // What a themed tab is drawn over: the parent's image at the tab's place
  // `rect`, or the control's colour.
  virtual void FillTabBitmapBackground(TBitmap& bitmap, const TRect& rect);
  void FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const override;
  TRect GetTabRegion(int32_t visible_index, bool& replace) override;
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
  void PaintTabFace(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
  void PaintPageArea(TlxCanvas& canvas) override;
  void PaintButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect) override;

 private:
  // The themed tab: drawn upright into a bitmap of its own, turned to its
  // side, given its image and caption and copied onto the canvas.
  void PaintNativeTab(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index);
  // The themed page pane; taken out of the clip.
  void PaintNativeFrame(TlxCanvas& canvas);
  void PaintNativeButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect);
  // What shows under a themed part at `rect`: the parent's background when
  // the part is partly transparent and drawn on the control itself.
  void FillUnderThemePart(TlxCanvas& canvas, TlxThemedObjectType object, int32_t part, int32_t state,
                          const TRect& rect, bool own_canvas);
};

// The same geometry with one-pixel lines and a tinted inner line.
class TlxPCFlatPainter : public TlxPCTabsPainter {
 public:
  using TlxPCTabsPainter::TlxPCTabsPainter;
  int32_t GetFrameWidth() const override { return 1; }
  bool UsesNativeLook() const override { return false; }

 protected:
  void PaintFrame(TlxCanvas& canvas) override;
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
};

// Tabs as push buttons standing apart from the page.
class TlxPCButtonedPainter : public TlxPCStandardPainter {
 public:
  using TlxPCStandardPainter::TlxPCStandardPainter;
  TColor GetTabColor(int32_t visible_index) const override;
  TRect GetPageFrameRectOffset() const override;
  TRect GetTabsContainerOffsets() const override { return {2, 2, 2, 0}; }
  virtual bool IsTabPressed(int32_t visible_index) const;

 protected:
  void FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const override;
};

class TlxPCButtonsPainter : public TlxPCButtonedPainter {
 public:
  using TlxPCButtonedPainter::TlxPCButtonedPainter;
  bool IsTabPressed(int32_t visible_index) const override;

 protected:
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
};

// Flat push buttons: an outline only under the mouse or the keyboard mark,
// sunken when chosen, etched lines between neighbours.
class TlxPCFlatButtonsPainter : public TlxPCButtonedPainter {
 public:
  using TlxPCButtonedPainter::TlxPCButtonedPainter;

 protected:
  void PaintTab(TlxCanvas& canvas, int32_t visible_index) override;
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;

 private:
  bool HasSeparatorAfter(int32_t visible_index) const;
  // The along value of the tab spacing.
  int32_t SeparatorWidth();
  // The gap after the tab towards its successor.
  TRect SeparatorGap(int32_t visible_index);
};

// The class of the "Tabs" style with its virtual constructor.
class TlxPCTabsPainterClass final : public TlxPCTabsStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCFlatPainterClass final : public TlxPCFlatStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCButtonsPainterClass final : public TlxPCButtonsStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCFlatButtonsPainterClass final : public TlxPCFlatButtonsStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

// Registers the styles whose painters exist; the end takes them out again.
void lxPCRegisterShippedPainters();
void lxPCUnregisterShippedPainters();
