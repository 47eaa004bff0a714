#pragma once
// TCustomImageList and TImageList: a list of equally sized images over the
// system's image list (comctl32). The system list holds the images; this
// object adds the toolkit's settings, drawing on a canvas (also in the
// disabled look), change notification to linked controls, and an update
// bracket. Count always reads the system list, so it can never disagree
// with what the system draws.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/types.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;

enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType : uint8_t { itImage, itMask };

// A control's subscription to an image list's changes. The link leaves the
// list it is registered with when it is destroyed, and the list clears the
// link's Sender when the list goes first.
class TChangeLink : public TObject {
 public:
  static constexpr TClass kClass{"TChangeLink", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TChangeLink() = default;
  ~TChangeLink() override;

  TCustomImageList* Sender() const { return sender_; }
  virtual void Change();

  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
 public:
  static constexpr TClass kClass{"TCustomImageList", &TComponent::kClass, &ConstructInstance<TCustomImageList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomImageList(TComponent* owner);
  TCustomImageList(int32_t width, int32_t height, TComponent* owner = nullptr);
  ~TCustomImageList() override;

  // --- settings ---------------------------------------------------------
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetWidth(int32_t width) { SetSize(width, height_); }
  void SetHeight(int32_t height) { SetSize(width_, height); }
  // A new size empties the list. Raises EInvalidOperation for sizes below 1.
  void SetSize(int32_t width, int32_t height);
  // Images by which the system list grows.
  int32_t AllocBy() const { return alloc_by_; }
  void SetAllocBy(int32_t value);
  // Whether images carry a mask (see-through parts). Changing it empties
  // the list.
  bool Masked() const { return masked_; }
  void SetMasked(bool masked);
  // The colour behind the images when drawn; clNone draws them see-through.
  TColor BkColor() const { return bk_color_; }
  void SetBkColor(TColor color);
  // The colour blended in for dsFocus and dsSelected (clDefault: the
  // system's highlight).
  TColor BlendColor() const { return blend_color_; }
  void SetBlendColor(TColor color) { blend_color_ = color; }
  TDrawingStyle DrawingStyle() const { return drawing_style_; }
  void SetDrawingStyle(TDrawingStyle style);
  TImageType ImageType() const { return image_type_; }
  void SetImageType(TImageType type);

  // --- the system list ---------------------------------------------------
  // Created on first use.
  HIMAGELIST Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes over another system list (its image size becomes the list's);
  // with ShareImages the list is not destroyed with this object.
  void SetHandle(HIMAGELIST handle);
  bool ShareImages() const { return share_images_; }
  void SetShareImages(bool share) { share_images_ = share; }

  // --- images ------------------------------------------------------------
  int32_t Count() const;
  // Adds the image (a bitmap wider than Width adds one image per Width
  // pixels) with its mask; without a mask the image is opaque. Returns the
  // index of the first image added, or -1 when the system refused it.
  int32_t Add(TBitmap& image, TBitmap* mask);
  // Adds with every pixel of `mask_color` see-through (clNone: opaque). The
  // given bitmap is not changed.
  int32_t AddMasked(TBitmap& image, TColor mask_color);
  int32_t AddIcon(TIcon& icon);
  // Appends every image of another list.
  void AddImages(TCustomImageList& source);
  // Inserts before `index` (0 to Count); the images of a wide bitmap keep
  // their order. Raises EInvalidOperation for an index out of range.
  void Insert(int32_t index, TBitmap& image, TBitmap* mask);
  void InsertMasked(int32_t index, TBitmap& image, TColor mask_color);
  void InsertIcon(int32_t index, TIcon& icon);
  void Replace(int32_t index, TBitmap& image, TBitmap* mask);
  void ReplaceMasked(int32_t index, TBitmap& image, TColor mask_color);
  void ReplaceIcon(int32_t index, TIcon& icon);
  // Deletes one image; -1 deletes all.
  void Delete(int32_t index);
  void Clear() { Delete(-1); }
  void Move(int32_t current_index, int32_t new_index);

  // --- drawing -------------------------------------------------------------
  void Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, bool enabled = true);
  void Draw(TCanvas& canvas, int32_t x, int32_t y, int32_t index, TDrawingStyle style, TImageType type,
            bool enabled = true);
  // The image on a bitmap of the list's size (white where it is see-through);
  // false for an index out of range.
  bool GetBitmap(int32_t index, TBitmap& image);
  bool GetIcon(int32_t index, TIcon& icon);

  // --- change notification --------------------------------------------------
  void BeginUpdate() { update_batch_.Begin(); }
  // Sends one change notification when changes happened inside the bracket.
  void EndUpdate();
  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  TNotifyEvent OnChange;

  // Copies settings and images of another image list.
  void Assign(const TPersistent* source) override;

 protected:
  // Draws one image; descendants draw their own way.
  virtual void DoDraw(int32_t index, TCanvas& canvas, int32_t x, int32_t y, UINT style, bool enabled);
  // Fires OnChange and the links (once at EndUpdate while updating).
  virtual void Change();

 private:
  void CreateImageList();
  void FreeHandle();
  void CheckIndex(int32_t index, bool allow_end = false) const;
  // The handle of `image` ready for the system list (its canvas releases
  // it first: a bitmap selected into a context cannot be read).
  static HBITMAP ImageHandle(TBitmap& image);
  // The index of the first image added, or -1 when the list did not grow;
  // notifies a change when it did.
  int32_t Added(int32_t count_before, int32_t index);
  // The first image of `image`, on a bitmap of the list's image size.
  std::unique_ptr<TBitmap> CellOf(TBitmap& image) const;
  // Moves the images added from `first_added` on to `index` onwards.
  void MoveAddedImages(int32_t first_added, int32_t index);
  UINT StyleFlags(TDrawingStyle style, TImageType type) const;
  void DrawDisabled(int32_t index, HDC dc, int32_t x, int32_t y);

  HIMAGELIST handle_ = nullptr;
  int32_t width_ = 16;
  int32_t height_ = 16;
  int32_t alloc_by_ = 4;
  bool masked_ = true;
  bool share_images_ = false;
  TColor bk_color_ = clNone;
  TColor blend_color_ = clDefault;
  TDrawingStyle drawing_style_ = dsNormal;
  TImageType image_type_ = itImage;
  TUpdateBatch update_batch_;
  std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
 public:
  static constexpr TClass kClass{"TImageList", &TCustomImageList::kClass, &ConstructInstance<TImageList>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomImageList::TCustomImageList;
};
