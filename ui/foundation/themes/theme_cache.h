#pragma once
// The theme manager's cache: one visual-style theme handle per themed object
// type, opened on first use with the class list the caller asked for, closed
// and reopened with that same list after the visual style changes, plus the
// listeners told of each change. The cache reaches the visual-styles library
// through TlxThemeLibrary, so the same rules run over the real library
// (theme_manager_win.h) and over any stand-in.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "ui/foundation/themes/theme_object_types.h"

// A theme handle of the visual-styles library; 0 is none.
using TlxThemeHandle = uintptr_t;

// What the cache needs of the visual-styles library.
class TlxThemeLibrary {
 public:
  virtual ~TlxThemeLibrary() = default;
  // Whether the library could be loaded at all.
  virtual bool Loaded() const = 0;
  // Whether the user has visual styles switched on.
  virtual bool IsThemeActive() const = 0;
  // Opens the theme of the first class of a semicolon-separated class list
  // that the current style defines; 0 when none does.
  virtual TlxThemeHandle OpenThemeData(std::u16string_view class_list) = 0;
  // The library's result code (0 for success).
  virtual int32_t CloseThemeData(TlxThemeHandle theme) = 0;
  // `text` upper-cased by the rules of the user's locale.
  virtual std::u16string UpperCase(std::u16string_view text) const = 0;
};

class TlxThemeCache;

// Told of every change of the visual style while it lives. The scroll bar
// keeps one to recompute its metrics.
class TlxThemeChangedNotificator : public TObject {
 public:
  using TThemeChangedEvent = std::function<void()>;

  // Joins the cache's listeners when the cache has a library to watch.
  explicit TlxThemeChangedNotificator(TlxThemeCache& cache);
  ~TlxThemeChangedNotificator() override;
  TlxThemeChangedNotificator(const TlxThemeChangedNotificator&) = delete;
  TlxThemeChangedNotificator& operator=(const TlxThemeChangedNotificator&) = delete;

  TThemeChangedEvent OnThemeChanged;

 protected:
  virtual void DoThemeChanged();

 private:
  friend class TlxThemeCache;
  TlxThemeCache* cache_ = nullptr;
};

class TlxThemeCache {
 public:
  // Result codes of CloseThemeHandle.
  static constexpr int32_t kClosedNothing = 0;
  static constexpr int32_t kThemesUnavailable = 1;

  // Reads whether themes are active when the library is loaded.
  explicit TlxThemeCache(TlxThemeLibrary& library);
  // Closes every cached handle and lets go of the listeners still joined.
  ~TlxThemeCache();
  TlxThemeCache(const TlxThemeCache&) = delete;
  TlxThemeCache& operator=(const TlxThemeCache&) = delete;

  bool LibraryLoaded() const { return library_.Loaded(); }
  bool ThemesActive() const { return themes_active_; }

  // Themes active, library loaded and every type of the set opens (the
  // first that does not gives false). The empty set asks only the first two.
  bool ThemesAvailableForTypes(const TlxThemedObjectTypes& types);
  bool ThemeAvailableFor(TlxThemedObjectType type);

  // The cached handle of `type`, opened on first use. A class list that
  // differs (in more than letter case) from the cached one reopens the type
  // with it; without a list, the list used last (kept over a style change)
  // or the type's own class name opens it. 0 when themes are not available
  // or the style defines no such class.
  TlxThemeHandle OpenThemeHandle(TlxThemedObjectType type,
                                 std::optional<std::u16string_view> class_list = std::nullopt);
  // Closes the type's handle and forgets its class list: kThemesUnavailable
  // when themes are not available, kClosedNothing when the type has no
  // handle, else the library's result.
  int32_t CloseThemeHandle(TlxThemedObjectType type);
  // Closes every handle but keeps the class lists for the next open.
  void CloseAllThemeHandles();

  // The visual style changed: every handle is closed, the active flag read
  // again, and the listeners told in the order they joined. A listener that
  // raises ends the round: the exception goes to the caller and the
  // listeners after it are not told of this change.
  void ThemeChanged();
  // Visual styles are off from now on, until the next ThemeChanged.
  void SwitchThemesOff() { themes_active_ = false; }

 private:
  friend class TlxThemeChangedNotificator;

  struct CachedTheme {
    TlxThemeHandle handle = 0;
    std::u16string class_list;
  };

  void AddListener(TlxThemeChangedNotificator* listener);
  void RemoveListener(TlxThemeChangedNotificator* listener);
  bool SameClassList(std::u16string_view a, std::u16string_view b) const;

  TlxThemeLibrary& library_;
  bool themes_active_ = false;
  std::array<CachedTheme, kThemedObjectTypeCount> cache_;
  std::vector<TlxThemeChangedNotificator*> listeners_;
};
