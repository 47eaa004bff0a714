#include "ui/foundation/themes/theme_manager_win.h"

#include <memory>
#include <string>

#include "platform/toolkit/utility_window.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

// The cache's view of the real visual-styles library.
class SystemThemeLibrary : public TlxThemeLibrary {
 public:
  bool Loaded() const override { return lxUxThemeLibraryLoaded(); }
  bool IsThemeActive() const override { return lxUxIsThemeActive(); }
  TlxThemeHandle OpenThemeData(std::u16string_view class_list) override {
    return reinterpret_cast<TlxThemeHandle>(lxUxOpenThemeData(nullptr, class_list));
  }
  int32_t CloseThemeData(TlxThemeHandle theme) override {
    return lxUxCloseThemeData(reinterpret_cast<HTHEME>(theme));
  }
  std::u16string UpperCase(std::u16string_view text) const override {
    std::u16string upper(text);
    if (!upper.empty())
      CharUpperBuffW(reinterpret_cast<WCHAR*>(upper.data()), static_cast<DWORD>(upper.size()));
    return upper;
  }
};

// The manager's parts, built on first use after the library binding, so
// they go (closing their handles) before the library is freed at exit.
struct ThemeManagerModule {
  ThemeManagerModule() : cache(library) {
    if (cache.LibraryLoaded())
      receiver = std::make_unique<TlxThemeChangedEventReceiver>(cache);
  }
  ~ThemeManagerModule() {
    receiver.reset();
    cache.CloseAllThemeHandles();
  }

  SystemThemeLibrary library;
  TlxThemeCache cache;
  std::unique_ptr<TlxThemeChangedEventReceiver> receiver;
};

ThemeManagerModule& Module() {
  lxUxThemeStartup();
  static ThemeManagerModule module;
  return module;
}

}  // namespace

TlxThemeChangedEventReceiver::TlxThemeChangedEventReceiver(TlxThemeCache& cache) : cache_(cache) {
  window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

TlxThemeChangedEventReceiver::~TlxThemeChangedEventReceiver() {
  cache_.SwitchThemesOff();
  DeallocateHWnd(window_);
}

void TlxThemeChangedEventReceiver::WndProc(TMessage& message) {
  CallDefaultWindowProc(window_, message);
  if (message.Msg != WM_THEMECHANGED)
    return;
  message.Result = 0;
  cache_.ThemeChanged();
}

TlxThemeCache& lxThemeManager() { return Module().cache; }

TlxThemeChangedEventReceiver* lxThemeChangedEventReceiver() { return Module().receiver.get(); }

bool lxThemesAvailableForTypes(const TlxThemedObjectTypes& types) {
  return lxThemeManager().ThemesAvailableForTypes(types);
}

bool lxThemeAvailableFor(TlxThemedObjectType type) { return lxThemeManager().ThemeAvailableFor(type); }

HTHEME lxOpenThemeHandle(TlxThemedObjectType type, std::optional<std::u16string_view> class_list) {
  return reinterpret_cast<HTHEME>(lxThemeManager().OpenThemeHandle(type, class_list));
}

HRESULT lxCloseThemeHandle(TlxThemedObjectType type) { return lxThemeManager().CloseThemeHandle(type); }

void lxCloseAllThemeHandles() { lxThemeManager().CloseAllThemeHandles(); }

bool lxIsStockVisualStyle() {
  if (!lxThemesAvailableForTypes({}))
    return false;
  std::u16string file_name, color_name, size_name;
  if (FAILED(lxUxGetCurrentThemeName(file_name, color_name, size_name)))
    return false;
  return lxIsStockVisualStyleFileName(file_name);
}
