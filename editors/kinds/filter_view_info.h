#pragma once
// Where every element of the filter builder's rows lies and which element
// lies under a point. The rows are equal-height lines in pre-order followed
// by a footer line with the add-condition button. Text is measured through
// IlxFilterTextMeasurer, so the arithmetic runs without a window.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "ui/foundation/painters/painter_types.h"

class TlxFilterBuilder;
class TlxCustomRowViewInfo;
class TlxConditionViewInfo;
class TlxValueInfo;

// Element kinds: the hit-test codes, also the focused and hot elements.
inline constexpr uint8_t fhkNone = 0;
inline constexpr uint8_t fhkRowButton = 1;
inline constexpr uint8_t fhkBoolOperator = 2;
inline constexpr uint8_t fhkItem = 3;
inline constexpr uint8_t fhkOperator = 4;
inline constexpr uint8_t fhkOperand = 5;
inline constexpr uint8_t fhkFooterButton = 6;
inline constexpr uint8_t fhkAddValue = 7;

struct TlxFilterBuilderHitInfo {
  uint8_t Kind = fhkNone;
  TPoint Point;
  // The platform's shift-state bits at the time of the hit.
  uint32_t Shift = 0;
  TlxCustomRowViewInfo* Row = nullptr;
  int32_t OperandIndex = -1;
};

// The fonts the builder measures and draws with.
inline constexpr int32_t kLxFilterControlFont = -1;
inline constexpr int32_t kLxFilterBoolOperatorFont = 0;
inline constexpr int32_t kLxFilterItemFont = 1;
inline constexpr int32_t kLxFilterOperatorFont = 2;
inline constexpr int32_t kLxFilterOperandFont = 3;

// Text and operand measuring of the surface the builder paints on.
class IlxFilterTextMeasurer : public virtual IInterface {
 public:
  virtual TSize TextExtent(int32_t font, std::string_view text) = 0;
  // The height an in-place editor of the default properties needs for
  // "Yy" in the operand style.
  virtual int32_t EditorTextHeight() = 0;
  // The size of one operand as its editor kind draws it; a highlighted one
  // is drawn on the window colour with its buttons.
  virtual TSize MeasureOperand(TlxConditionViewInfo& condition, TlxValueInfo& value, bool highlighted) = 0;
  // Prepares what draws the operand at its rectangle (OperandRect is set).
  virtual void PlaceOperand(TlxConditionViewInfo& condition, TlxValueInfo& value, bool highlighted) = 0;
};

// The part of the layout the window supplies: the client area, and a
// rectangle to repaint.
class TlxFilterControlViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxFilterControlViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxFilterControlViewInfo(TlxFilterBuilder& control, IlxFilterTextMeasurer& measurer);

  virtual void CalculateFocusRect();
  virtual void HitTest(uint32_t shift, const TPoint& point, TlxFilterBuilderHitInfo& hit_info);

  void Calculate();
  // Recomputes the footer button's state and FocusRect; `invalidate` asks
  // the window to repaint the button when its state changed.
  void UpdateButtonState(bool invalidate);
  // Recalculates one row in its rectangle and repaints it.
  void InvalidateRow(TlxCustomRowViewInfo* row);

  TlxFilterBuilder& Control() const { return control_; }
  IlxFilterTextMeasurer& Measurer() const { return measurer_; }

  int32_t LineHeight = 0;
  int32_t MinOperandWidth = 0;
  int32_t ContentWidth = 0;
  bool Active = false;
  TRect FooterButtonRect;
  std::string FooterCaption;
  TlxButtonState FooterButtonState = lxbsNormal;
  TRect FocusRect;

 private:
  TlxFilterBuilder& control_;
  IlxFilterTextMeasurer& measurer_;
};

// A rectangle `width` x `height` at `left`, centred vertically in `bounds`
// (the half of the difference rounded toward zero).
TRect lxCenterRectVert(const TRect& bounds, int32_t left, int32_t width, int32_t height);
