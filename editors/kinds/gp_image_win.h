#pragma once
// TlxGPImage: one GDI+ image together with the pixels it was built from.
// A GDI+ bitmap built from pixels reads them in place, so the pixel buffer
// is shared (reference counted) by the image and every copy of it and
// lives as long as the last of them. Every failure leaves an image without
// a handle, which counts as empty; nothing is reported.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "editors/kinds/gdi_plus_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/object.h"

class TBitmap;

// One pixel as GDI+ and DIBs store it: blue, green, red, alpha.
struct TlxRGBQuad {
  uint8_t Blue = 0;
  uint8_t Green = 0;
  uint8_t Red = 0;
  uint8_t Alpha = 0;
  bool operator==(const TlxRGBQuad&) const = default;
};
static_assert(sizeof(TlxRGBQuad) == 4);

// Rows top-down, width × height entries.
using TlxRGBColors = std::shared_ptr<std::vector<TlxRGBQuad>>;

inline bool lxSameColor(const TlxRGBQuad& a, const TlxRGBQuad& b) { return a == b; }

// The base of GDI+ wrapper objects: their memory comes from GDI+ itself.
class TlxGPBase : public TObject {
 public:
  static constexpr TClass kClass{"TlxGPBase", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static void* operator new(size_t size);
  static void operator delete(void* block);
};

class TlxGPImage : public TlxGPBase {
 public:
  static constexpr TClass kClass{"TlxGPImage", &TlxGPBase::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // From a bitmap's pixels; a 32-bit bitmap keeps its alpha unless every
  // alpha byte is 0 (a bitmap that never set alpha), which counts as opaque.
  explicit TlxGPImage(TBitmap& bitmap);
  // Shares `pixels`; without alpha every pixel is made opaque first.
  TlxGPImage(int32_t width, bool has_alpha, TlxRGBColors pixels, int32_t height);
  // Decodes a stream from its position: "BM" through the bitmap reader,
  // anything else through GDI+. Raises EReadError when the stream ends
  // inside the 14-byte probe.
  explicit TlxGPImage(TStream& stream);
  // Takes over a GDI+ image handle (a clone).
  explicit TlxGPImage(GpImageHandle handle);
  ~TlxGPImage() override;

  TlxGPImage(const TlxGPImage&) = delete;
  TlxGPImage& operator=(const TlxGPImage&) = delete;

  // Reads the rest of the stream into a block that GDI+ decodes from.
  virtual void LoadFromStream(TStream& stream);
  void SaveAsPng(TMemoryStream& stream);

  GpImageHandle Handle() const { return handle_; }
  const TlxRGBColors& Pixels() const { return pixels_; }
  // The image's size truncated to pixels; 0 × 0 without a handle.
  void GetSize(int32_t& width, int32_t& height) const;

 protected:
  TlxGPImage() = default;

 private:
  void BuildFromBits(int32_t width, bool has_alpha, TlxRGBColors pixels, int32_t height);
  void BuildFromBitmap(TBitmap& bitmap);

  TlxRGBColors pixels_;
  GpImageHandle handle_ = nullptr;
};

// The image used while GDI+ is missing: ordinary heap memory.
class TlxGPNullImage : public TlxGPImage {
 public:
  static constexpr TClass kClass{"TlxGPNullImage", &TlxGPImage::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxGPImage::TlxGPImage;

  static void* operator new(size_t size);
  static void operator delete(void* block);
};

// The class every image of this module is made of: TlxGPNullImage until
// the module finds GDI+, then TlxGPImage.
const TClass* lxGPImageClass();
void lxSetGPImageClass(const TClass* image_class);

// An image of the current image class.
template <class... Args>
std::unique_ptr<TlxGPImage> lxNewGPImage(Args&&... args) {
  if (lxGPImageClass() == &TlxGPImage::kClass)
    return std::unique_ptr<TlxGPImage>(new TlxGPImage(std::forward<Args>(args)...));
  return std::unique_ptr<TlxGPImage>(new TlxGPNullImage(std::forward<Args>(args)...));
}

// A new image equal to `image`: built from the same shared pixels when it
// has them, else a GDI+ clone.
std::unique_ptr<TlxGPImage> lxGpCloneImage(const TlxGPImage& image);
std::unique_ptr<TlxGPImage> lxCreateGPImageFromPersistent(TBitmap& source);
// The bitmap's pixels as 32-bit values, rows top-down.
void lxGetBitmapBits(TBitmap& bitmap, TlxRGBColors& pixels);
void lxGetBitmapBitsByScanlines(TBitmap& bitmap, TlxRGBColors& pixels);
