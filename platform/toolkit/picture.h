#pragma once
// TPicture: holds one graphic of any registered class, and reads files by
// extension through the registry of graphic classes (bmp: TBitmap, ico:
// TIcon, jpg and jpeg: TJPEGImage, emf: TMetafile; later parts register
// their formats).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/persistent.h"
#include "platform/toolkit/graphic.h"

class TBitmap;
class TIcon;

struct TGraphicFileFormat {
  std::string Extension;  // lower case, without the dot
  std::string Description;
  const TClass* GraphicClass = nullptr;
};

class TPicture : public TPersistent {
 public:
  static constexpr TClass kClass{"TPicture", &TPersistent::kClass, &ConstructInstance<TPicture>};
  const TClass* ClassType() const override { return &kClass; }

  TPicture();
  ~TPicture() override;

  void Assign(const TPersistent* source) override;

  // The graphic, or null when empty.
  TGraphic* Graphic() const { return graphic_.get(); }
  // Stores a copy of `graphic` (of the same class); null empties.
  void SetGraphic(const TGraphic* graphic);
  // The graphic as a bitmap: an empty bitmap replaces any other graphic.
  TBitmap& Bitmap();
  TIcon& Icon();
  int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
  int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Raises EInvalidGraphic ("Unknown picture file extension (.xyz)") for
  // an extension no class is registered for.
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name);

  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 const TClass& graphic_class);
  static void UnregisterGraphicClass(const TClass& graphic_class);
  // The class registered for the extension (with or without the dot), or
  // null.
  static const TClass* GraphicClassOfExtension(std::string_view extension);
  // The extension registered for the class (the first), or empty.
  static std::string GraphicExtension(const TClass& graphic_class);
  // An open-dialog filter of every registered format.
  static std::string GraphicFilter();
  static std::vector<TGraphicFileFormat> FileFormats();

  TNotifyEvent OnChange;

 private:
  void ReplaceGraphic(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
};
