#include "editors/kinds/image_picture_value_win.h"

#include <memory>

#include "editors/kinds/image_value_codec.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"
#include "platform/toolkit/picture.h"
#include "ui/foundation/base/text_conversion.h"

namespace {

// Reads `bytes` into a new graphic of the class; raises what the class
// raises for bytes it cannot read.
std::unique_ptr<TGraphic> ReadGraphic(const TClass* graphic_class, std::string_view bytes) {
  std::unique_ptr<TGraphic> graphic = CreateUnowned<TGraphic>(graphic_class);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  graphic->LoadFromStream(stream);
  return graphic;
}

// A graphic class that read the bytes without complaint but holds nothing
// (a PNG type without GDI+ or decoding) counts as a rejection too.
std::unique_ptr<TGraphic> TryReadGraphic(const TClass* graphic_class, std::string_view bytes) {
  try {
    std::unique_ptr<TGraphic> graphic = ReadGraphic(graphic_class, bytes);
    if (!graphic->Empty())
      return graphic;
  } catch (const Exception&) {
  }
  return nullptr;
}

}  // namespace

const TClass* lxGraphicClassOfSignature(std::string_view bytes) {
  switch (lxSniffPictureSignature(bytes)) {
    case TlxPictureSignature::Bitmap:
      return &TBitmap::kClass;
    case TlxPictureSignature::Icon:
      return &TIcon::kClass;
    case TlxPictureSignature::Png:
      // Registered by name only where GDI+ decodes it.
      return GetClass("TlxPNGImage");
    case TlxPictureSignature::Jpeg:
      return &TJPEGImage::kClass;
    case TlxPictureSignature::EnhancedMetafile:
      return &TMetafile::kClass;
    case TlxPictureSignature::Unknown:
      break;
  }
  return nullptr;
}

void lxSavePictureToString(const TPicture* picture, std::string& bytes) {
  bytes.clear();
  if (picture == nullptr || picture->Graphic() == nullptr || picture->Graphic()->Empty())
    return;
  TMemoryStream stream;
  picture->Graphic()->SaveToStream(stream);
  bytes.assign(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void lxLoadPictureFromValue(TPicture& picture, const TClass* graphic_class, const Variant& value) {
  if (!VarIsStr(value) && !VarIsArray(value)) {
    picture.SetGraphic(nullptr);
    return;
  }
  std::string all_bytes;
  try {
    all_bytes = lxVariantToAnsiStr(value);
  } catch (const Exception&) {
    picture.SetGraphic(nullptr);
    return;
  }
  const std::string_view bytes = lxSkipGraphicHeader(all_bytes);
  if (bytes.empty()) {
    picture.SetGraphic(nullptr);
    return;
  }
  const TClass* tried = graphic_class != nullptr ? graphic_class : &TBitmap::kClass;
  std::unique_ptr<TGraphic> graphic = TryReadGraphic(tried, bytes);
  if (!graphic) {
    const TClass* by_signature = lxGraphicClassOfSignature(bytes);
    if (by_signature != nullptr && by_signature != tried)
      graphic = TryReadGraphic(by_signature, bytes);
  }
  try {
    picture.SetGraphic(graphic.get());
  } catch (const Exception&) {
    picture.SetGraphic(nullptr);
  }
}
