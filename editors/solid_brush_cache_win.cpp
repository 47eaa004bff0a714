#include "editors/solid_brush_cache_win.h"

#include <algorithm>

namespace {

constexpr uint32_t kFirstSystemColor = 0xFF000000u;
constexpr uint32_t kLastSystemColor = 0xFF00001Eu;

std::unique_ptr<TlxSolidBrushCache>& CacheSlot() {
  static std::unique_ptr<TlxSolidBrushCache> cache;
  return cache;
}

COLORREF ToColorRef(uint32_t color) { return static_cast<COLORREF>(color & 0x00FFFFFFu); }

}  // namespace

TlxSolidBrushCache::TlxSolidBrushCache(int32_t max_depth) : max_depth_(std::max(max_depth, 1)) {
  entries_.reserve(static_cast<size_t>(max_depth_));
  notifier_ = std::make_unique<TlxSystemPaletteChangedNotifier>(true);
  notifier_->OnSystemPaletteChanged = [this] { HandleSystemPaletteChange(); };
}

TlxSolidBrushCache::~TlxSolidBrushCache() {
  notifier_.reset();
  for (const Entry& entry : entries_)
    DeleteObject(entry.brush);
  for (HBRUSH brush : retired_)
    DeleteObject(brush);
}

HBRUSH TlxSolidBrushCache::GetBrush(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  if (value >= kFirstSystemColor && value <= kLastSystemColor)
    return GetSysColorBrush(static_cast<int>(value - kFirstSystemColor));

  auto position = std::lower_bound(entries_.begin(), entries_.end(), value,
                                   [](const Entry& entry, uint32_t wanted) { return entry.color < wanted; });
  if (position != entries_.end() && position->color == value) {
    ++position->use_count;
    return position->brush;
  }
  auto index = position - entries_.begin();
  if (static_cast<int32_t>(entries_.size()) >= max_depth_) {
    auto least_used = std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
      return a.use_count < b.use_count;
    });
    const auto removed = least_used - entries_.begin();
    Retire(least_used->brush);
    entries_.erase(least_used);
    if (index > removed)
      --index;
  }
  const HBRUSH brush = CreateSolidBrush(ToColorRef(value));
  entries_.insert(entries_.begin() + index, Entry{value, brush, 0});
  return brush;
}

void TlxSolidBrushCache::Retire(HBRUSH brush) {
  if (paint_count_ > 0) {
    retired_.push_back(brush);
    return;
  }
  DeleteObject(brush);
}

void TlxSolidBrushCache::ReleaseAll() {
  for (const Entry& entry : entries_)
    Retire(entry.brush);
  entries_.clear();
}

void TlxSolidBrushCache::EndPaint() {
  if (paint_count_ == 0 || --paint_count_ > 0)
    return;
  for (HBRUSH brush : retired_)
    DeleteObject(brush);
  retired_.clear();
}

TlxSolidBrushCache& lxSolidBrushCache() {
  if (!CacheSlot())
    CacheSlot() = std::make_unique<TlxSolidBrushCache>();
  return *CacheSlot();
}

void lxFreeSolidBrushCache() { CacheSlot().reset(); }

HBRUSH lxGetSolidBrush(TColor color) { return lxSolidBrushCache().GetBrush(color); }
