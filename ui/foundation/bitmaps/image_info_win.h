#pragma once
// The stored information of an image list: per image a copy of its image
// bitmap, its mask bitmap and its mask colour. The collection is what the
// list stores as "ImageInfo", so that 32-bit images with alpha survive
// saving and loading.

#include <cstdint>
#include <memory>

#include "platform/rtl/collection.h"
#include "platform/rtl/property.h"
#include "platform/toolkit/color.h"
#include "ui/foundation/bitmaps/custom_bitmap_win.h"

class TlxImageInfo : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxImageInfo", &TPersistent::kClass, &ConstructInstance<TlxImageInfo>};
  const TClass* ClassType() const override { return &kClass; }

  TlxImageInfo();
  ~TlxImageInfo() override;

  TlxCustomBitmap* Image() const { return image_.get(); }
  TlxCustomBitmap* Mask() const { return mask_.get(); }
  TColor MaskColor() const { return mask_color_; }
  void SetMaskColor(TColor color) { mask_color_ = color; }
  // Image, mask and mask colour of another image information.
  void Assign(const TPersistent* source) override;
  // Copy `value` into the own bitmap (null empties it).
  virtual void SetImage(TBitmap* value);
  virtual void SetMask(TBitmap* value);

 private:
  std::unique_ptr<TlxCustomBitmap> image_;
  std::unique_ptr<TlxCustomBitmap> mask_;
  TColor mask_color_ = clNone;
};

class TlxImageInfoItem : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageInfoItem", &TCollectionItem::kClass, &ConstructInstance<TlxImageInfoItem>,
                                 &TlxImageInfoItem::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxImageInfoItem(TCollection* collection);
  ~TlxImageInfoItem() override;

  TlxImageInfo& ImageInfo() { return info_; }
  const TlxImageInfo& ImageInfo() const { return info_; }
  TBitmap* Image() const { return info_.Image(); }
  void SetImage(TBitmap* value) { info_.SetImage(value); }
  TBitmap* Mask() const { return info_.Mask(); }
  void SetMask(TBitmap* value) { info_.SetMask(value); }
  TColor MaskColor() const { return info_.MaskColor(); }
  void SetMaskColor(TColor color) { info_.SetMaskColor(color); }
  // True when both bitmaps store compressed data; setting sets both.
  bool CompressData() const;
  void SetCompressData(bool compress);

  void Assign(const TPersistent* source) override;

 private:
  TlxImageInfo info_;
};

class TlxImageInfoCollection : public TCollection {
 public:
  static constexpr TClass kClass{"TlxImageInfoCollection", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `owner` is the image list the collection is stored with.
  explicit TlxImageInfoCollection(TPersistent* owner);

  TlxImageInfoItem* Items(int32_t index) const { return static_cast<TlxImageInfoItem*>(TCollection::Items(index)); }
  bool CompressData() const { return compress_data_; }
  // Sets every item's too.
  void SetCompressData(bool compress);

  TlxImageInfoItem* Add(TBitmap* image, TBitmap* mask, TColor mask_color);
  void Move(int32_t current_index, int32_t new_index);
  // -1 deletes every item.
  void Delete(int32_t index);

 protected:
  // A new item, added here or read from a stream, takes CompressData.
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  bool compress_data_ = false;
};
