#pragma once
// TMetafile: an enhanced metafile (the system's recorded drawing). Loaded
// from and saved to the EMF file form; drawn by playing it into the target
// rectangle. Its size is the recorded frame in screen pixels unless set.

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/graphic.h"

class TMetafile : public TGraphic {
 public:
  static constexpr TClass kClass{"TMetafile", &TGraphic::kClass, &ConstructInstance<TMetafile>};
  const TClass* ClassType() const override { return &kClass; }

  TMetafile();
  ~TMetafile() override;

  void Assign(const TPersistent* source) override;

  bool Empty() const override { return handle_ == nullptr; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;

  // Raises EInvalidGraphic ("Metafile is not valid") for bytes that are not
  // a complete enhanced metafile; the picture is empty then.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  HENHMETAFILE Handle() const { return handle_; }
  // Takes over `handle` (null empties).
  void SetHandle(HENHMETAFILE handle);

 protected:
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void Clear();

  HENHMETAFILE handle_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// Whether `bytes` (of `size`) begin with a complete enhanced metafile
// header whose recorded length fits.
bool IsEnhancedMetafile(const uint8_t* bytes, size_t size);
