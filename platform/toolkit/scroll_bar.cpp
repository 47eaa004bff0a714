#include "platform/toolkit/scroll_bar.h"

#include <algorithm>

namespace {

EInvalidOperation OutOfRange() { return EInvalidOperation("Scroll bar property out of range"); }

}  // namespace

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
  ControlStyle() = TControlStyle{csFramed, csDoubleClicks, csOpaque};
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "SCROLLBAR");
  params.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyScrollInfo();
}

void TScrollBar::ApplyScrollInfo() {
  if (!HandleAllocated())
    return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = min_;
  info.nMax = max_;
  info.nPage = static_cast<UINT>(page_size_);
  info.nPos = position_;
  SetScrollInfo(WindowHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_)
    return;
  kind_ = kind;
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetPageSize(int32_t value) {
  if (value < 0 || value > max_ - min_ + 1)
    throw OutOfRange();
  page_size_ = value;
  ApplyScrollInfo();
}

void TScrollBar::SetParams(int32_t position, int32_t min, int32_t max) {
  if (max < min || page_size_ > max - min + 1)
    throw OutOfRange();
  position = std::clamp(position, min, max);
  const bool moved = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  ApplyScrollInfo();
  if (moved)
    Change();
}

void TScrollBar::Change() {
  if (OnChange)
    OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int32_t& position) {
  if (OnScroll)
    OnScroll(this, code, position);
}

void TScrollBar::ScrollMessage(TMessage& message) {
  message.Result = 0;
  int32_t position = position_;
  TScrollCode code;
  switch (LOWORD(message.WParam)) {
    case SB_LINEUP: code = scLineUp; position -= small_change_; break;
    case SB_LINEDOWN: code = scLineDown; position += small_change_; break;
    case SB_PAGEUP: code = scPageUp; position -= large_change_; break;
    case SB_PAGEDOWN: code = scPageDown; position += large_change_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      code = LOWORD(message.WParam) == SB_THUMBTRACK ? scTrack : scPosition;
      // The 32-bit track position: the message carries only 16 bits.
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(WindowHandle(), SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    case SB_TOP: code = scTop; position = min_; break;
    case SB_BOTTOM: code = scBottom; position = max_; break;
    case SB_ENDSCROLL: code = scEndScroll; break;
    default: return;
  }
  const TAliveToken alive = AliveToken();
  Scroll(code, position);
  if (alive.Alive())
    SetPosition(position);
}

void TScrollBar::Dispatch(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
    ScrollMessage(message);
    return;
  }
  TWinControl::Dispatch(message);
}
