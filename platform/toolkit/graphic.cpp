#include "platform/toolkit/graphic.h"

#include "platform/rtl/file_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_)
    return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::SetModified(bool modified) {
  if (modified)
    Changed();
  else
    modified_ = false;
}

void TGraphic::Changed() {
  modified_ = true;
  if (OnChange)
    OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& file_name) {
  TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& file_name) {
  TFileStream stream(file_name, fmCreate);
  SaveToStream(stream);
}

void TGraphic::DrawTransparent(TCanvas& canvas, const TRect& rect, uint8_t opacity) {
  if (Empty() || rect.IsEmpty())
    return;
  // Render into a bitmap of the target size, then blend that.
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(rect.Width(), rect.Height());
  image.Canvas().CopyRect(Rect(0, 0, rect.Width(), rect.Height()), canvas, rect);
  Draw(image.Canvas(), Rect(0, 0, rect.Width(), rect.Height()));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, 0};
  AlphaBlend(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), image.Canvas().Handle(), 0, 0,
             rect.Width(), rect.Height(), blend);
}

std::string ReadGraphicBytes(TStream& stream, int64_t limit) {
  const int64_t available = stream.Remaining();
  if (available > limit)
    throw EInvalidGraphic("Graphic data too large");
  std::string bytes(static_cast<size_t>(available), '\0');
  if (available > 0)
    stream.ReadBuffer(bytes.data(), available);
  return bytes;
}
