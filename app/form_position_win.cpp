#include "app/form_position_win.h"

#include <windows.h>

#include "app/config.h"
#include "app/window_position.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"

namespace {

DesktopGeometry CurrentDesktop() {
  DesktopGeometry desktop;
  desktop.screen_width = Screen->Width();
  desktop.screen_height = Screen->Height();
  const TRect virtual_desktop = Screen->DesktopRect();
  desktop.desktop_left = virtual_desktop.Left;
  desktop.desktop_top = virtual_desktop.Top;
  desktop.desktop_width = virtual_desktop.Width();
  desktop.desktop_height = virtual_desktop.Height();
  desktop.caption_height = GetSystemMetrics(SM_CYCAPTION);
  return desktop;
}

}  // namespace

void RestoreFormPosition(TCustomForm& form) {
  if (!LayoutsLoaded())
    return;
  const WindowBounds designed{form.Left(), form.Top(), form.Width(), form.Height()};
  const WindowBounds bounds = RestoredWindowBounds(StoredWindowPosition(form.Name()), designed,
                                                   form.BorderStyle() == bsSizeable, CurrentDesktop());
  form.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
}

void SaveFormPosition(TCustomForm& form) {
  StoreWindowPosition(form.Name(), form.Left(), form.Top(), form.Width(), form.Height());
}
