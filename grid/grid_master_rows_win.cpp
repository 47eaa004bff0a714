#include "grid/grid_master_rows_win.h"

#include <windows.h>

void TlxGridMasterTableViewInfoCacheItem::StoreDetailsSiteCachedInfo(
    std::unique_ptr<TlxCustomGridDetailsSiteViewInfoCachedInfo> info) {
  // A destructor must not raise: a stale object here is a fault of the
  // site's life cycle, reported while debugging, and the new one wins.
#ifndef NDEBUG
  if (details_site_cached_info_ != nullptr)
    OutputDebugStringA("CacheItem.IsDetailsSiteCachedInfoAssigned\n");
#endif
  details_site_cached_info_ = std::move(info);
}

TlxGridDetailsSiteViewInfo::TlxGridDetailsSiteViewInfo(TlxGridLevel* master_level, TlxGridDetailsSiteContext context)
    : TlxCustomGridDetailsSiteViewInfo(master_level), context_(std::move(context)) {
  if (context_.CacheItem != nullptr && context_.CacheItem->IsDetailsSiteCachedInfoAssigned())
    RestoreFromCachedInfo(context_.CacheItem->TakeDetailsSiteCachedInfo());
}

TlxGridDetailsSiteViewInfo::~TlxGridDetailsSiteViewInfo() {
  if (context_.Internal || context_.CacheItem == nullptr)
    return;
  context_.CacheItem->StoreDetailsSiteCachedInfo(CreateCachedInfo());
}

void TlxGridDetailsSiteViewInfo::LevelTabChanged(TlxGridLevel* level, bool focus_view) {
  if (context_.OnLevelTabChanged)
    context_.OnLevelTabChanged(level, focus_view);
}

bool TlxGridDetailsSiteViewInfo::HasLevelDetails(TlxGridLevel* level) {
  return context_.HasDetails ? context_.HasDetails(level) : level->GridView() != nullptr;
}
