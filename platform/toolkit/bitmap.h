#pragma once
// TBitmap: a device-independent bitmap (a DIB section) in one of the pixel
// formats, with a canvas to draw on it, direct access to its rows
// (ScanLine), a transparent colour with a mask for see-through drawing, and
// the BMP file form in streams.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/toolkit/canvas.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/graphic.h"

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };
// How the fourth byte of 32-bit pixels is read when drawing.
enum TAlphaFormat : uint8_t { afIgnored, afDefined, afPremultiplied };

// Bits per pixel of a format (pfDevice counts as 32).
int32_t BitsPerPixel(TPixelFormat format);

class TBitmap;

// The canvas of a bitmap: a memory context with the bitmap selected.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;
  // Gives the context back (the bitmap is about to change its handle).
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap& bitmap_;
  HDC memory_dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
};

class TBitmap : public TGraphic {
 public:
  static constexpr TClass kClass{"TBitmap", &TGraphic::kClass, &ConstructInstance<TBitmap>};
  const TClass* ClassType() const override { return &kClass; }

  TBitmap();
  TBitmap(int32_t width, int32_t height, TPixelFormat format = pfDevice);
  ~TBitmap() override;

  void Assign(const TPersistent* source) override;

  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t width) override { SetSize(width, height_); }
  void SetHeight(int32_t height) override { SetSize(width_, height); }
  // Keeps the overlapping part of the image; new area is white. Raises
  // EInvalidGraphicOperation for negative or unreasonably large sizes.
  void SetSize(int32_t width, int32_t height) override;

  TPixelFormat PixelFormat() const { return pixel_format_; }
  // Converts the image to the format (the system maps the colours).
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const { return pixel_format_ == pf1bit; }
  void SetMonochrome(bool monochrome) { SetPixelFormat(monochrome ? pf1bit : pfDevice); }
  TAlphaFormat AlphaFormat() const { return alpha_format_; }
  void SetAlphaFormat(TAlphaFormat format);

  TBitmapCanvas& Canvas();
  // The DIB section; a bitmap without size has none (null).
  HBITMAP Handle();
  // Takes over `bitmap` (its image is copied into a DIB section of the
  // matching depth and the original deleted).
  void SetHandle(HBITMAP bitmap);
  // Gives up the handle to the caller; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  // The first byte of row `row` (0 is the top). Raises
  // EInvalidGraphicOperation ("Scan line index out of range").
  void* ScanLine(int32_t row);
  // Bytes per row (rows are DWORD-aligned).
  int32_t BytesPerScanLine() const;

  // The colour left out by transparent drawing: the bottom-left pixel in
  // tmAuto, the fixed colour in tmFixed.
  TColor TransparentColor();
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparent_mode_; }
  void SetTransparentMode(TTransparentMode mode);
  // A monochrome mask: 1 (white) where the image has the transparent colour.
  HBITMAP MaskHandle();
  // Turns the image itself into the monochrome mask of `transparent`.
  void Mask(TColor transparent);

  // Colours of a palette format (1, 4 or 8 bits), as RGB values.
  std::vector<TColor> PaletteColors() const;

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // Stores the image as the binary "Data" value (a 32-bit size and the BMP
  // stream) in a component stream; an empty bitmap, or one equal to the
  // ancestor's, stores nothing.
  void DefineProperties(TFiler& filer) override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);

  // Releases the memory context and mask; the image stays.
  void Dormant();
  void FreeImage();

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;
  void DrawTransparent(TCanvas& canvas, const TRect& rect, uint8_t opacity) override;
  void Changed() override;

 private:
  friend class TBitmapCanvas;
  // Builds a new DIB section of the size and format, with the old image
  // copied over, and makes it current.
  void Rebuild(int32_t width, int32_t height, TPixelFormat format);
  void DropMask();
  void WriteData(TStream& stream);
  // Raises EReadError for damaged data, leaving the image as it was.
  void ReadData(TStream& stream);
  // The pixels premultiplied by their alpha, for AlphaBlend.
  HBITMAP CreatePremultipliedCopy(void*& bits);

  HBITMAP handle_ = nullptr;
  void* bits_ = nullptr;
  HBITMAP mask_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TPixelFormat pixel_format_ = pfDevice;
  TAlphaFormat alpha_format_ = afIgnored;
  TColor transparent_color_ = clDefault;
  TTransparentMode transparent_mode_ = tmAuto;
  std::unique_ptr<TBitmapCanvas> canvas_;
};
