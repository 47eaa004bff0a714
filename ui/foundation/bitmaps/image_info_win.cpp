#include "ui/foundation/bitmaps/image_info_win.h"

// --- TlxImageInfo -------------------------------------------------------------------

TlxImageInfo::TlxImageInfo() : image_(std::make_unique<TlxCustomBitmap>()), mask_(std::make_unique<TlxCustomBitmap>()) {}

TlxImageInfo::~TlxImageInfo() = default;

void TlxImageInfo::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxImageInfo*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetImage(other->Image());
  SetMask(other->Mask());
  mask_color_ = other->mask_color_;
}

namespace {

void CopyInto(TlxCustomBitmap& own, TBitmap* value) {
  if (value == nullptr || value->Empty()) {
    own.SetSize(0, 0);
    return;
  }
  own.Assign(value);
  own.Handle();
}

}  // namespace

void TlxImageInfo::SetImage(TBitmap* value) { CopyInto(*image_, value); }

void TlxImageInfo::SetMask(TBitmap* value) { CopyInto(*mask_, value); }

// --- TlxImageInfoItem ---------------------------------------------------------------

void TlxImageInfoItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxImageInfoItem>();
  p.Persistent("Image", TBitmap::kClass, &TlxImageInfoItem::Image);
  p.Persistent("Mask", TBitmap::kClass, &TlxImageInfoItem::Mask);
  p.Integer("MaskColor", &TlxImageInfoItem::MaskColor, &TlxImageInfoItem::SetMaskColor, clNone);
}

TlxImageInfoItem::TlxImageInfoItem(TCollection* collection) : TCollectionItem(collection) {}

TlxImageInfoItem::~TlxImageInfoItem() = default;

bool TlxImageInfoItem::CompressData() const { return info_.Image()->CompressData() && info_.Mask()->CompressData(); }

void TlxImageInfoItem::SetCompressData(bool compress) {
  info_.Image()->SetCompressData(compress);
  info_.Mask()->SetCompressData(compress);
}

void TlxImageInfoItem::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxImageInfoItem*>(source)) {
    info_.Assign(&other->info_);
    return;
  }
  TCollectionItem::Assign(source);
}

// --- TlxImageInfoCollection ---------------------------------------------------------

TlxImageInfoCollection::TlxImageInfoCollection(TPersistent* owner) : TCollection(TlxImageInfoItem::kClass, owner) {}

void TlxImageInfoCollection::SetCompressData(bool compress) {
  compress_data_ = compress;
  for (int32_t i = 0; i < Count(); ++i)
    Items(i)->SetCompressData(compress);
}

void TlxImageInfoCollection::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  if (action == cnAdded)
    static_cast<TlxImageInfoItem*>(item)->SetCompressData(compress_data_);
}

TlxImageInfoItem* TlxImageInfoCollection::Add(TBitmap* image, TBitmap* mask, TColor mask_color) {
  auto* item = static_cast<TlxImageInfoItem*>(TCollection::Add());
  item->SetImage(image);
  item->SetMask(mask);
  item->SetMaskColor(mask_color);
  return item;
}

void TlxImageInfoCollection::Move(int32_t current_index, int32_t new_index) { Items(current_index)->SetIndex(new_index); }

void TlxImageInfoCollection::Delete(int32_t index) {
  if (index == -1) {
    Clear();
    return;
  }
  TCollection::Delete(index);
}
