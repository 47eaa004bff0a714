#pragma once
// The tab control without its window: tabs, layout properties, the layout of
// tab rows and navigator buttons, the chosen tab with its events and the
// keyboard rules. The windowed control (and the page control) add the
// window, the mouse and the painting on top; what they supply is asked
// through the virtual hooks at the end, and every pixel metric through the
// painter's layout interface.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "tabs/pc_layout_painter.h"
#include "tabs/tab_types.h"

class TlxTab;
class TlxTabs;
class TlxVisibleTabList;

using TlxTabChangingEvent = std::function<void(TObject* sender, bool& allow_change)>;
using TlxTabNotifyEvent = std::function<void(TObject* sender)>;
using TlxGetTabImageEvent = std::function<void(TObject* sender, int32_t tab_index, int32_t& image_index)>;

// Virtual-key numbers the keyboard rules use.
inline constexpr uint16_t kPCKeyTab = 0x09;
inline constexpr uint16_t kPCKeyReturn = 0x0D;
inline constexpr uint16_t kPCKeySpace = 0x20;
inline constexpr uint16_t kPCKeyEnd = 0x23;
inline constexpr uint16_t kPCKeyHome = 0x24;
inline constexpr uint16_t kPCKeyLeft = 0x25;
inline constexpr uint16_t kPCKeyUp = 0x26;
inline constexpr uint16_t kPCKeyRight = 0x27;
inline constexpr uint16_t kPCKeyDown = 0x28;

struct TlxPCKeyShift {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

class TlxTabControlModel {
 public:
  TlxTabControlModel();
  virtual ~TlxTabControlModel();
  TlxTabControlModel(const TlxTabControlModel&) = delete;
  TlxTabControlModel& operator=(const TlxTabControlModel&) = delete;

  // The painter the layout asks; not owned.
  IlxPCLayoutPainter& Painter() const { return *painter_; }
  bool HasPainter() const { return painter_ != nullptr; }
  void SetLayoutPainter(IlxPCLayoutPainter* painter) { painter_ = painter; }

  TlxTabs& Tabs() const { return *tabs_; }
  TlxVisibleTabList& VisibleTabs() const { return *visible_tabs_; }

  // The sender of the events: the control.
  virtual TObject* EventSender() { return nullptr; }

  // Layout properties.
  bool HideTabs() const { return hide_tabs_; }
  void SetHideTabs(bool value);
  bool HotTrack() const { return hot_track_; }
  void SetHotTrack(bool value);
  int32_t ImageBorder() const { return image_border_; }
  void SetImageBorder(int32_t value);
  int32_t MaxRotatedTabWidth() const { return max_rotated_tab_width_; }
  void SetMaxRotatedTabWidth(int32_t value);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool value);
  TlxPCNavigatorPosition NavigatorPosition() const { return navigator_position_; }
  void SetNavigatorPosition(TlxPCNavigatorPosition value);
  TlxPCOptions Options() const { return options_; }
  void SetOptions(TlxPCOptions value);
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool value);
  bool RaggedRight() const { return ragged_right_; }
  void SetRaggedRight(bool value);
  bool Rotate() const { return rotate_; }
  void SetRotate(bool value);
  bool ScrollOpposite() const { return scroll_opposite_; }
  void SetScrollOpposite(bool value);
  bool ShowFrame() const { return show_frame_; }
  void SetShowFrame(bool value);
  int16_t TabHeight() const { return tab_height_; }
  void SetTabHeight(int16_t value);
  TlxTabPosition TabPosition() const { return tab_position_; }
  void SetTabPosition(TlxTabPosition value);
  int16_t TabWidth() const { return tab_width_; }
  void SetTabWidth(int16_t value);
  TlxTabSlantKind TabSlantKind() const { return slant_kind_; }
  void SetTabSlantKind(TlxTabSlantKind value);
  TlxTabSlantPositions TabSlantPositions() const { return slant_positions_; }
  void SetTabSlantPositions(TlxTabSlantPositions value);
  TAlignment TabCaptionAlignment() const { return caption_alignment_; }
  void SetTabCaptionAlignment(TAlignment value);
  bool TabsContainerMode() const { return tabs_container_mode_; }
  void SetTabsContainerMode(bool value);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool value) { multi_select_ = value; }

  // Text direction of the current settings.
  bool IsTabTextVertical() const { return lxPCIsTabTextVertical(tab_position_, rotate_); }
  int32_t CaptionDirection() const { return lxPCCaptionDirection(tab_position_, rotate_, options_); }
  bool IsRowReversed() const { return lxPCIsRowReversed(tab_position_, rotate_, options_); }

  // The chosen tab.
  int32_t TabIndex() const { return tab_index_; }
  void SetTabIndex(int32_t value);
  // Stores the index without events or checks (insertion of the first tab).
  void StoreTabIndex(int32_t value) { tab_index_ = value; }
  void LockChangeEvents(bool lock);
  bool ChangeEventsLocked() const;

  TlxTabChangingEvent OnChanging;
  TlxTabNotifyEvent OnChange;
  TlxGetTabImageEvent OnGetImageIndex;

  // Layout results.
  const TlxPCTabsLayout& TabsLayout() const { return tabs_layout_; }
  int32_t TabGap() const { return tab_gap_; }
  int32_t RowGap() const { return row_gap_; }
  int32_t RowCount() const { return row_count_; }
  int32_t RowThickness() const { return row_thickness_; }
  int32_t MaxCaptionWidth() const { return max_caption_width_; }
  int32_t TopOrLeftPartRowCount() const { return top_or_left_part_row_count_; }
  TRect TopOrLeftPartClip() const { return top_or_left_part_clip_; }
  TRect BottomOrRightPartClip() const { return bottom_or_right_part_clip_; }
  int32_t FirstDisplayedTab() const { return first_displayed_tab_; }
  int32_t LastDisplayedTab() const { return last_displayed_tab_; }
  bool LastTabFits() const { return last_tab_fits_; }
  // Whether rows lie on both sides of the page.
  bool HasTabsOnBothSides() const;

  // Navigator buttons.
  TlxPCNavigatorButtons NavigatorButtons() const { return navigator_buttons_; }
  TlxPCNavigatorButtonState NavigatorButtonState(TlxPCNavigatorButton button) const {
    return button_states_[button];
  }
  void SetNavigatorButtonState(TlxPCNavigatorButton button, TlxPCNavigatorButtonState state);
  // -1 when none.
  int32_t HotButton() const { return hot_button_; }
  int32_t PressedButton() const { return pressed_button_; }
  void SetHotButton(int32_t button) { hot_button_ = button; }
  void SetPressedButton(int32_t button) { pressed_button_ = button; }
  bool IsNavigatorButtonEnabled(TlxPCNavigatorButton button) const;
  void RefreshButtonStates();

  // Interaction indexes (visible indexes, -1 for none).
  int32_t MainVisibleIndex() const { return main_visible_index_; }
  int32_t HotVisibleIndex() const { return hot_visible_index_; }
  int32_t PressedVisibleIndex() const { return pressed_visible_index_; }
  int32_t TrackedVisibleIndex() const { return tracked_visible_index_; }
  void SetPressedVisibleIndex(int32_t index) { pressed_visible_index_ = index; }
  // Set by the tab list; use TlxTabs::SetHotTab and SetTrackedTab.
  void StoreHotVisibleIndex(int32_t index) { hot_visible_index_ = index; }
  void StoreTrackedVisibleIndex(int32_t index) { tracked_visible_index_ = index; }
  // Recomputes the main visible index from TabIndex; true when it moved.
  bool CalculateMainVisibleIndex();

  // The layout.
  virtual void RecalculateLayout();
  void ArrangeRows();
  void CalculateTabNormalSizes();
  // Recomputes the row thickness alone (a caption change with Rotate on).
  void CalculateRowThickness();
  void CalculateDisplayRows();
  void ScrollByButton(TlxPCNavigatorButton button);
  void ScrollBy(int32_t count);
  void MakeVisible(int32_t visible_index);
  int32_t CalculateLengthToFitAllTabs();
  // The painter's page rectangle, normalised.
  TRect PageAreaRect();
  bool IsLayoutRunning() const { return layout_running_; }

  // Choosing tabs.
  // Visible index of the displayed tab under a point, -1 when none.
  int32_t GetVisibleTabIndexAt(int32_t x, int32_t y);
  bool CanSelectTab(int32_t tab_index) const;
  // Chooses a tab by mouse or keyboard; false when the control was freed
  // by an event handler meanwhile.
  void SelectVisibleTab(int32_t visible_index, bool ctrl);
  bool ProcessNavigationKey(uint16_t key, TlxPCKeyShift shift);
  // The tab's image, or -1 (stored index, event, image-list bounds).
  virtual int32_t GetTabImageIndex(int32_t tab_index);

  // Hooks of the windowed control. The defaults keep the values set below,
  // so the layout can run without a window.
  virtual bool IsLoading() const { return loading_; }
  virtual bool IsDesignTime() const { return false; }
  virtual bool IsDestroying() const { return destroying_; }
  virtual bool IsControlEnabled() const { return enabled_; }
  virtual bool CanFocusControl() const { return true; }
  virtual int32_t ControlWidth() const { return width_; }
  virtual int32_t ControlHeight() const { return height_; }
  virtual bool RequiresVisibleTab() const { return false; }
  virtual void RealignChildren() {}
  virtual void RepaintControl() {}
  virtual void RefreshHotTrack() {}
  // Image count and size of the assigned image list (0 without one).
  virtual int32_t ImagesCount() const { return 0; }
  virtual TSize ImagesSize() const { return {}; }
  // The layout changed the image list's rotation need.
  virtual void ImagesRotationChanged() {}
  // The tab at `index` was freed while marked; the control forgets it.
  virtual void TabDestroying(TlxTab& tab);
  // An alive check a handler-calling path asks after the call.
  virtual std::function<bool()> AliveCheck() { return [] { return true; }; }

  void SetLoading(bool loading) { loading_ = loading; }
  void SetDestroying(bool destroying) { destroying_ = destroying; }
  void SetControlEnabled(bool enabled) { enabled_ = enabled; }
  void SetControlSize(int32_t width, int32_t height);

 protected:
  virtual bool DoCanChange(int32_t new_index);
  virtual void DoChange();
  void DestroyTabs();

 private:
  friend class TlxTabs;
  void Relayout();
  void SetButtons(TlxPCNavigatorButtons buttons);
  // A hot or pressed button that is no longer shown returns to normal.
  void DropHiddenButtonStates();
  void CalculateLayoutFor(TlxPCNavigatorButtons buttons);
  void BreakIntoRows();
  void PlaceRowsAlong();
  void ArrangeRow(int32_t first, int32_t last, bool place_all);
  void PlaceRowsAcross();
  int32_t NormalisedMaxRotatedTabWidth();
  int32_t StartAlongAxis() const;
  int32_t TabExtent(int32_t visible_index) const;
  bool IsArrowForward(TlxPCNavigatorButton button) const;

  IlxPCLayoutPainter* painter_ = nullptr;
  std::unique_ptr<TlxVisibleTabList> visible_tabs_;
  std::unique_ptr<TlxTabs> tabs_;

  bool hide_tabs_ = false;
  bool hot_track_ = false;
  int32_t image_border_ = 0;
  int32_t max_rotated_tab_width_ = 0;
  bool multi_line_ = false;
  TlxPCNavigatorPosition navigator_position_ = npRightTop;
  TlxPCOptions options_ = kPCDefaultOptions;
  bool owner_draw_ = false;
  bool ragged_right_ = false;
  bool rotate_ = false;
  bool scroll_opposite_ = false;
  bool show_frame_ = false;
  int16_t tab_height_ = 0;
  TlxTabPosition tab_position_ = tpTop;
  int16_t tab_width_ = 0;
  TlxTabSlantKind slant_kind_ = skSlant;
  TlxTabSlantPositions slant_positions_ = 1u << spLeft;
  TAlignment caption_alignment_ = taCenter;
  bool tabs_container_mode_ = false;
  bool multi_select_ = false;

  int32_t tab_index_ = -1;
  int32_t change_lock_count_ = 0;

  TlxPCTabsLayout tabs_layout_;
  int32_t tab_gap_ = 0;
  int32_t row_gap_ = 0;
  int32_t row_count_ = 0;
  int32_t row_thickness_ = 0;
  int32_t max_caption_width_ = 0;
  int32_t top_or_left_part_row_count_ = 0;
  TRect top_or_left_part_clip_;
  TRect bottom_or_right_part_clip_;
  int32_t first_displayed_tab_ = -1;
  int32_t last_displayed_tab_ = -1;
  bool last_tab_fits_ = false;
  bool layout_running_ = false;

  TlxPCNavigatorButtons navigator_buttons_ = 0;
  TlxPCNavigatorButtonState button_states_[kPCNavigatorButtonCount] = {};
  int32_t hot_button_ = -1;
  int32_t pressed_button_ = -1;

  int32_t main_visible_index_ = -1;
  int32_t hot_visible_index_ = -1;
  int32_t pressed_visible_index_ = -1;
  int32_t tracked_visible_index_ = -1;

  bool loading_ = false;
  bool destroying_ = false;
  bool enabled_ = true;
  int32_t width_ = 289;
  int32_t height_ = 193;
};
