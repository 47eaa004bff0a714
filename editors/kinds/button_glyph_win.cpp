#include "editors/kinds/button_glyph_win.h"

#include <algorithm>

#include "editors/kinds/glyph_layout.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/canvas.h"

namespace {

enum TGlyphKind : int32_t { kGlyphUp, kGlyphDisabled, kGlyphDown, kGlyphExclusive };

std::unique_ptr<TlxGlyphCache>& CacheSlot() {
  static std::unique_ptr<TlxGlyphCache> cache;
  return cache;
}

TlxGlyphCache& EnsureCache() {
  std::unique_ptr<TlxGlyphCache>& cache = CacheSlot();
  if (!cache)
    cache = std::make_unique<TlxGlyphCache>();
  return *cache;
}

// The live glyphs: the cache lives while any of them does or lists remain.
int32_t& GlyphCount() {
  static int32_t count = 0;
  return count;
}

void FreeCacheWhenUnused() {
  std::unique_ptr<TlxGlyphCache>& cache = CacheSlot();
  if (cache && GlyphCount() == 0 && cache->IsEmpty())
    cache.reset();
}

void FillWith(TBitmap& bitmap, TColor color) {
  bitmap.Canvas().Brush().SetColor(color);
  bitmap.Canvas().FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

// A monochrome mask of `image`: white where it shows its transparent colour
// (a colour-to-monochrome copy turns the background colour white).
void MakeMask(TBitmap& image, TColor transparent, TBitmap& mask) {
  mask.SetMonochrome(true);
  mask.SetSize(image.Width(), image.Height());
  HDC image_dc = image.Canvas().Handle();
  const COLORREF saved = SetBkColor(image_dc, ColorToColorRef(transparent));
  BitBlt(mask.Canvas().Handle(), 0, 0, image.Width(), image.Height(), image_dc, 0, 0, SRCCOPY);
  SetBkColor(image_dc, saved);
}

}  // namespace

// --- TlxGlyphList ------------------------------------------------------------------------------

TlxGlyphList::TlxGlyphList(int32_t width, int32_t height) : TlxImageList(width, height) {}

int32_t TlxGlyphList::AddMasked(TBitmap& image, TBitmap& mask) {
  const auto free_slot = std::find(used_.begin(), used_.end(), false);
  int32_t index = static_cast<int32_t>(free_slot - used_.begin());
  if (free_slot == used_.end()) {
    index = AddImage(image, &mask);
    if (index < 0)
      return -1;
    used_.resize(static_cast<size_t>(index) + 1, false);
  } else {
    ReplaceImage(index, image, &mask);
  }
  used_[static_cast<size_t>(index)] = true;
  ++used_count_;
  return index;
}

void TlxGlyphList::ReleaseSlot(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(used_.size()) || !used_[static_cast<size_t>(index)])
    return;
  used_[static_cast<size_t>(index)] = false;
  --used_count_;
}

// --- TlxGlyphCache -----------------------------------------------------------------------------

TlxGlyphList* TlxGlyphCache::GetList(int32_t width, int32_t height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height)
      return it->get();
  }
  lists_.push_back(std::make_unique<TlxGlyphList>(width, height));
  return lists_.back().get();
}

void TlxGlyphCache::ReleaseList(TlxGlyphList* list) {
  if (list == nullptr || list->UsedCount() != 0)
    return;
  std::erase_if(lists_, [list](const std::unique_ptr<TlxGlyphList>& item) { return item.get() == list; });
}

TlxGlyphCache* lxGlyphCache() { return CacheSlot().get(); }

// --- TlxButtonGlyph::TlxImageInfo ------------------------------------------------------------

TlxButtonGlyph::TlxImageInfo::TlxImageInfo(std::function<void()> changed)
    : glyph_(std::make_unique<TBitmap>()), changed_(std::move(changed)) {
  glyph_->OnChange = [this](TObject*) { changed_(); };
}

bool TlxButtonGlyph::TlxImageInfo::HasGlyphBitmap() const { return !glyph_->Empty(); }

void TlxButtonGlyph::TlxImageInfo::SetImages(TCustomImageList* value) {
  if (value == images_)
    return;
  images_ = value;
  if (!HasGlyphBitmap() && image_index_ != -1)
    changed_();
}

void TlxButtonGlyph::TlxImageInfo::SetImageIndex(int32_t value) {
  if (value == image_index_)
    return;
  image_index_ = value;
  if (!HasGlyphBitmap() && images_ != nullptr)
    changed_();
}

bool TlxButtonGlyph::TlxImageInfo::IsImagePresent() const {
  if (HasGlyphBitmap())
    return true;
  return images_ != nullptr && image_index_ >= 0 && image_index_ < images_->Count();
}

TSize TlxButtonGlyph::TlxImageInfo::ImageSize() const {
  if (HasGlyphBitmap())
    return TSize{glyph_->Width(), glyph_->Height()};
  if (IsImagePresent())
    return TSize{images_->Width(), images_->Height()};
  return TSize{0, 0};
}

// --- TlxButtonGlyph ----------------------------------------------------------------------------

TlxButtonGlyph::TlxButtonGlyph() : image_info_(std::make_unique<TlxImageInfo>([this] { Changed(); })) {
  ++GlyphCount();
  EnsureCache();
}

TlxButtonGlyph::~TlxButtonGlyph() {
  image_info_->Glyph()->OnChange = nullptr;
  ReleaseImages();
  --GlyphCount();
  FreeCacheWhenUnused();
}

void TlxButtonGlyph::SetGlyph(TBitmap* value) {
  TBitmap* glyph = image_info_->Glyph();
  if (value == nullptr)
    glyph->SetSize(0, 0);
  else
    glyph->Assign(value);
  const int32_t count = value == nullptr ? 1 : lxGlyphCountOfBitmap(value->Width(), value->Height());
  SetNumGlyphs(count);
}

void TlxButtonGlyph::SetNumGlyphs(int32_t value) {
  value = std::clamp(value, 1, 4);
  if (value == num_glyphs_)
    return;
  num_glyphs_ = value;
  Changed();
}

TSize TlxButtonGlyph::GlyphSize() const {
  const TSize size = image_info_->ImageSize();
  return TSize{size.cx / num_glyphs_, size.cy};
}

TRect TlxButtonGlyph::GetCaptionInsets(TButtonLayout /*layout*/) const {
  if (IsImagePresent())
    return TRect();
  return TRect(1, 0, 2, 0);
}

void TlxButtonGlyph::Changed() {
  ReleaseImages();
  if (OnChange)
    OnChange();
}

void TlxButtonGlyph::ReleaseImages() {
  if (glyph_list_ != nullptr) {
    for (int32_t& index : glyph_indexes_) {
      glyph_list_->ReleaseSlot(index);
      index = -1;
    }
    if (TlxGlyphCache* cache = lxGlyphCache())
      cache->ReleaseList(glyph_list_);
    glyph_list_ = nullptr;
  }
  glyph_indexes_.fill(-1);
}

int32_t TlxButtonGlyph::KindOfState(TlxButtonState state, int32_t num_glyphs) {
  switch (state) {
    case lxbsPressed:
      return num_glyphs < 3 ? kGlyphUp : kGlyphDown;
    case lxbsDisabled:
      return kGlyphDisabled;
    default:
      return kGlyphUp;
  }
}

int32_t TlxButtonGlyph::GetGlyphImageIndex(TlxButtonState state) {
  if (!IsImagePresent())
    return -1;
  const int32_t kind = KindOfState(state, num_glyphs_);
  if (glyph_indexes_[static_cast<size_t>(kind)] == -1)
    glyph_indexes_[static_cast<size_t>(kind)] = PrepareImage(kind);
  return glyph_indexes_[static_cast<size_t>(kind)];
}

void TlxButtonGlyph::MakeImageFromGlyph(int32_t kind, TBitmap& image, TBitmap& mask) {
  TBitmap& glyph = *image_info_->Glyph();
  const TColor transparent = glyph.TransparentColor();
  const TSize size = GlyphSize();
  const TRect cell(0, 0, size.cx, size.cy);
  if (kind == kGlyphDisabled && num_glyphs_ == 1) {
    // The library's disabled look, drawn over the transparent colour so that
    // the mask keeps the background out.
    FillWith(image, transparent);
    TlxCanvas canvas(image.Canvas());
    canvas.DrawGlyphBitmap(0, 0, glyph, false, transparent);
    MakeMask(image, transparent, mask);
    return;
  }
  const int32_t number = kind < num_glyphs_ ? kind : 0;
  image.Canvas().CopyRect(cell, glyph.Canvas(), cell.Offset(number * size.cx, 0));
  image.SetTransparentColor(transparent);
  MakeMask(image, transparent, mask);
  glyph.Dormant();
}

void TlxButtonGlyph::MakeImageFromList(int32_t kind, TBitmap& image, TBitmap& mask) {
  TCustomImageList& images = *image_info_->Images();
  const int32_t index = image_info_->ImageIndex();
  if (kind == kGlyphDisabled) {
    constexpr TColor kKey = clFuchsia;
    FillWith(image, kKey);
    images.Draw(image.Canvas(), 0, 0, index, false);
    MakeMask(image, kKey, mask);
    return;
  }
  // The image over the key colour, masked by the list's own mask.
  constexpr TColor kKey = clFuchsia;
  FillWith(image, kKey);
  images.Draw(image.Canvas(), 0, 0, index, true);
  MakeMask(image, kKey, mask);
}

int32_t TlxButtonGlyph::PrepareImage(int32_t kind) {
  const TSize size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0)
    return -1;
  TBitmap image(size.cx, size.cy);
  TBitmap mask;
  if (image_info_->Glyph()->Empty())
    MakeImageFromList(kind, image, mask);
  else
    MakeImageFromGlyph(kind, image, mask);
  if (glyph_list_ == nullptr)
    glyph_list_ = EnsureCache().GetList(size.cx, size.cy);
  return glyph_list_->AddMasked(image, mask);
}

void TlxButtonGlyph::DrawGlyphAndCaption(TlxCanvas& canvas, const TRect& client, const TPoint& offset,
                                         const std::string& caption, TButtonLayout layout, int32_t margin,
                                         int32_t spacing, TlxButtonState state, UINT bidi_flags, bool /*is_themed*/,
                                         bool word_wrap) {
  const bool has_image = IsImagePresent();
  const bool wraps = word_wrap && !has_image;
  const std::u16string text = Utf8ToUtf16(caption);
  TlxGlyphCaptionInput input;
  input.Client = client;
  input.Offset = offset;
  input.GlyphSize = has_image ? GlyphSize() : TSize{0, 0};
  input.Side = static_cast<TlxGlyphSide>(layout);
  input.Margin = margin;
  input.Spacing = spacing;
  input.RightToLeft = (bidi_flags & DT_RIGHT) != 0;
  const UINT text_flags = bidi_flags | (wraps ? DT_WORDBREAK : 0u);
  if (!text.empty()) {
    const TRect insets = GetCaptionInsets(layout);
    RECT measured{insets.Left, insets.Top, client.Width() - insets.Right, insets.Top};
    DrawTextW(canvas.Handle(), reinterpret_cast<LPCWSTR>(text.c_str()), -1, &measured, DT_CALCRECT | text_flags);
    input.HasCaption = true;
    input.Insets = insets;
    input.MeasuredText = measured;
  }
  const TlxGlyphCaptionPlacement placement = lxPlaceGlyphAndCaption(input);

  if (has_image) {
    const int32_t index = GetGlyphImageIndex(state);
    if (index >= 0 && glyph_list_ != nullptr)
      glyph_list_->Draw(canvas.Canvas(), placement.GlyphPos.X, placement.GlyphPos.Y, index, true);
  }
  if (text.empty())
    return;
  const TBrushStyle saved_style = canvas.Brush().Style();
  TScopeExit restore_brush([&canvas, saved_style] { canvas.Brush().SetStyle(saved_style); });
  canvas.Brush().SetStyle(bsClear);
  const UINT flags = DT_CENTER | DT_VCENTER | text_flags;
  if (state == lxbsDisabled) {
    const TColor font_color = canvas.Font().Color();
    canvas.Font().SetColor(clBtnHighlight);
    RECT shadow = placement.TextRect.Offset(1, 1);
    DrawTextW(canvas.Handle(), reinterpret_cast<LPCWSTR>(text.c_str()), -1, &shadow, flags);
    canvas.Font().SetColor(font_color);
  }
  RECT bounds = placement.TextRect;
  DrawTextW(canvas.Handle(), reinterpret_cast<LPCWSTR>(text.c_str()), -1, &bounds, flags);
}
