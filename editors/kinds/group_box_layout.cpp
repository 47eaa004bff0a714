#include "editors/kinds/group_box_layout.h"

#include <algorithm>

namespace {

constexpr int32_t kCaptionOffset = 8;

bool IsAnyOf(TlxCaptionAlignment alignment, std::initializer_list<TlxCaptionAlignment> set) {
  return std::find(set.begin(), set.end(), alignment) != set.end();
}

bool IndentsLeft(TlxCaptionAlignment a) { return IsAnyOf(a, {alTopLeft, alBottomLeft, alLeftTop, alLeftCenter, alLeftBottom}); }
bool IndentsRight(TlxCaptionAlignment a) {
  return IsAnyOf(a, {alTopRight, alBottomRight, alRightTop, alRightCenter, alRightBottom});
}
bool IndentsTop(TlxCaptionAlignment a) { return IsAnyOf(a, {alTopLeft, alTopCenter, alTopRight, alLeftTop, alRightTop}); }
bool IndentsBottom(TlxCaptionAlignment a) {
  return IsAnyOf(a, {alBottomLeft, alBottomCenter, alBottomRight, alLeftBottom, alRightBottom});
}

}  // namespace

TlxCaptionSide lxCaptionSideOf(TlxCaptionAlignment alignment) {
  switch (alignment) {
    case alTopLeft:
    case alTopCenter:
    case alTopRight:
      return TlxCaptionSide::kTop;
    case alBottomLeft:
    case alBottomCenter:
    case alBottomRight:
      return TlxCaptionSide::kBottom;
    case alLeftTop:
    case alLeftCenter:
    case alLeftBottom:
      return TlxCaptionSide::kLeft;
    case alRightTop:
    case alRightCenter:
    case alRightBottom:
      return TlxCaptionSide::kRight;
    default:
      return TlxCaptionSide::kNone;
  }
}

bool lxIsSideCaption(TlxCaptionAlignment alignment) {
  const TlxCaptionSide side = lxCaptionSideOf(alignment);
  return side == TlxCaptionSide::kLeft || side == TlxCaptionSide::kRight;
}

TRect lxGroupBoxCaptionRect(TlxCaptionAlignment alignment, const TSize& caption, const TSize& control,
                            int32_t shadow) {
  const int32_t w = caption.cx;
  const int32_t h = caption.cy;
  const int32_t width = control.cx;
  const int32_t height = control.cy;
  const int32_t center_left = (width - shadow - w) / 2;
  switch (alignment) {
    case alTopLeft:
      return TRect(kCaptionOffset, 0, kCaptionOffset + w, h);
    case alTopCenter:
      return TRect(center_left, 0, center_left + w, h);
    case alTopRight:
      return TRect(width - shadow - kCaptionOffset - w, 0, width - shadow - kCaptionOffset, h);
    case alBottomLeft:
      return TRect(kCaptionOffset, height - h, kCaptionOffset + w, height);
    case alBottomCenter:
      return TRect(center_left, height - h, center_left + w, height);
    case alBottomRight:
      return TRect(width - shadow - kCaptionOffset - w, height - h, width - shadow - kCaptionOffset, height);
    case alCenterCenter: {
      const int32_t top = (height - shadow - h) / 2;
      return TRect(center_left, top, center_left + w, top + h);
    }
    case alLeftTop:
      return TRect(0, kCaptionOffset, h, kCaptionOffset + 1 + w);
    case alLeftCenter: {
      const int32_t bottom = height - shadow - (height - shadow - w) / 2;
      return TRect(0, bottom - w - 1, h, bottom);
    }
    case alLeftBottom: {
      const int32_t bottom = height - shadow - kCaptionOffset;
      return TRect(0, bottom - w - 1, h, bottom);
    }
    case alRightTop:
      return TRect(width - h, kCaptionOffset, width, kCaptionOffset + w);
    case alRightCenter: {
      const int32_t top = (height - w) / 2;
      return TRect(width - h, top, width, top + w);
    }
    case alRightBottom:
      return TRect(width - h, height - kCaptionOffset - w, width, height - kCaptionOffset);
  }
  return TRect();
}

TRect lxGroupBoxCaptionBorderExtent(TlxCaptionAlignment alignment, int32_t text_height) {
  TRect extent;
  switch (lxCaptionSideOf(alignment)) {
    case TlxCaptionSide::kTop:
      extent.Top = text_height / 2 + 1;
      break;
    case TlxCaptionSide::kBottom:
      extent.Bottom = text_height / 2 + 1;
      break;
    case TlxCaptionSide::kLeft:
      extent.Left = text_height / 2;
      break;
    case TlxCaptionSide::kRight:
      extent.Right = text_height / 2;
      break;
    case TlxCaptionSide::kNone:
      break;
  }
  return extent;
}

TRect lxPanelContentRect(TlxCaptionAlignment alignment, const TRect& panel, int32_t border_width,
                         int32_t caption_indent) {
  const int32_t indent = std::max(caption_indent, kLxMinPanelCaptionIndent);
  TRect content = panel.Inflate(-border_width, -border_width);
  if (IndentsLeft(alignment))
    content.Left += indent;
  if (IndentsRight(alignment))
    content.Right -= indent;
  if (IndentsTop(alignment))
    content.Top += indent;
  if (IndentsBottom(alignment))
    content.Bottom -= indent;
  return content;
}

TRect lxPanelCaptionRect(TlxCaptionAlignment alignment, const TRect& panel, int32_t border_width,
                         int32_t caption_indent, const TSize& text) {
  const TRect content = lxPanelContentRect(alignment, panel, border_width, caption_indent);
  int32_t left = content.Left;
  if (IsAnyOf(alignment, {alTopCenter, alBottomCenter, alCenterCenter}))
    left = content.Left + (content.Width() - text.cx) / 2;
  else if (IndentsRight(alignment))
    left = content.Right - text.cx;
  int32_t top = content.Top;
  if (IsAnyOf(alignment, {alLeftCenter, alRightCenter, alCenterCenter}))
    top = content.Top + (content.Height() - text.cy) / 2;
  else if (IndentsBottom(alignment))
    top = content.Bottom - text.cy;
  const TRect text_rect(left, top, left + text.cx, top + text.cy);
  return TRect(std::max(text_rect.Left, content.Left), std::max(text_rect.Top, content.Top),
               std::min(text_rect.Right, content.Right), std::min(text_rect.Bottom, content.Bottom));
}
