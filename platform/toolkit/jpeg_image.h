#pragma once
// TJPEGImage: a JPEG picture. It keeps the compressed bytes (what it saves)
// and the decoded image (what it draws). Assigning a bitmap compresses it
// at CompressionQuality. Bytes that libjpeg cannot decode, including
// truncated and damaged data, raise EInvalidGraphic and leave the picture
// empty; libjpeg's own error path ends in an exception, never in exit().

#include <cstdint>
#include <memory>
#include <string>

#include "platform/toolkit/graphic.h"

class TBitmap;

class TJPEGImage : public TGraphic {
 public:
  static constexpr TClass kClass{"TJPEGImage", &TGraphic::kClass, &ConstructInstance<TJPEGImage>};
  const TClass* ClassType() const override { return &kClass; }

  TJPEGImage();
  ~TJPEGImage() override;

  // From a TJPEGImage (shares nothing: copies bytes and image) or a TBitmap
  // (compresses it).
  void Assign(const TPersistent* source) override;

  bool Empty() const override;
  int32_t Width() const override;
  int32_t Height() const override;
  // A JPEG picture is resized only by assigning a new image.
  void SetWidth(int32_t /*width*/) override {}
  void SetHeight(int32_t /*height*/) override {}

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  // 1 to 100; used by the next compression.
  int32_t CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int32_t quality);
  // The compressed bytes as saved.
  const std::string& Data() const { return data_; }
  // Compresses `bitmap` (any pixel format) into this picture.
  void Compress(TBitmap& bitmap);
  // The decoded image; empty for an empty picture.
  const TBitmap& Bitmap() const;

 protected:
  void AssignTo(TPersistent& destination) const override;
  void Draw(TCanvas& canvas, const TRect& rect) override;

 private:
  void Decode(const std::string& bytes);

  std::string data_;
  std::unique_ptr<TBitmap> bitmap_;
  int32_t quality_ = 90;
};

// Limits of decoding (pixels of one side, whole image), so that a header
// cannot make the decoder allocate without bound.
constexpr int32_t kJpegMaxSide = 65500;
constexpr int64_t kJpegMaxPixels = 64 * 1024 * 1024;
