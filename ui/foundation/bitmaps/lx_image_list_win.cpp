#include "ui/foundation/bitmaps/lx_image_list_win.h"

#include <objbase.h>

#include <cstring>
#include <limits>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/canvas.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/bitmaps/image_tiles.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"

namespace {

// One image of the list's size from `tile` of an image; outside the image
// the cell is clear.
std::unique_ptr<TBitmap> ImageCell(const TlxPixelImage& image, const TRect& tile) {
  auto cell = std::make_unique<TBitmap>(tile.Width(), tile.Height(), pf32bit);
  lxWriteBitmapPixels(lxCropPixels(image, tile), *cell);
  return cell;
}

// The monochrome mask of a cell: the mask's tile, or opaque (black) where
// there is no mask; outside the image the cell is see-through (white).
std::unique_ptr<TBitmap> MaskCell(TBitmap* mask, const TRect& tile, int32_t image_width, int32_t image_height) {
  auto cell = std::make_unique<TBitmap>(tile.Width(), tile.Height(), pf1bit);
  TCanvas& canvas = cell->Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect(0, 0, tile.Width(), tile.Height()));
  const int32_t inside_width = std::min(tile.Width(), image_width - tile.Left);
  const int32_t inside_height = std::min(tile.Height(), image_height - tile.Top);
  if (mask != nullptr && !mask->Empty()) {
    BitBlt(canvas.Handle(), 0, 0, inside_width, inside_height, mask->Canvas().Handle(), tile.Left, tile.Top, SRCCOPY);
  } else {
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(TRect(0, 0, inside_width, inside_height));
  }
  cell->Canvas().FreeContext();
  return cell;
}

// A tile of an image in a bitmap of its own, in the image's pixel format.
std::unique_ptr<TlxCustomBitmap> CopyTile(TBitmap& source, const TRect& tile) {
  auto copy = std::make_unique<TlxCustomBitmap>(tile.Width(), tile.Height(), source.PixelFormat());
  if (source.PixelFormat() == pf32bit)
    lxWriteBitmapPixels(lxCropPixels(lxReadBitmapPixels(source), tile), *copy);
  else
    copy->CopyRect(source, copy->ClientBounds(), TPoint(tile.Left, tile.Top));
  return copy;
}

// What the system stores for a list (ImageList_Write), for comparing lists.
std::vector<uint8_t> StoredForm(HIMAGELIST list) {
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
    return {};
  TScopeExit release([stream] { stream->Release(); });
  if (!ImageList_Write(list, stream))
    return {};
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream, &memory)))
    return {};
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  const auto size = static_cast<size_t>(stat.cbSize.QuadPart);
  std::vector<uint8_t> bytes(size);
  if (const void* data = GlobalLock(memory)) {
    std::memcpy(bytes.data(), data, size);
    GlobalUnlock(memory);
  }
  return bytes;
}

void ResizeForCopy(TBitmap& target, const TBitmap& source) {
  target.SetPixelFormat(source.PixelFormat());
  target.SetSize(source.Width(), source.Height());
}

}  // namespace

void TlxImageList::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxImageList>();
  p.Integer("BlendColor", &TlxImageList::BlendColor, &TlxImageList::SetBlendColor, clNone);
  p.Integer("BkColor", &TlxImageList::BkColor, &TlxImageList::SetBkColor, clNone);
  p.Boolean("CompressData", &TlxImageList::CompressData, &TlxImageList::SetCompressData, false);
  p.Enumeration("DrawingStyle", &TlxImageList::DrawingStyle, &TlxImageList::SetDrawingStyle,
                {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"}, std::optional<TDrawingStyle>(dsNormal));
  p.Integer("Height", &TlxImageList::Height, &TlxImageList::SetHeight, 16);
  p.Enumeration("ImageType", &TlxImageList::ImageType, &TlxImageList::SetImageType, {"itImage", "itMask"},
                std::optional<TImageType>(itImage));
  p.Boolean("ShareImages", &TlxImageList::ShareImages, &TlxImageList::SetShareImages, false);
  p.Integer("Width", &TlxImageList::Width, &TlxImageList::SetWidth, 16);
}

TlxImageList::TlxImageList(TComponent* owner) : TlxImageList(16, 16, owner) {}

TlxImageList::TlxImageList(int32_t width, int32_t height, TComponent* owner)
    : TCustomImageList(width, height, owner), image_info_(std::make_unique<TlxImageInfoCollection>(this)) {
  SetBlendColor(clNone);
  image_info_->SetPropName("ImageInfo");
}

TlxImageList::~TlxImageList() = default;

void TlxImageList::EndUpdate(bool notify) {
  lock_.End([this, notify] {
    if (notify)
      Change();
  });
}

void TlxImageList::Change() {
  // The system list was emptied under the information (a new image size or
  // mask setting): the information follows, so both stay equal.
  if (!synchronizing_ && !editing_ && Count() == 0 && image_info_ && image_info_->Count() > 0)
    image_info_->Delete(-1);
  if (lock_.Updating())
    return;
  TCustomImageList::Change();
}

int32_t TlxImageList::AddToSystemList(TBitmap& image, TBitmap* mask, TColor mask_color) {
  const std::vector<TRect> tiles = lxImageListTiles(image.Width(), image.Height(), Width(), Height());
  if (tiles.empty())
    return -1;
  HIMAGELIST list = Handle();
  const int32_t count_before = Count();
  const TlxPixelImage pixels = lxReadBitmapPixels(image);
  int32_t first = -1;
  for (const TRect& tile : tiles) {
    std::unique_ptr<TBitmap> cell = ImageCell(pixels, tile);
    int index = -1;
    if (mask_color != clNone) {
      index = ImageList_AddMasked(list, cell->Handle(), static_cast<COLORREF>(ColorToRGB(mask_color)) & 0xFFFFFF);
    } else {
      std::unique_ptr<TBitmap> mask_cell = MaskCell(mask, tile, image.Width(), image.Height());
      index = ImageList_Add(list, cell->Handle(), mask_cell->Handle());
    }
    if (index < 0) {
      // Nothing of a refused image stays.
      while (ImageList_GetImageCount(list) > count_before)
        ImageList_Remove(list, ImageList_GetImageCount(list) - 1);
      return -1;
    }
    if (first < 0)
      first = index;
  }
  return first;
}

void TlxImageList::RecordImageInfo(TBitmap& image, TBitmap* mask, TColor mask_color) {
  if (!lxIsTiledImage(image.Width(), image.Height(), Width(), Height())) {
    image_info_->Add(&image, mask, mask_color);
    return;
  }
  for (const TRect& tile : lxImageListTiles(image.Width(), image.Height(), Width(), Height())) {
    std::unique_ptr<TlxCustomBitmap> image_tile = CopyTile(image, tile);
    std::unique_ptr<TlxCustomBitmap> mask_tile =
        mask != nullptr && !mask->Empty() ? CopyTile(*mask, tile) : nullptr;
    image_info_->Add(image_tile.get(), mask_tile.get(), mask_color);
  }
}

int32_t TlxImageList::AddImage(TBitmap& image, TBitmap* mask) {
  TStateScope editing(editing_, true);
  const int32_t index = AddToSystemList(image, mask, clNone);
  if (index < 0)
    return -1;
  if (!synchronizing_)
    RecordImageInfo(image, mask, clNone);
  Change();
  return index;
}

int32_t TlxImageList::AddImageMasked(TBitmap& image, TColor mask_color) {
  if (mask_color == clNone)
    return AddImage(image, nullptr);
  TUpdateScope update(*this);
  TStateScope editing(editing_, true);
  const int32_t index = AddToSystemList(image, nullptr, mask_color);
  if (index < 0)
    return -1;
  if (!synchronizing_)
    RecordImageInfo(image, nullptr, mask_color);
  Change();
  return index;
}

int32_t TlxImageList::AddImageFromInfo(const TlxImageInfo& info) {
  if (!info.Mask()->Empty())
    return AddImage(*info.Image(), info.Mask());
  return AddImageMasked(*info.Image(), info.MaskColor());
}

void TlxImageList::MoveImage(int32_t current_index, int32_t new_index) {
  const int32_t count = Count();
  if (current_index < 0 || current_index >= count || new_index < 0 || new_index >= count ||
      current_index == new_index)
    return;
  TUpdateScope update(*this);
  TStateScope editing(editing_, true);
  TCustomImageList::Move(current_index, new_index);
  if (!synchronizing_)
    image_info_->Move(current_index, new_index);
  Change();
}

void TlxImageList::DeleteImage(int32_t index) {
  TUpdateScope update(*this);
  TStateScope editing(editing_, true);
  TCustomImageList::Delete(index);
  if (!synchronizing_)
    image_info_->Delete(index);
}

void TlxImageList::InsertImage(int32_t index, TBitmap& image, TBitmap* mask) {
  if (index < 0 || index > Count())
    return;
  TUpdateScope update(*this);
  const int32_t count_before = Count();
  const int32_t first = AddImage(image, mask);
  if (first < 0)
    return;
  const int32_t added = Count() - count_before;
  for (int32_t k = 0; k < added; ++k)
    MoveImage(first + k, index + k);
}

void TlxImageList::ReplaceImage(int32_t index, TBitmap& image, TBitmap* mask) {
  TUpdateScope update(*this);
  DeleteImage(index);
  InsertImage(index, image, mask);
}

void TlxImageList::GetImage(int32_t index, TBitmap& image, TBitmap& mask) {
  if (index < 0 || index >= Count() || index >= image_info_->Count())
    return;
  const TlxImageInfo& info = image_info_->Items(index)->ImageInfo();
  if (info.Image()->PixelFormat() != pf32bit) {
    ExtractImageInfo(Handle(), index, &image, &mask);
    return;
  }
  ResizeForCopy(image, *info.Image());
  image.Assign(info.Image());
  ResizeForCopy(mask, *info.Mask());
  mask.Assign(info.Mask());
}

void TlxImageList::ExtractImageInfo(HIMAGELIST list, int32_t index, TBitmap* image, TBitmap* mask) {
  IMAGEINFO info{};
  if (list == nullptr || !ImageList_GetImageInfo(list, index < 0 ? 0 : index, &info))
    return;
  auto take = [&](HBITMAP strip, TBitmap& target, TPixelFormat format) {
    TlxPixelImage pixels = lxReadSystemBitmapPixels(strip);
    if (index >= 0)
      pixels = lxCropPixels(pixels, TRect(info.rcImage));
    target.SetPixelFormat(format);
    target.SetSize(pixels.Width, pixels.Height);
    lxWriteBitmapPixels(pixels, target);
  };
  if (image != nullptr)
    take(info.hbmImage, *image, pf32bit);
  if (mask != nullptr && info.hbmMask != nullptr)
    take(info.hbmMask, *mask, pf1bit);
}

int32_t TlxImageList::GetImagePixelFormat(HIMAGELIST list) {
  IMAGEINFO info{};
  if (list == nullptr || ImageList_GetImageCount(list) == 0 || !ImageList_GetImageInfo(list, 0, &info))
    return 0;
  BITMAP strip{};
  if (GetObjectW(info.hbmImage, sizeof strip, &strip) == 0)
    return 0;
  return strip.bmBitsPixel;
}

void TlxImageList::RebuildImageInfo() {
  TUpdateScope update(*image_info_);
  TStateScope editing(editing_, true);
  image_info_->Delete(-1);
  for (int32_t i = 0; i < Count(); ++i) {
    TBitmap image(Width(), Height(), pf32bit);
    TBitmap mask(Width(), Height(), pf1bit);
    ExtractImageInfo(Handle(), i, &image, &mask);
    image_info_->Add(&image, &mask, clNone);
  }
}

void TlxImageList::RebuildFromImageInfo() {
  TUpdateScope update(*this);
  TStateScope synchronizing(synchronizing_, true);
  DeleteImage(-1);
  for (int32_t i = 0; i < image_info_->Count(); ++i)
    AddImageFromInfo(image_info_->Items(i)->ImageInfo());
}

bool TlxImageList::Equals(TlxImageList& other) {
  if (Count() != other.Count())
    return false;
  if (Count() == 0)
    return true;
  return StoredForm(Handle()) == StoredForm(other.Handle());
}

void TlxImageList::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<TCustomImageList*>(const_cast<TPersistent*>(source));
  if (other == nullptr || other == this) {
    TCustomImageList::Assign(source);
    return;
  }
  TUpdateScope update(*this);
  TCustomImageList::Assign(source);
  DeleteImage(-1);
  if (auto* stored = dynamic_cast<TlxImageList*>(other)) {
    for (int32_t i = 0; i < stored->ImageInfo().Count(); ++i)
      AddImageFromInfo(stored->ImageInfo().Items(i)->ImageInfo());
    return;
  }
  for (int32_t i = 0; i < other->Count(); ++i) {
    TBitmap image(Width(), Height(), pf32bit);
    TBitmap mask(Width(), Height(), pf1bit);
    ExtractImageInfo(other->Handle(), i, &image, &mask);
    AddImage(image, &mask);
  }
}

void TlxImageList::DoDraw(int32_t index, TCanvas& canvas, int32_t x, int32_t y, UINT, bool enabled) {
  const TRect rect(x, y, x + Width(), y + Height());
  lxDrawImageOverBackground(canvas.Handle(), rect, rect, nullptr, this, index, enabled ? lxidmNormal : lxidmDisabled,
                            false, nullptr, clNone, false);
}

// --- stored properties ------------------------------------------------------------

bool TlxImageList::HasImageInfoToStore(const TPersistent* ancestor) {
  if (const auto* ancestor_list = dynamic_cast<const TlxImageList*>(ancestor))
    // The ancestor's system list is only read.
    return !Equals(*const_cast<TlxImageList*>(ancestor_list));
  return Count() > 0;
}

void TlxImageList::ReadImageInfo(TReader& reader) {
  // Read aside first: a damaged collection leaves the list as it was.
  TlxImageInfoCollection read(this);
  read.SetCompressData(CompressData());
  reader.ReadCollection(read);
  for (int32_t i = 0; i < read.Count(); ++i) {
    const TBitmap* image = read.Items(i)->Image();
    // Every item is one image of the list: an empty image or one that
    // would go in as several tiles cannot be.
    if (image->Empty() || lxIsTiledImage(image->Width(), image->Height(), Width(), Height()))
      throw EReadError("Image information does not match the image list");
  }
  {
    TUpdateScope update(*image_info_);
    image_info_->Delete(-1);
    while (read.Count() > 0)
      read.Items(0)->SetCollection(image_info_.get());
  }
  RebuildFromImageInfo();
}

void TlxImageList::DefineProperties(TFiler& filer) {
  TCustomImageList::DefineProperties(filer);
  filer.DefineProperty(
      "FormatVersion",
      [this](TReader& reader) {
        const int64_t version = reader.ReadInteger();
        if (version < std::numeric_limits<int32_t>::min() || version > std::numeric_limits<int32_t>::max())
          throw EReadError("Invalid property value");
        format_version_ = static_cast<int32_t>(version);
      },
      [this](TWriter& writer) {
        format_version_ = 1;
        writer.WriteInteger(1);
      },
      true);
  const auto* ancestor = dynamic_cast<const TlxImageList*>(filer.Ancestor());
  filer.DefineProperty(
      "DesignInfo",
      [this](TReader& reader) {
        const int64_t value = reader.ReadInteger();
        if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
          throw EReadError("Invalid property value");
        design_info_ = static_cast<int32_t>(value);
      },
      [this](TWriter& writer) { writer.WriteInteger(design_info_); },
      ancestor == nullptr || ancestor->design_info_ != design_info_);
  filer.DefineProperty(
      "ImageInfo", [this](TReader& reader) { ReadImageInfo(reader); },
      [this](TWriter& writer) { writer.WriteCollection(*image_info_); }, HasImageInfoToStore(filer.Ancestor()));
}
