#include "platform/toolkit/picture.h"

#include <algorithm>

#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"

namespace {

std::vector<TGraphicFileFormat>& Formats() {
  static std::vector<TGraphicFileFormat> formats{
      {"bmp", "Bitmaps", &TBitmap::kClass},
      {"ico", "Icons", &TIcon::kClass},
      {"jpg", "JPEG Image File", &TJPEGImage::kClass},
      {"jpeg", "JPEG Image File", &TJPEGImage::kClass},
      {"emf", "Enhanced Metafiles", &TMetafile::kClass},
  };
  return formats;
}

std::string NormalExtension(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.')
    extension.remove_prefix(1);
  return LowerCase(extension);
}

std::string ExtensionOf(const std::string& file_name) {
  const size_t dot = file_name.find_last_of('.');
  const size_t separator = file_name.find_last_of("\\/:");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
    return {};
  return file_name.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Assign(const TPersistent* source) {
  if (source == nullptr) {
    SetGraphic(nullptr);
    return;
  }
  if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
    SetGraphic(picture->Graphic());
    return;
  }
  if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(graphic);
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::ReplaceGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_)
    graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::Changed() {
  if (OnChange)
    OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == nullptr) {
    ReplaceGraphic(nullptr);
    return;
  }
  if (graphic == graphic_.get())
    return;
  std::unique_ptr<TGraphic> copy = CreateUnowned<TGraphic>(graphic->ClassType());
  copy->Assign(graphic);
  ReplaceGraphic(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get()))
    return *bitmap;
  auto bitmap = std::make_unique<TBitmap>();
  TBitmap& result = *bitmap;
  ReplaceGraphic(std::move(bitmap));
  return result;
}

TIcon& TPicture::Icon() {
  if (auto* icon = dynamic_cast<TIcon*>(graphic_.get()))
    return *icon;
  auto icon = std::make_unique<TIcon>();
  TIcon& result = *icon;
  ReplaceGraphic(std::move(icon));
  return result;
}

void TPicture::LoadFromFile(const std::string& file_name) {
  const std::string extension = ExtensionOf(file_name);
  const TClass* graphic_class = GraphicClassOfExtension(extension);
  if (graphic_class == nullptr)
    throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  std::unique_ptr<TGraphic> graphic = CreateUnowned<TGraphic>(graphic_class);
  graphic->LoadFromFile(file_name);
  ReplaceGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& file_name) {
  if (graphic_)
    graphic_->SaveToFile(file_name);
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  const TClass& graphic_class) {
  const std::string normal = NormalExtension(extension);
  auto& formats = Formats();
  formats.erase(std::remove_if(formats.begin(), formats.end(),
                               [&](const TGraphicFileFormat& format) { return format.Extension == normal; }),
                formats.end());
  formats.push_back({normal, description, &graphic_class});
}

void TPicture::UnregisterGraphicClass(const TClass& graphic_class) {
  auto& formats = Formats();
  formats.erase(std::remove_if(formats.begin(), formats.end(),
                               [&](const TGraphicFileFormat& format) {
                                 return format.GraphicClass->InheritsFrom(&graphic_class);
                               }),
                formats.end());
}

const TClass* TPicture::GraphicClassOfExtension(std::string_view extension) {
  const std::string normal = NormalExtension(extension);
  for (const TGraphicFileFormat& format : Formats())
    if (format.Extension == normal)
      return format.GraphicClass;
  return nullptr;
}

std::string TPicture::GraphicExtension(const TClass& graphic_class) {
  for (const TGraphicFileFormat& format : Formats())
    if (format.GraphicClass == &graphic_class)
      return format.Extension;
  return {};
}

std::string TPicture::GraphicFilter() {
  std::string all_patterns;
  std::string entries;
  for (const TGraphicFileFormat& format : Formats()) {
    const std::string pattern = "*." + format.Extension;
    all_patterns += (all_patterns.empty() ? "" : ";") + pattern;
    entries += "|" + format.Description + " (" + pattern + ")|" + pattern;
  }
  return "All (" + all_patterns + ")|" + all_patterns + entries;
}

std::vector<TGraphicFileFormat> TPicture::FileFormats() { return Formats(); }
