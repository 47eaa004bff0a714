#include "ui/foundation/controls/size_grip_win.h"

#include "ui/foundation/canvas/canvas_win.h"

TlxSizeGrip::TlxSizeGrip(TComponent* owner) : TCustomControl(owner) {
  SetColor(clBtnFace);
  ControlStyle().Include(csNoDesignVisible);
  look_and_feel_ = std::make_unique<TlxLookAndFeel>(this);
  look_and_feel_->OnChanged = [this](TlxLookAndFeel*, TlxLookAndFeelValues) { Invalidate(); };
}

TlxSizeGrip::~TlxSizeGrip() = default;

void TlxSizeGrip::Paint() {
  TlxCanvas canvas(Canvas());
  canvas.FillRectColor(ClientRect(), look_and_feel_->CurrentPainter()->GetDefaultSizeGripAreaColor());
}
