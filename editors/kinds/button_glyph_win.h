#pragma once
// The glyph of a push button: a bitmap of up to four sub-images side by
// side (up, disabled, down, exclusive) or an action's image, prepared per
// kind on demand into image lists that every button of the process shares
// by glyph size; and the drawing of glyph and caption inside the button.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/speed_button.h"
#include "ui/foundation/bitmaps/lx_image_list_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/painter_types.h"

// An image list whose slots are handed out and given back: a freed slot
// keeps its image until it is reused, so that indexes of other slots stay.
class TlxGlyphList : public TlxImageList {
 public:
  static constexpr TClass kClass{"TlxGlyphList", &TlxImageList::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGlyphList(int32_t width, int32_t height);

  // The image in the first free slot (appended when none is free); the slot.
  int32_t AddMasked(TBitmap& image, TBitmap& mask);
  void ReleaseSlot(int32_t index);
  int32_t UsedCount() const { return used_count_; }

 private:
  std::vector<bool> used_;
  int32_t used_count_ = 0;
};

// The shared glyph lists, one per glyph size in use.
class TlxGlyphCache : public TObject {
 public:
  static constexpr TClass kClass{"TlxGlyphCache", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGlyphList* GetList(int32_t width, int32_t height);
  // Frees the list once no slot of it is used.
  void ReleaseList(TlxGlyphList* list);
  bool IsEmpty() const { return lists_.empty(); }
  int32_t ListCount() const { return static_cast<int32_t>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TlxGlyphList>> lists_;
};

// The process-wide cache while any button glyph exists; null otherwise.
TlxGlyphCache* lxGlyphCache();

class TlxButtonGlyph : public TObject {
 public:
  static constexpr TClass kClass{"TlxButtonGlyph", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Where the glyph comes from (the button's own class of that name).
  class TlxImageInfo : public TObject {
   public:
    static constexpr TClass kClass{"TlxImageInfo", &TObject::kClass};
    const TClass* ClassType() const override { return &kClass; }

    explicit TlxImageInfo(std::function<void()> changed);

    TBitmap* Glyph() const { return glyph_.get(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    int32_t ImageIndex() const { return image_index_; }
    void SetImageIndex(int32_t value);
    bool IsImagePresent() const;
    TSize ImageSize() const;

   private:
    bool HasGlyphBitmap() const;

    std::unique_ptr<TBitmap> glyph_;
    TCustomImageList* images_ = nullptr;
    int32_t image_index_ = -1;
    std::function<void()> changed_;
  };

  TlxButtonGlyph();
  ~TlxButtonGlyph() override;
  TlxButtonGlyph(const TlxButtonGlyph&) = delete;
  TlxButtonGlyph& operator=(const TlxButtonGlyph&) = delete;

  // Virtual operations, in the order of their slots.
  // The glyph-list index of the state's image, prepared on demand; -1
  // without an image.
  virtual int32_t GetGlyphImageIndex(TlxButtonState state);
  // Room around the caption: none beside an image, else 1 left, 2 right.
  virtual TRect GetCaptionInsets(TButtonLayout layout) const;

  TBitmap* Glyph() const { return image_info_->Glyph(); }
  // Copies `value`; NumGlyphs follows the bitmap's shape.
  void SetGlyph(TBitmap* value);
  TCustomImageList* Images() const { return image_info_->Images(); }
  void SetImages(TCustomImageList* value) { image_info_->SetImages(value); }
  int32_t ImageIndex() const { return image_info_->ImageIndex(); }
  void SetImageIndex(int32_t value) { image_info_->SetImageIndex(value); }
  int32_t NumGlyphs() const { return num_glyphs_; }
  // Clamped to 1..4.
  void SetNumGlyphs(int32_t value);
  bool IsImagePresent() const { return image_info_->IsImagePresent(); }
  // The image size with its width divided by NumGlyphs.
  TSize GlyphSize() const;
  // The shared list that holds this glyph's images, null before any is made.
  TlxGlyphList* GlyphList() const { return glyph_list_; }

  void DrawGlyphAndCaption(TlxCanvas& canvas, const TRect& client, const TPoint& offset, const std::string& caption,
                           TButtonLayout layout, int32_t margin, int32_t spacing, TlxButtonState state,
                           UINT bidi_flags, bool is_themed, bool word_wrap);

  std::function<void()> OnChange;

 private:
  static int32_t KindOfState(TlxButtonState state, int32_t num_glyphs);
  void Changed();
  void ReleaseImages();
  int32_t PrepareImage(int32_t kind);
  void MakeImageFromGlyph(int32_t kind, TBitmap& image, TBitmap& mask);
  void MakeImageFromList(int32_t kind, TBitmap& image, TBitmap& mask);

  std::unique_ptr<TlxImageInfo> image_info_;
  int32_t num_glyphs_ = 1;
  std::array<int32_t, 4> glyph_indexes_{-1, -1, -1, -1};
  TlxGlyphList* glyph_list_ = nullptr;
};
