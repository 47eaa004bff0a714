#pragma once
// TlxRect: a rectangle that designers edit and component streams store, with
// a change event so that its holder can re-lay itself out.

#include <cstdint>

#include "platform/rtl/persistent.h"
#include "ui/foundation/geometry/geometry.h"

class TlxRect : public TPersistent {
 public:
  // Virtual construction passes the owner persistent.
  using TOwnerType = TPersistent;

  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxRect", &TPersistent::kClass, &ConstructInstance<TlxRect>, &TlxRect::Publish};
  const TClass* ClassType() const override { return &kClass; }

  // Side indexes of GetSide and SetSide.
  enum TSide : int32_t { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

  explicit TlxRect(TPersistent* owner) : owner_(owner) {}

  const TRect& Rect() const { return rect_; }
  // Stores the rectangle and fires OnChange, unless nothing differs.
  void SetRect(const TRect& rect);

  // Raises EListError for an index outside 0..3.
  int32_t GetSide(int32_t index) const;
  void SetSide(int32_t index, int32_t value);

  int32_t Left() const { return rect_.Left; }
  int32_t Top() const { return rect_.Top; }
  int32_t Right() const { return rect_.Right; }
  int32_t Bottom() const { return rect_.Bottom; }
  void SetLeft(int32_t value) { SetSide(kLeft, value); }
  void SetTop(int32_t value) { SetSide(kTop, value); }
  void SetRight(int32_t value) { SetSide(kRight, value); }
  void SetBottom(int32_t value) { SetSide(kBottom, value); }

  // From another TlxRect: takes its rectangle. Any other source is ignored
  // without an error, so a designer may drop anything on the property.
  void Assign(const TPersistent* source) override;

  TPersistent* GetOwner() const override { return owner_; }

  TNotifyEvent OnChange;

 protected:
  virtual void DoChange();

 private:
  TPersistent* owner_;
  TRect rect_;
};

// Registers TlxRect with the streaming class registry. Counted: nested
// starts register once, and the matching last end unregisters.
void lxRectModuleStart();
void lxRectModuleEnd();
