#include "platform/toolkit/label.h"

#include "platform/toolkit/buttons.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/win_control.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
  ControlStyle() = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
}

TCustomLabel::~TCustomLabel() { SetFocusControl(nullptr); }

TTextFormat TCustomLabel::Format() const {
  TTextFormat format{tfExpandTabs};
  format.Include(alignment_ == taCenter ? tfCenter : alignment_ == taRightJustify ? tfRight : tfLeft);
  if (word_wrap_)
    format.Include(tfWordBreak);
  if (!show_accel_char_)
    format.Include(tfNoPrefix);
  return format;
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.SetFont(Font());
  if (!Enabled())
    canvas.Font().SetColor(clGrayText);
  const std::string text = Caption();
  // The text block is measured first so that it can be placed vertically.
  TRect measured = client;
  TTextFormat measuring = Format();
  measuring.Include(tfCalcRect);
  canvas.TextRect(measured, text.empty() ? " " : text, measuring);
  TRect area = client;
  if (layout_ == tlCenter)
    area.Top += (client.Height() - measured.Height()) / 2;
  else if (layout_ == tlBottom)
    area.Top = client.Bottom - measured.Height();
  canvas.TextRect(area, text, Format());
}

void TCustomLabel::AdjustBounds() {
  if (!auto_size_ || ComponentState().Contains(csLoading))
    return;
  TScreenCanvas canvas;
  canvas.SetFont(Font());
  TRect rect(0, 0, word_wrap_ ? Width() : 0x7FFF, 0);
  TTextFormat format = Format();
  format.Include(tfCalcRect);
  const std::string text = Caption();
  canvas.TextRect(rect, text.empty() ? " " : text, format);
  int32_t left = Left();
  // A right-aligned label grows to the left, a centred one both ways.
  if (!word_wrap_ && alignment_ == taRightJustify)
    left += Width() - rect.Width();
  else if (!word_wrap_ && alignment_ == taCenter)
    left += (Width() - rect.Width()) / 2;
  SetBounds(left, Top(), word_wrap_ ? Width() : rect.Width(), rect.Height());
}

void TCustomLabel::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TGraphicControl::Dispatch(message);
      AdjustBounds();
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (focus_control_ != nullptr && Enabled() && show_accel_char_ &&
          IsAccel(static_cast<char16_t>(message.WParam), Caption()) && focus_control_->CanFocus()) {
        focus_control_->SetFocus();
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TGraphicControl::Dispatch(message);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focus_control_)
    focus_control_ = nullptr;
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (control == focus_control_)
    return;
  if (focus_control_ != nullptr)
    focus_control_->RemoveFreeNotification(this);
  focus_control_ = control;
  if (focus_control_ != nullptr)
    focus_control_->FreeNotification(this);
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == layout_)
    return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (value == auto_size_)
    return;
  auto_size_ = value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (value == word_wrap_)
    return;
  word_wrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == transparent_)
    return;
  transparent_ = value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == show_accel_char_)
    return;
  show_accel_char_ = value;
  AdjustBounds();
  Invalidate();
}
