#include "platform/toolkit/image_list.h"

#include <algorithm>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/icon.h"

namespace {

// Destination := pattern where the source is black, else unchanged: paints
// the brush through a monochrome stencil.
constexpr DWORD kRopPaintThroughStencil = 0x00E20746;

COLORREF SystemColorOf(TColor color, COLORREF none_value, COLORREF default_value) {
  if (color == clNone)
    return none_value;
  if (color == clDefault)
    return default_value;
  return ColorToColorRef(color);
}

EInvalidOperation IndexError() { return EInvalidOperation("Invalid ImageList Index"); }

// A monochrome bitmap whose bits are all 0: every pixel of an image added
// with it is opaque.
TOwnedBitmap OpaqueMask(int32_t width, int32_t height) {
  TOwnedBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  const TMemoryDC dc;
  const TSelectedObject selected(dc.Handle(), mask.Get());
  PatBlt(dc.Handle(), 0, 0, width, height, BLACKNESS);
  return mask;
}

}  // namespace

// --- TChangeLink -------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (sender_ != nullptr)
    sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange)
    OnChange(sender_);
}

// --- TCustomImageList ------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(int32_t width, int32_t height, TComponent* owner) : TComponent(owner) {
  SetSize(width, height);
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_)
    link->sender_ = nullptr;
  links_.clear();
  FreeHandle();
}

void TCustomImageList::CreateImageList() {
  const UINT flags = ILC_COLOR32 | (masked_ ? ILC_MASK : 0);
  handle_ = ImageList_Create(width_, height_, flags, alloc_by_, alloc_by_);
  if (handle_ == nullptr)
    throw EInvalidOperation("Failed to create the image list");
  ImageList_SetBkColor(handle_, SystemColorOf(bk_color_, CLR_NONE, CLR_NONE));
}

void TCustomImageList::FreeHandle() {
  if (handle_ != nullptr && !share_images_)
    ImageList_Destroy(handle_);
  handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  if (handle_ == nullptr)
    CreateImageList();
  return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
  if (handle == handle_)
    return;
  FreeHandle();
  handle_ = handle;
  if (handle_ != nullptr) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(handle_, &width, &height);
    width_ = width;
    height_ = height;
  }
  Change();
}

void TCustomImageList::SetSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1)
    throw EInvalidOperation("Invalid image size");
  if (width == width_ && height == height_)
    return;
  width_ = width;
  height_ = height;
  // The system empties a list whose image size changes.
  if (handle_ != nullptr)
    ImageList_SetIconSize(handle_, width_, height_);
  Change();
}

void TCustomImageList::SetAllocBy(int32_t value) { alloc_by_ = std::max(value, 1); }

void TCustomImageList::SetMasked(bool masked) {
  if (masked == masked_)
    return;
  masked_ = masked;
  // The mask is a property of the system list: it is built anew, empty.
  if (handle_ != nullptr) {
    FreeHandle();
    CreateImageList();
  }
  Change();
}

void TCustomImageList::SetBkColor(TColor color) {
  bk_color_ = color;
  if (handle_ != nullptr)
    ImageList_SetBkColor(handle_, SystemColorOf(color, CLR_NONE, CLR_NONE));
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle style) {
  if (style == drawing_style_)
    return;
  drawing_style_ = style;
  Change();
}

void TCustomImageList::SetImageType(TImageType type) {
  if (type == image_type_)
    return;
  image_type_ = type;
  Change();
}

int32_t TCustomImageList::Count() const { return handle_ == nullptr ? 0 : ImageList_GetImageCount(handle_); }

void TCustomImageList::CheckIndex(int32_t index, bool allow_end) const {
  const int32_t limit = allow_end ? Count() : Count() - 1;
  if (index < 0 || index > limit)
    throw IndexError();
}

HBITMAP TCustomImageList::ImageHandle(TBitmap& image) {
  image.Dormant();
  return image.Handle();
}

int32_t TCustomImageList::Added(int32_t count_before, int32_t index) {
  // The system may answer with an index without adding anything (a bitmap
  // narrower than one image): only a grown list counts as added.
  if (index < 0 || Count() <= count_before)
    return -1;
  Change();
  return count_before;
}

int32_t TCustomImageList::Add(TBitmap& image, TBitmap* mask) {
  if (image.Empty())
    return -1;
  const int32_t count_before = Count();
  int32_t index;
  if (mask != nullptr) {
    HBITMAP mask_handle = ImageHandle(*mask);
    index = ImageList_Add(Handle(), ImageHandle(image), mask_handle);
  } else {
    const TOwnedBitmap opaque = OpaqueMask(image.Width(), image.Height());
    index = ImageList_Add(Handle(), ImageHandle(image), masked_ ? opaque.Get() : nullptr);
  }
  return Added(count_before, index);
}

int32_t TCustomImageList::AddMasked(TBitmap& image, TColor mask_color) {
  if (mask_color == clNone)
    return Add(image, nullptr);
  if (image.Empty())
    return -1;
  // The system blackens the see-through pixels of the bitmap it is given,
  // so it gets a copy.
  TBitmap copy;
  copy.Assign(&image);
  const int32_t count_before = Count();
  return Added(count_before, ImageList_AddMasked(Handle(), ImageHandle(copy), ColorToColorRef(mask_color)));
}

int32_t TCustomImageList::AddIcon(TIcon& icon) {
  if (icon.Empty())
    return -1;
  const int32_t count_before = Count();
  return Added(count_before, ImageList_AddIcon(Handle(), icon.Handle()));
}

void TCustomImageList::AddImages(TCustomImageList& source) {
  if (&source == this || source.Count() == 0)
    return;
  TUpdateScope<TCustomImageList> update(*this);
  for (int32_t i = 0; i < source.Count(); ++i) {
    // Copying through the system keeps the masks exactly.
    HICON icon = ImageList_GetIcon(source.Handle(), i, ILD_NORMAL);
    if (icon == nullptr)
      continue;
    if (ImageList_AddIcon(Handle(), icon) >= 0)
      Change();
    DestroyIcon(icon);
  }
}

void TCustomImageList::MoveAddedImages(int32_t first_added, int32_t index) {
  const int32_t added = Count() - first_added;
  for (int32_t k = 0; k < added; ++k)
    Move(first_added + k, index + k);
}

void TCustomImageList::Insert(int32_t index, TBitmap& image, TBitmap* mask) {
  CheckIndex(index, true);
  TUpdateScope<TCustomImageList> update(*this);
  const int32_t first_added = Count();
  if (Add(image, mask) >= 0)
    MoveAddedImages(first_added, index);
}

void TCustomImageList::InsertMasked(int32_t index, TBitmap& image, TColor mask_color) {
  CheckIndex(index, true);
  TUpdateScope<TCustomImageList> update(*this);
  const int32_t first_added = Count();
  if (AddMasked(image, mask_color) >= 0)
    MoveAddedImages(first_added, index);
}

void TCustomImageList::InsertIcon(int32_t index, TIcon& icon) {
  CheckIndex(index, true);
  TUpdateScope<TCustomImageList> update(*this);
  const int32_t first_added = Count();
  if (AddIcon(icon) >= 0)
    MoveAddedImages(first_added, index);
}

std::unique_ptr<TBitmap> TCustomImageList::CellOf(TBitmap& image) const {
  auto cell = std::make_unique<TBitmap>(width_, height_, image.PixelFormat());
  const TRect area = Rect(0, 0, std::min(width_, image.Width()), std::min(height_, image.Height()));
  cell->Canvas().CopyRect(area, image.Canvas(), area);
  return cell;
}

void TCustomImageList::Replace(int32_t index, TBitmap& image, TBitmap* mask) {
  CheckIndex(index);
  // Only the first image of a larger bitmap replaces (the system would
  // squeeze all of it into the place).
  const std::unique_ptr<TBitmap> cell = CellOf(image);
  BOOL replaced;
  if (mask != nullptr) {
    const std::unique_ptr<TBitmap> mask_cell = CellOf(*mask);
    HBITMAP mask_handle = ImageHandle(*mask_cell);
    replaced = ImageList_Replace(handle_, index, ImageHandle(*cell), mask_handle);
  } else {
    const TOwnedBitmap opaque = OpaqueMask(width_, height_);
    replaced = ImageList_Replace(handle_, index, ImageHandle(*cell), masked_ ? opaque.Get() : nullptr);
  }
  if (!replaced)
    throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::ReplaceMasked(int32_t index, TBitmap& image, TColor mask_color) {
  CheckIndex(index);
  if (mask_color == clNone) {
    Replace(index, image, nullptr);
    return;
  }
  // The system offers no masked replacement: the image is added masked and
  // moved into the place of the old one, in one notification.
  TUpdateScope<TCustomImageList> update(*this);
  const int32_t first_added = Count();
  if (AddMasked(image, mask_color) < 0)
    throw EInvalidOperation("Unable to Replace Image");
  // Only the first image of a wide bitmap replaces; the rest is dropped.
  while (Count() > first_added + 1)
    ImageList_Remove(handle_, Count() - 1);
  ImageList_Copy(handle_, index, handle_, first_added, ILCF_MOVE);
  ImageList_Remove(handle_, first_added);
  Change();
}

void TCustomImageList::ReplaceIcon(int32_t index, TIcon& icon) {
  CheckIndex(index);
  if (ImageList_ReplaceIcon(handle_, index, icon.Handle()) < 0)
    throw EInvalidOperation("Unable to Replace Image");
  Change();
}

void TCustomImageList::Delete(int32_t index) {
  if (index == -1) {
    if (handle_ != nullptr && Count() > 0) {
      ImageList_Remove(handle_, -1);
      Change();
    }
    return;
  }
  CheckIndex(index);
  ImageList_Remove(handle_, index);
  Change();
}

void TCustomImageList::Move(int32_t current_index, int32_t new_index) {
  if (current_index == new_index)
    return;
  CheckIndex(current_index);
  CheckIndex(new_index);
  // The moving image waits in a spare place at the end while every image
  // between the two places shifts by one; copies, not swaps, because the
  // swapping copy is not honoured everywhere.
  const int32_t count = Count();
  if (!ImageList_SetImageCount(handle_, static_cast<UINT>(count + 1)))
    throw EInvalidOperation("Failed to move the image");
  const int32_t spare = count;
  ImageList_Copy(handle_, spare, handle_, current_index, ILCF_MOVE);
  const int32_t step = new_index > current_index ? 1 : -1;
  for (int32_t i = current_index; i != new_index; i += step)
    ImageList_Copy(handle_, i, handle_, i + step, ILCF_MOVE);
  ImageList_Copy(handle_, new_index, handle_, spare, ILCF_MOVE);
  ImageList_SetImageCount(handle_, static_cast<UINT>(count));
  Change();
}

UINT TCustomImageList::StyleFlags(TDrawingStyle style, TImageType type) const {
  UINT flags = type == itMask ? ILD_MASK : ILD_NORMAL;
  switch (style) {
    case dsFocus:
      flags |= ILD_FOCUS;
      break;
    case dsSelected:
      flags |= ILD_SELECTED;
      break;
    case dsTransparent:
      flags |= ILD_TRANSPARENT;
      break;
    case dsNormal:
      break;
  }
  return flags;
}

void TCustomImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, bool enabled) {
  Draw(canvas, x, y, index, drawing_style_, image_type_, enabled);
}

void TCustomImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, TDrawingStyle style,
                            TImageType type, bool enabled) {
  if (handle_ == nullptr || index < 0 || index >= Count())
    return;
  DoDraw(index, canvas, x, y, StyleFlags(style, type), enabled);
}

void TCustomImageList::DoDraw(int32_t index, TCanvas& canvas, int32_t x, int32_t y, UINT style, bool enabled) {
  HDC dc = canvas.Handle();
  if (!enabled) {
    DrawDisabled(index, dc, x, y);
    return;
  }
  ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, SystemColorOf(bk_color_, CLR_NONE, CLR_DEFAULT),
                   SystemColorOf(blend_color_, CLR_NONE, CLR_DEFAULT), style);
}

void TCustomImageList::DrawDisabled(int32_t index, HDC dc, int32_t x, int32_t y) {
  // The classic embossed look: the image's dark parts as a stencil, drawn
  // once in the highlight colour one pixel down and right, and once in the
  // shadow colour in place.
  const TOwnedBitmap stencil(CreateBitmap(width_, height_, 1, 1, nullptr));
  const TMemoryDC stencil_dc;
  const TSelectedObject selected_stencil(stencil_dc.Handle(), stencil.Get());
  PatBlt(stencil_dc.Handle(), 0, 0, width_, height_, WHITENESS);
  ::SetBkColor(stencil_dc.Handle(), RGB(255, 255, 255));
  ImageList_DrawEx(handle_, index, stencil_dc.Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);

  const COLORREF old_text = SetTextColor(dc, RGB(255, 255, 255));
  const COLORREF old_back = ::SetBkColor(dc, RGB(0, 0, 0));
  for (const auto& [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
    const TOwnedBrush brush(CreateSolidBrush(ColorToColorRef(color)));
    const TSelectedObject selected_brush(dc, brush.Get());
    BitBlt(dc, x + offset, y + offset, width_, height_, stencil_dc.Handle(), 0, 0, kRopPaintThroughStencil);
  }
  SetTextColor(dc, old_text);
  ::SetBkColor(dc, old_back);
}

bool TCustomImageList::GetBitmap(int32_t index, TBitmap& image) {
  if (handle_ == nullptr || index < 0 || index >= Count())
    return false;
  image.SetSize(width_, height_);
  image.Canvas().Brush().SetColor(clWhite);
  image.Canvas().FillRect(Rect(0, 0, width_, height_));
  Draw(image.Canvas(), 0, 0, index);
  return true;
}

bool TCustomImageList::GetIcon(int32_t index, TIcon& icon) {
  if (handle_ == nullptr || index < 0 || index >= Count())
    return false;
  HICON handle = ImageList_GetIcon(handle_, index, ILD_NORMAL);
  if (handle == nullptr)
    return false;
  icon.SetHandle(handle);
  return true;
}

void TCustomImageList::EndUpdate() {
  update_batch_.End([this] { Change(); });
}

void TCustomImageList::Change() {
  if (!update_batch_.Change())
    return;
  const TAliveToken alive = AliveToken();
  // A link may unregister itself (or others) while it is told.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links) {
    if (std::find(links_.begin(), links_.end(), link) != links_.end())
      link->Change();
    if (!alive.Alive())
      return;
  }
  if (OnChange)
    OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (link == nullptr || link->sender_ == this)
    return;
  if (link->sender_ != nullptr)
    link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  const auto found = std::find(links_.begin(), links_.end(), link);
  if (found == links_.end())
    return;
  links_.erase(found);
  link->sender_ = nullptr;
}

void TCustomImageList::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCustomImageList*>(source);
  if (other == nullptr) {
    TComponent::Assign(source);
    return;
  }
  if (other == this)
    return;
  TUpdateScope<TCustomImageList> update(*this);
  FreeHandle();
  width_ = other->width_;
  height_ = other->height_;
  alloc_by_ = other->alloc_by_;
  masked_ = other->masked_;
  bk_color_ = other->bk_color_;
  blend_color_ = other->blend_color_;
  drawing_style_ = other->drawing_style_;
  image_type_ = other->image_type_;
  share_images_ = false;
  if (other->handle_ != nullptr) {
    handle_ = ImageList_Duplicate(other->handle_);
    if (handle_ == nullptr)
      throw EInvalidOperation("Failed to copy the image list");
  }
  Change();
}
