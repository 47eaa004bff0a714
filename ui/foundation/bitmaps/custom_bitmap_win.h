#pragma once
// TlxCustomBitmap: the toolkit bitmap with the library's canvas, an update
// bracket that folds change notifications into one, rotation, and a stored
// "Data" form that may be run-length compressed (see bitmap_stream.h).

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/rtl/filer.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"

class TlxCustomBitmap : public TBitmap {
 public:
  static constexpr TClass kClass{"TlxCustomBitmap", &TBitmap::kClass, &ConstructInstance<TlxCustomBitmap>};
  const TClass* ClassType() const override { return &kClass; }

  // An empty 24-bit bitmap.
  TlxCustomBitmap();
  // 24-bit bitmaps of a rectangle's size and of a width and height.
  explicit TlxCustomBitmap(const TRect& rect);
  TlxCustomBitmap(int32_t width, int32_t height);
  TlxCustomBitmap(int32_t width, int32_t height, TPixelFormat format);
  ~TlxCustomBitmap() override;

  // Whether the stored "Data" is compressed.
  bool CompressData() const { return compress_data_; }
  void SetCompressData(bool compress) { compress_data_ = compress; }
  TlxCanvas& LxCanvas() { return *lx_canvas_; }

  void BeginUpdate() { update_batch_.Begin(); }
  // Closes a bracket; the last one delivers one change notification when a
  // change came in meanwhile or when forced.
  void EndUpdate(bool force = true);
  bool Updating() const { return update_batch_.Updating(); }

  // Fills the whole bitmap with black.
  virtual void Clear();
  // Width and height in one bracket.
  void SetSize(int32_t width, int32_t height) override;

  // Copies the source over the whole bitmap from the source's origin.
  void CopyBitmap(TBitmap& source, DWORD raster_operation = SRCCOPY);
  void CopyRect(TBitmap& source, const TRect& rect, const TPoint& source_point, DWORD raster_operation = SRCCOPY);
  TRect ClientBounds() const { return TRect(0, 0, Width(), Height()); }
  // Turns the bitmap as lxRotateBitmap does.
  void Rotate(int32_t angle_index, bool mirror = false);

  void DefineProperties(TFiler& filer) override;

 protected:
  // Width, height and pixel format in one bracket that ends with a forced
  // notification.
  virtual void Initialize(int32_t width, int32_t height, TPixelFormat format);
  // Runs after every change notification that is delivered.
  virtual void AfterChange() {}
  // Inside a bracket only noted; otherwise the toolkit's notification, then
  // AfterChange.
  void Changed() override;
  // The stored "Data". Reading raises EReadError for damaged data and
  // leaves the bitmap as it was.
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream);

 private:
  std::unique_ptr<TlxCanvas> lx_canvas_;
  TUpdateBatch update_batch_;
  bool compress_data_ = false;
};
