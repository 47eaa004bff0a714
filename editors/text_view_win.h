#pragma once
// The text layout of the text-based editor kinds: the view data turns an
// edit value into the display text, places it in the text rectangle with
// the alignment, breaks it into rows when it may wrap, cuts it with an end
// ellipsis and measures it; the view info keeps that layout and paints it,
// selection and focus rectangle included, and tells whether a point shows
// truncated text. Grid cells are drawn with this pair and no window.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"
#include "editors/text_edit_properties.h"
#include "ui/foundation/text_layout/text_layout_win.h"

// Option bits of the text view data.
inline constexpr uint32_t kLxTextViewEmptyMeasuresZero = 1;
inline constexpr uint32_t kLxTextViewSingleLineMayWrap = 2;

// The paint option that asks for an end ellipsis.
inline constexpr uint32_t kLxPaintShowEndEllipsis = 8;

class TlxCustomTextEditViewInfo;

// The cached row layout of the last calculation.
struct TlxTextEditTextOutData {
  bool Initialized = false;
  bool ForcedEndEllipsis = false;
  int32_t RowCount = 0;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  TlxTextLayoutParams TextParams;
  TRect TextRect;
  TlxTextRows TextRows;
};

class TlxCustomTextEditViewInfo : public TlxCustomEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomTextEditViewInfo", &TlxCustomEditViewInfo::kClass,
                                 &ConstructInstance<TlxCustomTextEditViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  using OwnerDrawHandler = std::function<void(TlxCanvas& canvas, TRect& rect)>;

  virtual void DrawText(TlxCanvas& canvas);
  void RenderFrame(TlxCanvas& canvas) override;
  void MoveBy(int32_t dx, int32_t dy) override;
  // The whole text as a hint when `point` shows truncated text; no button
  // hints. `visible_rect` empty means the whole text rect.
  virtual bool GetButtonHint(TlxCanvas& canvas, const TPoint& point, TRect& hint_rect, bool& is_multi_line,
                             std::string& text, const TRect& visible_rect);

  bool ComboBoxStyle = false;
  OwnerDrawHandler OnOwnerDraw;
  bool DrawSelectionBar = false;
  TlxTextOutFlags DrawTextFlags = 0;
  TlxTextEditingStyle EditingStyle = tesFreeText;
  bool PopupOpen = false;
  bool InnerEditShown = false;
  bool PaintingCopy = false;
  int32_t MaxLineCount = 0;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  std::string Text;
  TlxTextEditTextOutData TextOutData;
  TRect TextRect;
};

class TlxCustomTextEditViewData : public TlxCustomEditViewData {
 public:
  static constexpr TClass kClass{"TlxCustomTextEditViewData", &TlxCustomEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomTextEditViewData(TlxCustomEditProperties* properties, TlxCustomEditStyle* style, bool inplace);

  // Virtual operations, in the order of their slots.
  virtual bool IsInnerEditShown() const { return InnerEditShown; }
  virtual int32_t GetMaxLineCount() const { return MaxLineCount; }
  virtual bool IsComboBoxStyle() const { return false; }
  virtual void CalculateTextLayout(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);
  virtual void StoreDisplayText(const Variant& edit_value, TlxCustomTextEditViewInfo& view_info);
  virtual TlxTextOutFlags GetDrawTextFlags() const;
  virtual void GetTextAreaInsets(TRect& insets) const;

  void InitFromProperties() override;
  // A value the kind cannot convert shows as its plain text.
  void GetDrawText(const Variant& edit_value, std::string& text) const override;
  TSize MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                const TlxEditSizeProperties& limits) const override;
  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;

  TlxCustomTextEditProperties* TextProperties() const;
  TlxTextEditingStyle EditingStyle() const { return TextProperties()->GetEditingStyle(); }
  static TColor GetInvertedColor(TColor color);
  TSize GetInsetsSize() const;

  // Set by the editor that uses the pair.
  bool InnerEditShown = false;
  bool PopupOpen = false;
  uint32_t Options = 0;
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;

 private:
  bool uses_provider_display_format_ = false;
};

TRect lxCalculateTextEditTextRect(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                  const TRect& client_rect);
void lxGetTextEditTextInsets(const TlxCustomTextEditViewData& view_data, TRect& insets);
void lxLayoutTextEditWrappedText(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                 TlxCustomTextEditViewInfo& view_info);
void lxLayoutTextEditTextRows(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);
void lxDrawTextEditTextRows(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);
void lxDrawTextEditText(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);
void lxDrawTextEditViewInfo(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);
TSize lxTextEditMeasureDisplayText(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                   const std::string& text, TlxTextOutFlags flags,
                                   const TlxEditSizeProperties& size_request, int32_t max_line_count,
                                   bool add_insets);
// Whether the text is cut within `area` (view info coordinates).
bool lxIsTextEditTextTruncated(TlxCanvas& canvas, const TlxCustomTextEditViewInfo& view_info, const TRect& area);
