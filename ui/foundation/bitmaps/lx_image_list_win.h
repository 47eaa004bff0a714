#pragma once
// TlxImageList: an image list over a 32-bit system image list that also
// keeps, for every image, a copy of its image bitmap, mask bitmap and mask
// colour (TlxImageInfoCollection). That information is what the list
// stores ("ImageInfo"), so 32-bit images with alpha survive saving and
// loading, and the list draws through lxDrawImageOverBackground, so that
// disabled images get the library's disabled look.
//
// The list's own operations (AddImage, InsertImage, MoveImage, DeleteImage,
// ReplaceImage...) keep the information and the system list equal in
// count and order outside of update brackets. An image whose width and
// height are whole multiples of the list's goes in tile by tile; any other
// image goes in as one (image_tiles.h).

#include <windows.h>
// The image list's stored form goes through a COM stream.
#include <objidl.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>

#include "platform/rtl/filer.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/bitmaps/image_info_win.h"

class TlxImageList : public TCustomImageList {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageList", &TCustomImageList::kClass, &ConstructInstance<TlxImageList>,
                                 &TlxImageList::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxImageList(TComponent* owner);
  TlxImageList(int32_t width, int32_t height, TComponent* owner = nullptr);
  ~TlxImageList() override;

  bool AlphaBlending() const { return alpha_blending_; }
  int32_t FormatVersion() const { return format_version_; }
  int32_t DesignInfo() const { return design_info_; }
  void SetDesignInfo(int32_t value) { design_info_ = value; }
  bool CompressData() const { return image_info_->CompressData(); }
  void SetCompressData(bool compress) { image_info_->SetCompressData(compress); }
  TlxImageInfoCollection& ImageInfo() { return *image_info_; }
  const TlxImageInfoCollection& ImageInfo() const { return *image_info_; }

  void BeginUpdate() { lock_.Begin(); }
  // Closes a bracket; the last one notifies the change when asked.
  void EndUpdate(bool notify = true);

  // Adds the image with its mask (without one, the image is opaque) and
  // records its information. Returns the index of the first image added,
  // or -1 when the system list refused it (nothing is recorded then).
  int32_t AddImage(TBitmap& image, TBitmap* mask);
  // With every pixel of `mask_color` see-through; clNone adds it opaque.
  int32_t AddImageMasked(TBitmap& image, TColor mask_color);
  int32_t AddImageFromInfo(const TlxImageInfo& info);
  void MoveImage(int32_t current_index, int32_t new_index);
  // -1 deletes every image.
  void DeleteImage(int32_t index);
  void ClearImages() { DeleteImage(-1); }
  // Inserts before `index` (0 to Count); nothing for other indexes.
  void InsertImage(int32_t index, TBitmap& image, TBitmap* mask);
  void ReplaceImage(int32_t index, TBitmap& image, TBitmap* mask);
  // The image and mask at `index`; nothing for an index outside the list.
  void GetImage(int32_t index, TBitmap& image, TBitmap& mask);

  // Copies image `index` of a system list (-1: the whole strip) into the
  // bitmaps given; an index without an image leaves them as they are.
  static void ExtractImageInfo(HIMAGELIST list, int32_t index, TBitmap* image, TBitmap* mask);
  // Bits per pixel of the list's image strip, 0 for an empty list.
  static int32_t GetImagePixelFormat(HIMAGELIST list);
  // The information taken anew from the system list, one item per image.
  void RebuildImageInfo();

  // Two lists are equal when their counts match and the system's stored
  // form of their images is the same.
  bool Equals(TlxImageList& other);

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  void DoDraw(int32_t index, TCanvas& canvas, int32_t x, int32_t y, UINT style, bool enabled) override;
  // Suppressed while a bracket is open. The information follows a system
  // list that was emptied under it (a new image size, a new mask setting).
  void Change() override;

 private:
  // Adds the cells of `image` to the system list; the index of the first,
  // or -1 with nothing added.
  int32_t AddToSystemList(TBitmap& image, TBitmap* mask, TColor mask_color);
  void RecordImageInfo(TBitmap& image, TBitmap* mask, TColor mask_color);
  // The system list rebuilt from the information (after "ImageInfo" is
  // read).
  void RebuildFromImageInfo();
  void ReadImageInfo(TReader& reader);
  bool HasImageInfoToStore(const TPersistent* ancestor);

  std::unique_ptr<TlxImageInfoCollection> image_info_;
  TUpdateBatch lock_{TUpdateBatch::kUpdateAlways};
  bool alpha_blending_ = true;
  bool synchronizing_ = false;
  // Set while the list's own operations change the system list.
  bool editing_ = false;
  int32_t format_version_ = 0;
  int32_t design_info_ = 0;
};
