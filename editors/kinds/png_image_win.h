#pragma once
// TlxPNGImage: the PNG picture type. A graphic of the toolkit (a TPicture
// holds, loads, draws and saves it) whose decoding, drawing and encoding all
// go through GDI+. Whatever format it was read from, it writes PNG. It is
// registered for the extension "png" only when GDI+ is available.

#include <windows.h>

#include <memory>

#include "editors/kinds/gp_image_win.h"
#include "platform/toolkit/graphic.h"

class TBitmap;

class TlxPNGImage : public TGraphic {
 public:
  static constexpr TClass kClass{"TlxPNGImage", &TGraphic::kClass, &ConstructInstance<TlxPNGImage>};
  const TClass* ClassType() const override { return &kClass; }

  TlxPNGImage();
  ~TlxPNGImage() override;

  void Assign(const TPersistent* source) override;

  bool Empty() const override;
  int32_t Width() const override;
  int32_t Height() const override;
  // A PNG picture has no settable size.
  void SetWidth(int32_t /*width*/) override {}
  void SetHeight(int32_t /*height*/) override {}
  // Always see-through: the flag cannot be turned off.
  void SetTransparent(bool /*transparent*/) override {}

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  // Same size and every pixel's four bytes equal.
  bool SamePixels(const TlxPNGImage& other) const;
  // A new 32-bit bitmap of the image over transparent black; empty without
  // an image. The caller owns it.
  std::unique_ptr<TBitmap> GetAsBitmap() const;
  void SetBitmap(TBitmap& bitmap);
  void PaintToDC(HDC dc, const TRect& rect) const;
  void PaintRectToDC(HDC dc, const TRect& destination, const TRect& source) const;
  void PaintRectToGraphics(GpGraphicsHandle graphics, const TRect& destination, const TRect& source) const;

  const TlxGPImage* Image() const { return image_.get(); }
  void SetImage(std::unique_ptr<TlxGPImage> image);

 protected:
  void AssignTo(TPersistent& destination) const override;
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void GetImageSize(int32_t& width, int32_t& height) const;
  void GetPixels(TlxRGBColors& pixels) const;

  std::unique_ptr<TlxGPImage> image_;
};

// Module start and end of the PNG type: registration through the units
// loader (counted; starts and ends the GDI+ binding module with it).
void lxPngImageInitialize();
void lxPngImageFinalize();
