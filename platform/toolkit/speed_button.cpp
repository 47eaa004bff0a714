#include "platform/toolkit/speed_button.h"

#include <algorithm>

#include "platform/toolkit/win_control.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  SetParentFont(true);
  SetParentColor(true);
  ControlStyle() = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
  glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() { glyph_->OnChange = nullptr; }

void TSpeedButton::SetNumGlyphs(int32_t count) {
  count = std::clamp(count, 1, 4);
  if (count == num_glyphs_)
    return;
  num_glyphs_ = count;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  if (layout == layout_)
    return;
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetSpacing(int32_t spacing) {
  if (spacing == spacing_)
    return;
  spacing_ = spacing;
  Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_)
    return;
  flat_ = value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int32_t index) {
  if (index == group_index_)
    return;
  group_index_ = index;
  if (group_index_ == 0)
    SetDown(false);
  else if (down_)
    ReleaseGroupSiblings();
}

void TSpeedButton::SetDown(bool value) {
  // Only buttons of a group stay down.
  if (group_index_ == 0)
    value = false;
  if (value == down_)
    return;
  // The last down button of a group stays down unless all may be up.
  if (!value && !allow_all_up_)
    return;
  down_ = value;
  if (down_)
    ReleaseGroupSiblings();
  Invalidate();
}

void TSpeedButton::ReleaseGroupSiblings() {
  TWinControl* parent = Parent();
  if (parent == nullptr || group_index_ == 0)
    return;
  for (int32_t i = 0; i < parent->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TSpeedButton*>(parent->Controls(i));
    if (sibling != nullptr && sibling != this && sibling->group_index_ == group_index_ && sibling->down_) {
      sibling->down_ = false;
      sibling->Invalidate();
    }
  }
}

void TSpeedButton::Click() {
  if (group_index_ != 0) {
    if (!down_) {
      down_ = true;
      ReleaseGroupSiblings();
      Invalidate();
    } else if (allow_all_up_) {
      down_ = false;
      Invalidate();
    }
  }
  TGraphicControl::Click();
}

TSpeedButton::State TSpeedButton::CurrentState() const {
  if (!Enabled())
    return State::kDisabled;
  if (pressed_)
    return State::kPressed;
  if (down_)
    return State::kExclusive;
  return State::kUp;
}

int32_t TSpeedButton::GlyphIndex() const {
  const auto state = static_cast<int32_t>(CurrentState());
  // A glyph without the part of a state shows its first image (the
  // exclusive state falls back to the pressed one first).
  if (state < num_glyphs_)
    return state;
  if (state == static_cast<int32_t>(State::kExclusive) && num_glyphs_ > 2)
    return 2;
  return 0;
}

void TSpeedButton::DrawFrame(TCanvas& canvas, const TRect& rect) {
  RECT frame = rect;
  const bool down = pressed_ || down_;
  if (!flat_) {
    DrawFrameControl(canvas.Handle(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    return;
  }
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  if (down)
    DrawEdge(canvas.Handle(), &frame, BDR_SUNKENOUTER, BF_RECT);
  else if (mouse_in_control_ && Enabled())
    DrawEdge(canvas.Handle(), &frame, BDR_RAISEDINNER, BF_RECT);
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  DrawFrame(canvas, client);
  const bool down = pressed_ || down_;
  const int32_t offset = down ? 1 : 0;

  // The glyph part and the caption, laid out as one block.
  std::unique_ptr<TBitmap> part;
  if (!glyph_->Empty()) {
    const int32_t part_width = glyph_->Width() / num_glyphs_;
    part = std::make_unique<TBitmap>(part_width, glyph_->Height(), pf24bit);
    const TRect source = Bounds(GlyphIndex() * part_width, 0, part_width, glyph_->Height());
    part->Canvas().CopyRect(Rect(0, 0, part_width, glyph_->Height()), glyph_->Canvas(), source);
    part->SetTransparent(true);
  }
  canvas.SetFont(Font());
  if (!Enabled())
    canvas.Font().SetColor(clGrayText);
  const std::string caption = Caption();
  const TSize text = caption.empty() ? TSize{0, 0} : canvas.TextExtent(caption);
  const TSize glyph = part ? TSize{part->Width(), part->Height()} : TSize{0, 0};
  const int32_t gap = (part && !caption.empty()) ? spacing_ : 0;
  const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  const int32_t block_width = horizontal ? glyph.cx + gap + text.cx : std::max(glyph.cx, text.cx);
  const int32_t block_height = horizontal ? std::max(glyph.cy, text.cy) : glyph.cy + gap + text.cy;
  const int32_t left = (client.Width() - block_width) / 2 + offset;
  const int32_t top = (client.Height() - block_height) / 2 + offset;
  TPoint glyph_at;
  TPoint text_at;
  switch (layout_) {
    case blGlyphLeft:
      glyph_at = {left, top + (block_height - glyph.cy) / 2};
      text_at = {left + glyph.cx + gap, top + (block_height - text.cy) / 2};
      break;
    case blGlyphRight:
      text_at = {left, top + (block_height - text.cy) / 2};
      glyph_at = {left + text.cx + gap, top + (block_height - glyph.cy) / 2};
      break;
    case blGlyphTop:
      glyph_at = {left + (block_width - glyph.cx) / 2, top};
      text_at = {left + (block_width - text.cx) / 2, top + glyph.cy + gap};
      break;
    case blGlyphBottom:
      text_at = {left + (block_width - text.cx) / 2, top};
      glyph_at = {left + (block_width - glyph.cx) / 2, top + text.cy + gap};
      break;
  }
  if (part)
    canvas.Draw(glyph_at.X, glyph_at.Y, part.get());
  if (!caption.empty()) {
    canvas.Brush().SetStyle(bsClear);
    TRect text_rect = Bounds(text_at.X, text_at.Y, text.cx, text.cy);
    canvas.TextRect(text_rect, caption, TTextFormat{tfSingleLine});
  }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled())
    return;
  pressed_ = true;
  dragging_ = true;
  Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_)
    return;
  // Pressed while the mouse is over the button, up when it left.
  const bool inside = ClientRect().Contains(TPoint(x, y));
  if (inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const bool was_dragging = dragging_;
  dragging_ = false;
  const bool clicked = was_dragging && button == mbLeft && ClientRect().Contains(TPoint(x, y));
  pressed_ = false;
  Invalidate();
  if (clicked) {
    const TAliveToken alive = AliveToken();
    Click();
    if (!alive.Alive())
      return;
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
  mouse_in_control_ = true;
  if (flat_)
    Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  mouse_in_control_ = false;
  if (flat_)
    Invalidate();
  TGraphicControl::MouseLeave();
}
