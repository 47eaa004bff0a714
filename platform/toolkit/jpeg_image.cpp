#include "platform/toolkit/jpeg_image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

// libjpeg's header needs FILE and size_t before it.
extern "C" {
#include <jpeglib.h>
}

#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"

namespace {

constexpr int64_t kMaxJpegBytes = 256 * 1024 * 1024;

// libjpeg reports fatal errors and corrupt-data warnings here; both end
// the operation with an exception carrying libjpeg's message.
[[noreturn]] void RaiseJpegError(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX] = {};
  (*info->err->format_message)(info, message);
  throw EInvalidGraphic(std::string("JPEG error: ") + message);
}

void ErrorExit(j_common_ptr info) { RaiseJpegError(info); }

void EmitMessage(j_common_ptr info, int level) {
  // Level -1 is a warning about damaged data, which would decode to a
  // grey or garbled image: refused as an error.
  if (level < 0)
    RaiseJpegError(info);
}

void OutputMessage(j_common_ptr /*info*/) {}

void InstallErrorManager(jpeg_error_mgr& errors) {
  jpeg_std_error(&errors);
  errors.error_exit = &ErrorExit;
  errors.emit_message = &EmitMessage;
  errors.output_message = &OutputMessage;
}

std::unique_ptr<TBitmap> DecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  InstallErrorManager(errors);
  info.err = &errors;
  jpeg_create_decompress(&info);
  TScopeExit destroy([&info] { jpeg_destroy_decompress(&info); });
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kJpegMaxSide ||
      info.image_height > kJpegMaxSide ||
      static_cast<int64_t>(info.image_width) * info.image_height > kJpegMaxPixels)
    throw EInvalidGraphic("JPEG image is too large");
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3)
    throw EInvalidGraphic("JPEG colour format is not supported");
  const auto width = static_cast<int32_t>(info.output_width);
  const auto height = static_cast<int32_t>(info.output_height);
  auto bitmap = std::make_unique<TBitmap>(width, height, pf24bit);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const auto line = static_cast<int32_t>(info.output_scanline);
    if (jpeg_read_scanlines(&info, rows, 1) != 1)
      throw EInvalidGraphic("JPEG image is incomplete");
    auto* target = static_cast<uint8_t*>(bitmap->ScanLine(line));
    for (int32_t x = 0; x < width; ++x) {
      target[x * 3] = row[static_cast<size_t>(x) * 3 + 2];
      target[x * 3 + 1] = row[static_cast<size_t>(x) * 3 + 1];
      target[x * 3 + 2] = row[static_cast<size_t>(x) * 3];
    }
  }
  jpeg_finish_decompress(&info);
  return bitmap;
}

std::string EncodeJpeg(TBitmap& bitmap, int32_t quality) {
  // Read every format the same way: as a 24-bit copy.
  TBitmap rgb(bitmap.Width(), bitmap.Height(), pf24bit);
  rgb.Canvas().Draw(0, 0, &bitmap);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  InstallErrorManager(errors);
  info.err = &errors;
  jpeg_create_compress(&info);
  unsigned char* output = nullptr;
  unsigned long output_size = 0;
  TScopeExit destroy([&] {
    jpeg_destroy_compress(&info);
    std::free(output);
  });
  jpeg_mem_dest(&info, &output, &output_size);
  info.image_width = static_cast<JDIMENSION>(rgb.Width());
  info.image_height = static_cast<JDIMENSION>(rgb.Height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(rgb.Width()) * 3);
  while (info.next_scanline < info.image_height) {
    const auto* source = static_cast<const uint8_t*>(rgb.ScanLine(static_cast<int32_t>(info.next_scanline)));
    for (int32_t x = 0; x < rgb.Width(); ++x) {
      row[static_cast<size_t>(x) * 3] = source[x * 3 + 2];
      row[static_cast<size_t>(x) * 3 + 1] = source[x * 3 + 1];
      row[static_cast<size_t>(x) * 3 + 2] = source[x * 3];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  return std::string(reinterpret_cast<const char*>(output), output_size);
}

}  // namespace

TJPEGImage::TJPEGImage() : bitmap_(std::make_unique<TBitmap>()) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(const TPersistent* source) {
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
    if (jpeg == this)
      return;
    data_ = jpeg->data_;
    quality_ = jpeg->quality_;
    bitmap_->Assign(jpeg->bitmap_.get());
    Changed();
    return;
  }
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    // Compressing reads the bitmap's pixels, which needs its handle.
    Compress(const_cast<TBitmap&>(*bitmap));
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent& destination) const {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&destination)) {
    bitmap->Assign(bitmap_.get());
    return;
  }
  TGraphic::AssignTo(destination);
}

bool TJPEGImage::Empty() const { return bitmap_->Empty(); }
int32_t TJPEGImage::Width() const { return bitmap_->Width(); }
int32_t TJPEGImage::Height() const { return bitmap_->Height(); }

void TJPEGImage::SetCompressionQuality(int32_t quality) { quality_ = std::clamp(quality, 1, 100); }

const TBitmap& TJPEGImage::Bitmap() const { return *bitmap_; }

void TJPEGImage::Decode(const std::string& bytes) {
  data_.clear();
  bitmap_ = std::make_unique<TBitmap>();
  TScopeExit changed([this] { Changed(); });
  if (bytes.empty())
    return;
  bitmap_ = DecodeJpeg(bytes);
  data_ = bytes;
}

void TJPEGImage::LoadFromStream(TStream& stream) { Decode(ReadGraphicBytes(stream, kMaxJpegBytes)); }

void TJPEGImage::SaveToStream(TStream& stream) {
  if (!data_.empty())
    stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TJPEGImage::Compress(TBitmap& bitmap) {
  if (bitmap.Empty()) {
    Decode(std::string());
    return;
  }
  // The image is what a reader of the bytes will see.
  Decode(EncodeJpeg(bitmap, quality_));
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) { canvas.StretchDraw(rect, bitmap_.get()); }
