#pragma once
// The solid brushes the editors paint with, cached by colour: system
// colours answer the system's brushes, other colours one cached brush each,
// at most a fixed number at once. The caller never deletes a brush.
//
// A brush is handed out for the length of a paint: while a paint scope is
// open, a brush pushed out of the full cache is kept until the last scope
// closes, so that a painter holding it never paints with a deleted brush.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/toolkit/color.h"
#include "ui/foundation/look_and_feel/system_palette_win.h"

class TlxSolidBrushCache : public TObject {
 public:
  static constexpr TClass kClass{"TlxSolidBrushCache", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxSolidBrushCache() : TlxSolidBrushCache(128) {}
  explicit TlxSolidBrushCache(int32_t max_depth);
  ~TlxSolidBrushCache() override;

  virtual void HandleSystemPaletteChange() { ReleaseAll(); }

  HBRUSH GetBrush(TColor color);
  // Deletes every cached brush (those in use by an open paint when it ends).
  void ReleaseAll();

  int32_t Depth() const { return static_cast<int32_t>(entries_.size()); }
  int32_t MaxDepth() const { return max_depth_; }
  // Brushes pushed out while a paint was open, not deleted yet.
  int32_t RetiredCount() const { return static_cast<int32_t>(retired_.size()); }

  // The paint bracket (see TlxBrushPaintScope).
  void BeginPaint() { ++paint_count_; }
  void EndPaint();

 private:
  struct Entry {
    uint32_t color;
    HBRUSH brush;
    int32_t use_count;
  };
  void Retire(HBRUSH brush);

  int32_t max_depth_;
  std::vector<Entry> entries_;  // sorted by colour as unsigned numbers
  std::vector<HBRUSH> retired_;
  int32_t paint_count_ = 0;
  std::unique_ptr<TlxSystemPaletteChangedNotifier> notifier_;
};

// The shared cache (depth 128), created on first use.
TlxSolidBrushCache& lxSolidBrushCache();
void lxFreeSolidBrushCache();

// Keeps every brush handed out of the shared cache alive for its lifetime.
class TlxBrushPaintScope {
 public:
  TlxBrushPaintScope() { lxSolidBrushCache().BeginPaint(); }
  ~TlxBrushPaintScope() { lxSolidBrushCache().EndPaint(); }
  TlxBrushPaintScope(const TlxBrushPaintScope&) = delete;
  TlxBrushPaintScope& operator=(const TlxBrushPaintScope&) = delete;
};

// A brush of the shared cache; system colours give the system's brushes.
HBRUSH lxGetSolidBrush(TColor color);
