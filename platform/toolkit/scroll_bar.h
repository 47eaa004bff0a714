#pragma once
// TScrollBar: the system's SCROLLBAR control. The control scrolls itself
// (arrows, page areas, thumb dragging); each step reaches OnScroll, which
// may change the new position, and then Position and OnChange.

#include <cstdint>
#include <functional>

#include "platform/toolkit/win_control.h"

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TScrollCode : uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll,
};
using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int32_t& position)>;

class TScrollBar : public TWinControl {
 public:
  static constexpr TClass kClass{"TScrollBar", &TWinControl::kClass, &ConstructInstance<TScrollBar>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  // Width and height swap with the direction.
  void SetKind(TScrollBarKind kind);
  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  int32_t Position() const { return position_; }
  int32_t PageSize() const { return page_size_; }
  void SetMin(int32_t value) { SetParams(position_, value, max_); }
  void SetMax(int32_t value) { SetParams(position_, min_, value); }
  void SetPosition(int32_t value) { SetParams(value, min_, max_); }
  // Raises EInvalidOperation when the page does not fit the range.
  void SetPageSize(int32_t value);
  // Raises EInvalidOperation for Max below Min; the position is kept in
  // the range. OnChange fires when the position changed.
  void SetParams(int32_t position, int32_t min, int32_t max);
  int32_t SmallChange() const { return small_change_; }
  void SetSmallChange(int32_t value) { small_change_ = value; }
  int32_t LargeChange() const { return large_change_; }
  void SetLargeChange(int32_t value) { large_change_ = value; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  virtual void Change();
  virtual void Scroll(TScrollCode code, int32_t& position);

 private:
  void ScrollMessage(TMessage& message);
  void ApplyScrollInfo();

  TScrollBarKind kind_ = sbHorizontal;
  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t page_size_ = 0;
  int32_t small_change_ = 1;
  int32_t large_change_ = 1;
};
