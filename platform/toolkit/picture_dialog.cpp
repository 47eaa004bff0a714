#include "platform/toolkit/picture_dialog.h"

#include "platform/toolkit/picture.h"

std::string GraphicFileFilter(const TClass& graphic_class) {
  std::string all_patterns;
  std::string entries;
  for (const TGraphicFileFormat& format : TPicture::FileFormats()) {
    if (format.GraphicClass == nullptr || !format.GraphicClass->InheritsFrom(&graphic_class))
      continue;
    const std::string pattern = "*." + format.Extension;
    all_patterns += (all_patterns.empty() ? "" : ";") + pattern;
    entries += "|" + format.Description + " (" + pattern + ")|" + pattern;
  }
  if (all_patterns.empty())
    return {};
  return "All (" + all_patterns + ")|" + all_patterns + entries;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) {
  SetFilter(GraphicFileFilter(TGraphic::kClass));
}

TSavePictureDialog::TSavePictureDialog(TComponent* owner) : TSaveDialog(owner) {
  SetFilter(GraphicFileFilter(TGraphic::kClass));
}
