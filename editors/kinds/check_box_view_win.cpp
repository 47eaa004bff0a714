#include "editors/kinds/check_box_view_win.h"

#include "editors/edit_paint_rules.h"
#include "editors/edit_paint_utils_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/menus.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kThemeCheckBoxPart = 3;
// OBM_CHECKBOXES, which the headers declare only for OEMRESOURCE builds.
constexpr WORD kSystemCheckBoxesBitmap = 32759;

HBITMAP& CheckMarkMaskSlot() {
  static HBITMAP mask = nullptr;
  return mask;
}

// The mask of one glyph cell: unchecked and checked cells of the system's
// check-box bitmap compared pixel by pixel.
HBITMAP MakeCheckMarkMask() {
  const HBITMAP boxes = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kSystemCheckBoxesBitmap));
  if (boxes == nullptr)
    return nullptr;
  TOwnedBitmap owned_boxes(boxes);
  BITMAP info{};
  GetObjectW(boxes, sizeof(info), &info);
  const TSize cell = lxCheckButtonGlyphSize();
  const int32_t cell_width = info.bmWidth / 4;  // four cells in a row
  const int32_t width = std::min(cell.cx, cell_width);
  const int32_t height = std::min<int32_t>(cell.cy, info.bmHeight / 3);
  const HDC screen = GetDC(nullptr);
  TScopeExit release([screen] { ReleaseDC(nullptr, screen); });
  TMemoryDC source(screen);
  TSelectedObject selected_source(source.Handle(), boxes);
  TMemoryDC target(screen);
  const HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  {
    TSelectedObject selected_target(target.Handle(), mask);
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const bool same = GetPixel(source.Handle(), x, y) == GetPixel(source.Handle(), x + cell_width, y);
        SetPixel(target.Handle(), x, y, same ? RGB(255, 255, 255) : RGB(0, 0, 0));
      }
    }
  }
  return mask;
}

}  // namespace

HBITMAP lxCheckMarkMask() {
  HBITMAP& mask = CheckMarkMaskSlot();
  if (mask == nullptr)
    mask = MakeCheckMarkMask();
  return mask;
}

void lxFreeCheckMarkMask() {
  HBITMAP& mask = CheckMarkMaskSlot();
  if (mask != nullptr)
    DeleteObject(mask);
  mask = nullptr;
}

// --- TlxCustomCheckBoxViewInfo ---------------------------------------------------------------------

TlxCheckBoxState TlxCustomCheckBoxViewInfo::ShownCheckState() const {
  if (CheckState == cbsGrayed && NullStyle == nssUnchecked)
    return cbsUnchecked;
  return CheckState;
}

void TlxCustomCheckBoxViewInfo::RenderFrame(TlxCanvas& canvas) {
  const TlxEditBackgroundDrawMode mode = GetBackgroundDrawMode();
  const bool special = mode != ebdmFill && mode != ebdmFrame;
  DrawEditBackground(canvas, Bounds, special && (HasUserGlyph || NativeStyle),
                     CheckRect.Inflate(-CheckBorderOffset, -CheckBorderOffset));
  DrawCheck(canvas, !special);
  if (Alignment != taCenter && !Text.empty() && !TextRect.IsEmpty()) {
    canvas.AssignFont(*Font);
    canvas.Font().SetColor(TextColor);
    canvas.Brush().SetStyle(bsClear);
    const bool embossed = !Enabled && !TextColorAssigned && !NativeStyle;
    canvas.DrawTextInRect(Text, TextRect, DrawTextFlags, !embossed);
    canvas.Brush().SetStyle(bsSolid);
  }
  if (!FocusRect.IsEmpty())
    canvas.DrawFocusFrame(FocusRect);
}

void TlxCustomCheckBoxViewInfo::DrawCheck(TlxCanvas& canvas, bool draw_background) {
  if (CheckRect.IsEmpty())
    return;
  if (HasUserGlyph) {
    DrawUserGlyph(canvas);
    return;
  }
  if (NativeStyle && lxThemeAvailableFor(totButton)) {
    DrawThemedCheck(canvas);
    return;
  }
  DrawClassicCheck(canvas, draw_background);
}

void TlxCustomCheckBoxViewInfo::DrawUserGlyph(TlxCanvas& canvas) {
  const int32_t image_width = Glyph->Width() / GlyphCount;
  const int32_t image = lxCheckBoxGlyphImage(ShownCheckState(), CheckButtonState == cbnPressed, GlyphCount);
  const int32_t top = (Glyph->Height() - CheckRect.Height()) / 2;
  TBitmap piece(CheckRect.Width(), CheckRect.Height());
  piece.Canvas().CopyRect(TRect(0, 0, CheckRect.Width(), CheckRect.Height()), Glyph->Canvas(),
                          TRect(image * image_width, top, image * image_width + CheckRect.Width(),
                                top + CheckRect.Height()));
  piece.SetTransparentColor(Glyph->TransparentColor());
  canvas.DrawGlyphBitmap(CheckRect.Left, CheckRect.Top, piece, CheckButtonState != cbnDisabled, BackgroundColor);
}

void TlxCustomCheckBoxViewInfo::DrawThemedCheck(TlxCanvas& canvas) {
  const HTHEME theme = lxOpenThemeHandle(totButton);
  const RECT rect = CheckRect;
  lxUxDrawThemeBackground(theme, canvas.Handle(), kThemeCheckBoxPart,
                          lxCheckBoxThemeState(ShownCheckState(), CheckButtonState), rect, nullptr);
}

void TlxCustomCheckBoxViewInfo::DrawClassicCheck(TlxCanvas& canvas, bool draw_background) {
  TRect rect = CheckRect;
  const int32_t ring = 2 - lxGetEditBorderWidth(CheckBorderStyle, false);
  if (draw_background && ring > 0)
    canvas.FrameRectSides(rect, BackgroundColor, ring, 0x0F);
  rect = rect.Inflate(-ring, -ring);
  const bool hot_or_pressed = CheckButtonState == cbnHot || CheckButtonState == cbnPressed;
  switch (CheckBorderStyle) {
    case ebsSingle:
      lxDrawFrameAndShrink(canvas, rect, BorderColor);
      break;
    case ebsThick:
      lxDrawFrameAndShrink(canvas, rect, BorderColor);
      lxDrawFrameAndShrink(canvas, rect, BorderColor);
      break;
    case ebsFlat:
      lxDrawTwoColorFrameAndShrink(canvas, rect, clBtnShadow, clBtnHighlight);
      lxDrawFrameAndShrink(canvas, rect, clBtnFace);
      break;
    case ebs3D:
      lxDrawTwoColorFrameAndShrink(canvas, rect, clBtnShadow, clBtnHighlight);
      lxDrawTwoColorFrameAndShrink(canvas, rect, cl3DDkShadow, cl3DLight);
      break;
    case ebsUltraFlat:
    case ebsOffice11: {
      TColor frame = clBtnShadow;
      if (hot_or_pressed || (Designing && Enabled) || (CheckButtonState == cbnNormal && Focused))
        frame = clHighlight;
      else if (CheckBorderStyle == ebsOffice11 && CheckButtonState == cbnNormal && !Designing && !Focused)
        frame = clBtnText;
      lxDrawFrameAndShrink(canvas, rect, frame);
      break;
    }
    default:
      break;
  }
  const TRect mark = CheckRect.Inflate(-2, -2);
  const TlxCheckBoxState state = ShownCheckState();
  const bool disabled = CheckButtonState == cbnDisabled;
  if (CheckBorderStyle == ebsUltraFlat || CheckBorderStyle == ebsOffice11) {
    TColor fill = clWindow;
    if (hot_or_pressed)
      fill = clBtnFace;
    else if (disabled || (state == cbsGrayed && NullStyle == nssInactive))
      fill = clBtnFace;
    lxFillRectWithColor(canvas, mark, fill);
    const bool marked = state == cbsChecked || (state == cbsGrayed && NullStyle == nssGrayedChecked);
    const HBITMAP mask = lxCheckMarkMask();
    if (!marked || mask == nullptr)
      return;
    const TColor brush_color = state == cbsChecked && !disabled ? clBtnText : clBtnShadow;
    canvas.PushClipRegion();
    TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
    canvas.IntersectClip(mark);
    TMemoryDC mask_dc(canvas.Handle());
    TSelectedObject selected(mask_dc.Handle(), mask);
    BITMAP info{};
    GetObjectW(mask, sizeof(info), &info);
    // The brush where the mask is black, the picture where it is white.
    TOwnedBrush brush(CreateSolidBrush(ColorToColorRef(brush_color)));
    TSelectedObject selected_brush(canvas.Handle(), brush.Get());
    const COLORREF saved_text = SetTextColor(canvas.Handle(), RGB(0, 0, 0));
    const COLORREF saved_back = SetBkColor(canvas.Handle(), RGB(255, 255, 255));
    constexpr DWORD kMaskCopy = 0x00E20746;  // destination where white, brush where black
    BitBlt(canvas.Handle(), mark.Left - 2, mark.Top - 2, info.bmWidth, info.bmHeight, mask_dc.Handle(), 0, 0,
           kMaskCopy);
    SetTextColor(canvas.Handle(), saved_text);
    SetBkColor(canvas.Handle(), saved_back);
    return;
  }
  UINT flags = DFCS_BUTTONCHECK;
  if (CheckBorderStyle != ebs3D)
    flags |= DFCS_FLAT;
  if (disabled) {
    const bool inactive = state == cbsUnchecked || (state == cbsGrayed && NullStyle != nssGrayedChecked);
    flags |= DFCS_BUTTON3STATE | DFCS_PUSHED | (inactive ? DFCS_INACTIVE : DFCS_CHECKED);
  } else if (state == cbsChecked) {
    flags |= DFCS_CHECKED;
  } else if (state == cbsGrayed) {
    flags |= DFCS_BUTTON3STATE;
    if (NullStyle == nssInactive)
      flags |= DFCS_INACTIVE;
    else if (NullStyle == nssGrayedChecked)
      flags |= DFCS_CHECKED;
  }
  if (CheckButtonState == cbnPressed)
    flags |= DFCS_PUSHED;
  canvas.PushClipRegion();
  TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
  canvas.IntersectClip(mark);
  RECT frame = mark.Inflate(2, 2);
  DrawFrameControl(canvas.Handle(), &frame, DFC_BUTTON, flags);
}

void TlxCustomCheckBoxViewInfo::TakeStateFrom(const TlxContainerViewInfo* other) {
  TlxCustomEditViewInfo::TakeStateFrom(other);
  if (const auto* check = dynamic_cast<const TlxCustomCheckBoxViewInfo*>(other)) {
    CheckState = check->CheckState;
    CheckButtonState = check->CheckButtonState;
  }
}

void TlxCustomCheckBoxViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxCustomEditViewInfo::MoveBy(dx, dy);
  CheckRect = CheckRect.Offset(dx, dy);
  FocusRect = FocusRect.Offset(dx, dy);
  TextRect = TextRect.Offset(dx, dy);
}

bool TlxCustomCheckBoxViewInfo::RepaintChangedInRect(HWND window, const TRect& rect,
                                                     const TlxCustomEditViewInfo* old) const {
  if (window == nullptr)
    return false;
  bool changed = TlxCustomEditViewInfo::RepaintChangedInRect(window, rect, old);
  const auto* old_check = dynamic_cast<const TlxCustomCheckBoxViewInfo*>(old);
  if (old_check == nullptr || old_check->CheckState != CheckState ||
      old_check->CheckButtonState != CheckButtonState) {
    const RECT check = CheckRect.Offset(Origin.X, Origin.Y);
    InvalidateRect(window, &check, FALSE);
    changed = true;
  }
  return changed;
}

// --- TlxCustomCheckBoxViewData ---------------------------------------------------------------------

TlxCustomCheckBoxProperties& TlxCustomCheckBoxViewData::CheckProperties() const {
  return static_cast<TlxCustomCheckBoxProperties&>(*Properties());
}

TlxCanvasTextFlags TlxCustomCheckBoxViewData::GetDrawTextFlags() const {
  const TlxCustomCheckBoxProperties& properties = CheckProperties();
  TlxCanvasTextFlags flags = lxtfShowPrefix;
  flags |= HorzAlignment == taCenter ? lxtfCenterX : lxtfLeft;
  if (properties.MultiLine())
    flags |= lxtfWordBreak | lxtfNoClip;
  else
    flags |= lxtfSingleLine;
  flags |= properties.MultiLine() && !IsInplace() ? lxtfTop : lxtfCenterY;
  return flags;
}

void TlxCustomCheckBoxViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                          int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                                          bool is_mouse_event) {
  TlxCustomEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  // Measuring calculates into a plain editor view info: nothing more then.
  auto* check_info = dynamic_cast<TlxCustomCheckBoxViewInfo*>(&view_info);
  if (check_info == nullptr)
    return;
  TlxCustomCheckBoxViewInfo& info = *check_info;
  TlxCustomCheckBoxProperties& properties = CheckProperties();
  info.DrawTextFlags = GetDrawTextFlags();
  if (!IsInplace())
    info.Text = ControlCaption;
  const TAlignment alignment = properties.GetAlignment()->Horz();
  info.Alignment = IsInplace() && !properties.ShowsCaptionInplace() && !properties.UseAlignmentWhenInplace() &&
                           info.Text.empty()
                       ? taCenter
                       : alignment;
  info.CheckBorderStyle = GetEditStyle()->GetBorderStyle();
  if (view_info.HotTrackMode == 2)
    info.CheckBorderStyle = lxRaisedCheckBorderStyle(info.CheckBorderStyle);
  info.GlyphCount = properties.GlyphCount();
  info.Glyph = properties.HasGlyph() ? properties.GetGlyph() : nullptr;
  info.HasUserGlyph = info.Glyph != nullptr && info.GlyphCount > 0 && !info.Glyph->Empty();
  info.NullStyle = properties.NullStyle();
  info.NativeStyle = NativeStyle && lxThemeAvailableFor(totButton);
  info.CheckBorderOffset =
      info.NativeStyle || info.HasUserGlyph ? 0 : 2 - lxGetEditBorderWidth(info.CheckBorderStyle, false);
  info.TextColorAssigned = TextColor != clDefault;

  TSize check_size = lxCheckButtonGlyphSize();
  if (info.HasUserGlyph)
    check_size = TSize{info.Glyph->Width() / info.GlyphCount, info.Glyph->Height()};
  else if (info.NativeStyle)
    check_size = lxPainter<TlxWinXPLookAndFeelPainter>().GetCheckButtonSize();

  TlxCheckBoxLayoutInput layout_input;
  layout_input.Client = view_info.ClientRect;
  layout_input.CheckSize = check_size;
  layout_input.Alignment = info.Alignment;
  layout_input.Inplace = IsInplace();
  layout_input.ClassicLook = !info.NativeStyle;
  layout_input.InplaceTextTop = TextParams.Margins.Top;
  layout_input.InplaceTextBottom = TextParams.Margins.Bottom;
  layout_input.EmbossedCaption = !Enabled && !info.TextColorAssigned && !info.NativeStyle;
  const TlxCheckBoxLayout layout = lxLayoutCheckBox(layout_input);
  info.CheckRect = layout.CheckRect;
  info.TextRect = layout.TextRect;

  if (!Enabled) {
    info.CheckButtonState = cbnDisabled;
  } else if (KeyboardPressed) {
    info.CheckButtonState = cbnPressed;
  } else if (!Designing && view_info.BorderRect.Contains(point)) {
    const bool left_only = shift == TShiftState{ssLeft};
    if (shift.Empty())
      info.CheckButtonState = cbnHot;
    else if (left_only && (button == mbLeft || info.CheckButtonState == cbnPressed))
      info.CheckButtonState = cbnPressed;
    else
      info.CheckButtonState = cbnNormal;
  } else {
    info.CheckButtonState = cbnNormal;
  }
  CalculateFocusRect(canvas, info);
  if (IsInplace() && info.CheckBorderStyle == ebsSingle)
    info.BorderColor = info.CheckButtonState == cbnHot || (Designing && Enabled) ? clHighlight : clBtnShadow;
}

TSize TlxCustomCheckBoxViewData::MeasureValueContentSize(TlxCanvas& canvas, const Variant& /*edit_value*/,
                                                        const TlxEditSizeProperties& /*limits*/) const {
  const TSize check = lxCheckButtonGlyphSize();
  if (TFont* font = GetEditStyle()->GetTextFont())
    canvas.AssignFont(*font);
  const std::string caption = StripHotkey(ControlCaption);
  const bool with_caption = !IsInplace() && !caption.empty();
  const int32_t text_height = canvas.MeasureTextHeight(with_caption ? caption : std::string("Gg"));
  TSize size{check.cx + 4, std::max(check.cy, text_height) + (IsInplace() ? 2 : 4)};
  if (with_caption)
    size.cx += 3 + canvas.MeasureTextWidth(caption);
  return size;
}

void TlxCustomCheckBoxViewData::CalculateFocusRect(TlxCanvas& canvas, TlxCustomCheckBoxViewInfo& info) const {
  info.FocusRect = TRect();
  const TlxCustomCheckBoxProperties& properties = CheckProperties();
  const bool center = info.Alignment == taCenter;
  const bool has_focus_rect =
      Focused && ((!center && (!IsInplace() || properties.ShowsCaptionInplace())) ||
                  (IsInplace() && center && (PaintFlags & 16) != 0));
  if (!has_focus_rect)
    return;
  if (center) {
    info.FocusRect = info.ClientRect.Inflate(-1, -1);
  } else {
    if (info.Text.empty())
      return;
    TRect text = info.TextRect;
    if (!properties.FullFocusRect()) {
      if (info.Font != nullptr)
        canvas.AssignFont(*info.Font);
      canvas.CalcTextRect(info.Text, text, info.DrawTextFlags);
    }
    info.FocusRect = text.Inflate(1, 1);
  }
  if (info.FocusRect.IsEmpty())
    return;
  TRect limit = center ? TRect(info.FocusRect.Left, info.ClientRect.Top, info.FocusRect.Right, info.ClientRect.Bottom)
                       : info.TextRect.Inflate(1, IsInplace() ? 0 : 1);
  if (!center)
    limit.Right = std::min(limit.Right, info.BorderRect.Right - 1);
  info.FocusRect = TRect(std::max(info.FocusRect.Left, limit.Left), std::max(info.FocusRect.Top, limit.Top),
                         std::min(info.FocusRect.Right, limit.Right), std::min(info.FocusRect.Bottom, limit.Bottom));
}

void TlxCustomCheckBoxViewData::ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                                         TlxCustomEditViewInfo& view_info) {
  auto* check_info = dynamic_cast<TlxCustomCheckBoxViewInfo*>(&view_info);
  if (check_info == nullptr)
    return;
  TlxCustomCheckBoxViewInfo& info = *check_info;
  info.CheckState = PreviewMode ? cbsChecked : CheckProperties().GetCheckState(edit_value);
  if (IsInplace() && !CheckProperties().ShowsCaptionInplace())
    info.Text.clear();
  CalculateFocusRect(canvas, info);
}
