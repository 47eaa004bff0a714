#include "ui/foundation/themes/theme_cache.h"

#include <algorithm>


TlxThemeChangedNotificator::TlxThemeChangedNotificator(TlxThemeCache& cache) {
  if (cache.LibraryLoaded())
    cache.AddListener(this);
}

TlxThemeChangedNotificator::~TlxThemeChangedNotificator() {
  if (cache_)
    cache_->RemoveListener(this);
}

void TlxThemeChangedNotificator::DoThemeChanged() {
  if (OnThemeChanged)
    OnThemeChanged();
}

TlxThemeCache::TlxThemeCache(TlxThemeLibrary& library) : library_(library) {
  if (library_.Loaded())
    themes_active_ = library_.IsThemeActive();
}

TlxThemeCache::~TlxThemeCache() {
  for (TlxThemeChangedNotificator* listener : listeners_)
    listener->cache_ = nullptr;
  if (library_.Loaded())
    CloseAllThemeHandles();
}

bool TlxThemeCache::ThemesAvailableForTypes(const TlxThemedObjectTypes& types) {
  if (!themes_active_ || !library_.Loaded())
    return false;
  for (int type = 0; type < kThemedObjectTypeCount; ++type) {
    if (types.test(static_cast<size_t>(type)) && OpenThemeHandle(static_cast<TlxThemedObjectType>(type)) == 0)
      return false;
  }
  return true;
}

bool TlxThemeCache::ThemeAvailableFor(TlxThemedObjectType type) {
  return themes_active_ && library_.Loaded() && OpenThemeHandle(type) != 0;
}

TlxThemeHandle TlxThemeCache::OpenThemeHandle(TlxThemedObjectType type,
                                              std::optional<std::u16string_view> class_list) {
  if (type >= kThemedObjectTypeCount || !ThemesAvailableForTypes({}))
    return 0;
  CachedTheme& cached = cache_[type];
  if (cached.handle != 0) {
    if (!class_list || SameClassList(*class_list, cached.class_list))
      return cached.handle;
    CloseThemeHandle(type);
  }

  std::u16string list_to_open;
  if (class_list)
    list_to_open = *class_list;
  else if (!cached.class_list.empty())
    list_to_open = cached.class_list;
  else
    list_to_open = lxThemedObjectClassName(type);

  cached.handle = library_.OpenThemeData(list_to_open);
  if (cached.handle != 0)
    cached.class_list = std::move(list_to_open);
  else
    cached.class_list.clear();
  return cached.handle;
}

int32_t TlxThemeCache::CloseThemeHandle(TlxThemedObjectType type) {
  if (!ThemesAvailableForTypes({}))
    return kThemesUnavailable;
  if (type >= kThemedObjectTypeCount || cache_[type].handle == 0)
    return kClosedNothing;
  CachedTheme& cached = cache_[type];
  const int32_t result = library_.CloseThemeData(cached.handle);
  cached.handle = 0;
  cached.class_list.clear();
  return result;
}

void TlxThemeCache::CloseAllThemeHandles() {
  for (CachedTheme& cached : cache_) {
    if (cached.handle == 0)
      continue;
    library_.CloseThemeData(cached.handle);
    cached.handle = 0;
  }
}

void TlxThemeCache::ThemeChanged() {
  CloseAllThemeHandles();
  themes_active_ = library_.Loaded() && library_.IsThemeActive();
  // A listener may leave (or others join) while being told: walk a copy and
  // skip whoever left in the meantime.
  const std::vector<TlxThemeChangedNotificator*> listeners = listeners_;
  for (TlxThemeChangedNotificator* listener : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
      listener->DoThemeChanged();
  }
}

void TlxThemeCache::AddListener(TlxThemeChangedNotificator* listener) {
  listener->cache_ = this;
  listeners_.push_back(listener);
}

void TlxThemeCache::RemoveListener(TlxThemeChangedNotificator* listener) {
  std::erase(listeners_, listener);
  listener->cache_ = nullptr;
}

bool TlxThemeCache::SameClassList(std::u16string_view a, std::u16string_view b) const {
  return library_.UpperCase(a) == library_.UpperCase(b);
}
