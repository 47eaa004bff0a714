#pragma once
// The tab control's hold on the image list assigned to its Images: it
// follows the list's changes and its freeing, draws tab images on a prepared
// background, and keeps turned copies of the images for vertical captions.
// A turned copy is drawn again whenever the background colour or the enabled
// state it was made for changes, so a disabled tab never shows the image of
// an enabled one. Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "platform/toolkit/color.h"

class TBitmap;
class TChangeLink;
class TComponent;
class TCustomImageList;
class TlxCanvas;

struct TlxPCImageListRotatedImagesElement {
  TColor BkColor = 0;
  bool Enabled = true;
  std::unique_ptr<TBitmap> Bitmap;
  bool Valid = false;
};

using TlxPCImageListRotatedImagesElementArray = std::vector<TlxPCImageListRotatedImagesElement>;

class TlxPCImageList : public TObject {
 public:
  static constexpr TClass kClass{"TlxPCImageList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `free_notifier` is told when the assigned list is freed; it then sets
  // the base images to null.
  explicit TlxPCImageList(TComponent* free_notifier);
  ~TlxPCImageList() override;
  TlxPCImageList(const TlxPCImageList&) = delete;
  TlxPCImageList& operator=(const TlxPCImageList&) = delete;

  TCustomImageList* BaseImages() const { return base_images_; }
  void SetBaseImages(TCustomImageList* images);
  // 0 none, 1 a quarter turn for captions read bottom to top, 2 for top to bottom.
  int32_t ImageRotationAngle() const { return rotation_; }
  void SetImageRotationAngle(int32_t angle);

  int32_t Count() const;
  // The list's size when both sides are positive, else 0 x 0.
  TSize GetImageSize() const;
  // The size as drawn: width and height exchanged while turned.
  TSize GetRotatedImageSize() const;
  const TlxPCImageListRotatedImagesElementArray& RotatedImages() const { return rotated_; }

  // Raises on a list without images and on an index outside it.
  void Draw(TlxCanvas& canvas, int32_t x, int32_t y, int32_t index, TColor background, bool enabled);
  void BaseImagesChanged();

  // Relayouts the control.
  std::function<void()> OnChange;
  // Paints the tab's background into an image's bitmap before the image.
  std::function<void(TBitmap& bitmap)> OnDrawBackground;
  // The painter draws straight with the system's look.
  std::function<bool()> IsNativeLook;

 private:
  void RebuildRotatedImages();
  void PrepareBitmap(TBitmap& bitmap, int32_t index, TColor background, bool enabled);

  TComponent* free_notifier_;
  TCustomImageList* base_images_ = nullptr;
  std::unique_ptr<TChangeLink> change_link_;
  int32_t rotation_ = 0;
  TlxPCImageListRotatedImagesElementArray rotated_;
};
