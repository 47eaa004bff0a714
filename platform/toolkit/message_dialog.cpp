#include "platform/toolkit/message_dialog.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/errors.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

// Button captions and kind names; the underlined letters answer the
// dialog from the keyboard.
constexpr std::array<const char*, 12> kButtonCaptions{
    "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help", "&Close",
};
constexpr std::array<const char*, 4> kKindTitles{"Warning", "Error", "Information", "Confirm"};

// The help button answers nothing: it has an id outside the results.
constexpr int kHelpButtonId = 0x4000;
constexpr int kIconId = 0x4001;
constexpr int kTextId = 0x4002;

// Layout in dialog units of the message font, as the platform's dialogs
// are laid out.
constexpr int kMarginDlu = 8;
constexpr int kButtonWidthDlu = 50;
constexpr int kButtonHeightDlu = 14;
constexpr int kButtonSpacingDlu = 4;
constexpr int kButtonTextPaddingDlu = 8;
constexpr int kIconTextGapDlu = 8;

std::wstring Wide(const std::string& text) {
  const std::u16string utf16 = Utf8ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

// The system icon of a kind (its resource number), 0 for none.
WORD IconOf(TMsgDlgType type) {
  constexpr WORD kHand = 32513;
  constexpr WORD kQuestion = 32514;
  constexpr WORD kExclamation = 32515;
  constexpr WORD kAsterisk = 32516;
  switch (type) {
    case mtWarning:
      return kExclamation;
    case mtError:
      return kHand;
    case mtInformation:
      return kAsterisk;
    case mtConfirmation:
      return kQuestion;
    case mtCustom:
      break;
  }
  return 0;
}

std::string DefaultCaption(TMsgDlgType type) {
  if (type != mtCustom)
    return kKindTitles[type];
  if (TApplication* application = CurrentApplication(); application && !application->Title().empty())
    return application->Title();
  // Without a title the program's file name stands for the program.
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string name(reinterpret_cast<const char16_t*>(path));
  name = name.substr(name.find_last_of(u"\\/") + 1);
  return Utf16ToUtf8(name.substr(0, name.find_last_of(u'.')));
}

int ButtonId(TMsgDlgBtn button) { return button == mbHelp ? kHelpButtonId : ModalResultOf(button); }

// Dialog units of a font: the average width of the letters and the height.
struct DialogUnits {
  int x = 0;
  int y = 0;
  int Width(int dlu) const { return MulDiv(dlu, x, 4); }
  int Height(int dlu) const { return MulDiv(dlu, y, 8); }
};

DialogUnits MeasureDialogUnits(HDC dc) {
  SIZE size{};
  GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return {(size.cx / 26 + 1) / 2, metrics.tmHeight};
}

// Other windows of the thread are disabled while the dialog is up and
// enabled again afterwards, so that nothing but the dialog takes input.
class ThreadWindowsDisabler {
 public:
  ThreadWindowsDisabler() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
          if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            EnableWindow(window, FALSE);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled_));
  }
  ~ThreadWindowsDisabler() {
    for (HWND window : disabled_)
      if (IsWindow(window))
        EnableWindow(window, TRUE);
  }
  ThreadWindowsDisabler(const ThreadWindowsDisabler&) = delete;
  ThreadWindowsDisabler& operator=(const ThreadWindowsDisabler&) = delete;

 private:
  std::vector<HWND> disabled_;
};

// An empty dialog template; the controls are created once the window
// exists, measured in pixels of the message font.
std::vector<WORD> EmptyDialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialog->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  // Menu, class and title follow as empty entries (the zeros).
  return words;
}

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOk;
    case mbCancel:
      return mrCancel;
    case mbAbort:
      return mrAbort;
    case mbRetry:
      return mrRetry;
    case mbIgnore:
      return mrIgnore;
    case mbAll:
      return mrAll;
    case mbNoToAll:
      return mrNoToAll;
    case mbYesToAll:
      return mrYesToAll;
    case mbHelp:
      return mrNone;
    case mbClose:
      return mrClose;
  }
  return mrNone;
}

TMessageDialog::TMessageDialog(std::string message, TMsgDlgType type, TMsgDlgButtons buttons)
    : message_(std::move(message)), type_(type), buttons_(buttons), caption_(DefaultCaption(type)) {
  if (buttons_.Empty())
    buttons_ = TMsgDlgButtons{mbOK};
  if (buttons_.Contains(mbOK)) {
    default_button_ = mbOK;
  } else if (buttons_.Contains(mbYes)) {
    default_button_ = mbYes;
  } else {
    for (int b = mbYes; b <= mbClose; ++b)
      if (buttons_.Contains(static_cast<TMsgDlgBtn>(b))) {
        default_button_ = static_cast<TMsgDlgBtn>(b);
        break;
      }
  }
}

TMessageDialog::~TMessageDialog() {
  if (font_ != nullptr)
    DeleteObject(font_);
}

void TMessageDialog::SetDefaultButton(TMsgDlgBtn button) {
  if (buttons_.Contains(button))
    default_button_ = button;
}

void TMessageDialog::SetPosition(int32_t left, int32_t top) {
  positioned_ = true;
  position_ = {left, top};
}

TModalResult TMessageDialog::CancelResult() const {
  for (TMsgDlgBtn button : {mbCancel, mbNo, mbOK})
    if (buttons_.Contains(button))
      return ModalResultOf(button);
  return mrCancel;
}

TModalResult TMessageDialog::ShowModal() {
  if (window_ != nullptr)
    throw EInvalidOperation("Cannot make a visible window modal");
  const HWND owner = GetActiveWindow();
  std::vector<WORD> dialog_template = EmptyDialogTemplate();
  INT_PTR result;
  {
    ThreadWindowsDisabler disabler;
    result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(dialog_template.data()),
                                     owner, &TMessageDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  }
  window_ = nullptr;
  if (owner != nullptr && IsWindow(owner))
    SetActiveWindow(owner);
  if (result == -1)
    throw EOutOfResources("The message dialog could not be created");
  return static_cast<TModalResult>(result);
}

INT_PTR CALLBACK TMessageDialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TMessageDialog*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    self->window_ = window;
    self->BuildWindow(window);
    // The default button has the focus already.
    return FALSE;
  }
  auto* self = reinterpret_cast<TMessageDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr || message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED)
    return FALSE;
  const int id = LOWORD(wparam);
  if (id == kHelpButtonId)
    return TRUE;
  // Esc and the close box arrive as IDCANCEL whether or not there is a
  // Cancel button.
  EndDialog(window, id == IDCANCEL ? self->CancelResult() : id);
  return TRUE;
}

void TMessageDialog::BuildWindow(HWND window) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  if (font_ == nullptr)
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  SetWindowTextW(window, Wide(caption_).c_str());

  const std::wstring text = Wide(message_);
  DialogUnits units;
  RECT text_rect{};
  std::vector<std::pair<TMsgDlgBtn, int>> button_widths;
  RECT work_area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work_area, 0);
  {
    const TWindowDC window_dc(window);
    const HDC dc = window_dc.Handle();
    const TSelectedObject message_font(dc, font_);
    units = MeasureDialogUnits(dc);
    text_rect = RECT{0, 0, (work_area.right - work_area.left) / 2, 0};
    DrawTextW(dc, text.c_str(), -1, &text_rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    for (int b = mbYes; b <= mbClose; ++b) {
      const auto button = static_cast<TMsgDlgBtn>(b);
      if (!buttons_.Contains(button))
        continue;
      RECT caption_rect{};
      const std::wstring caption = Wide(kButtonCaptions[b]);
      DrawTextW(dc, caption.c_str(), -1, &caption_rect, DT_CALCRECT | DT_SINGLELINE);
      button_widths.emplace_back(button, std::max<int>(units.Width(kButtonWidthDlu),
                                                       caption_rect.right + units.Width(kButtonTextPaddingDlu)));
    }
  }

  const int margin_x = units.Width(kMarginDlu);
  const int margin_y = units.Height(kMarginDlu);
  const int spacing = units.Width(kButtonSpacingDlu);
  const int button_height = units.Height(kButtonHeightDlu);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  auto create = [&](LPCWSTR window_class, const std::wstring& caption, DWORD style, int id, int x, int y, int cx,
                    int cy) {
    HWND child = CreateWindowExW(0, window_class, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
  };

  int text_left = margin_x;
  int content_height = text_rect.bottom;
  if (const WORD icon_id = IconOf(type_); icon_id != 0) {
    const int icon_size = GetSystemMetrics(SM_CXICON);
    HWND icon = create(L"STATIC", L"", SS_ICON, kIconId, margin_x, margin_y, icon_size, icon_size);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(icon_id))), 0);
    text_left += icon_size + units.Width(kIconTextGapDlu);
    content_height = std::max<int>(content_height, icon_size);
  }
  create(L"STATIC", text, SS_LEFT | SS_NOPREFIX, kTextId, text_left, margin_y, text_rect.right, text_rect.bottom);

  int buttons_width = 0;
  for (const auto& entry : button_widths)
    buttons_width += entry.second;
  buttons_width += spacing * static_cast<int>(button_widths.size() - 1);
  const int client_width = std::max(text_left + static_cast<int>(text_rect.right), buttons_width) + margin_x;
  const int buttons_top = margin_y + content_height + margin_y;
  const int client_height = buttons_top + button_height + margin_y;

  int x = (client_width - buttons_width) / 2;
  HWND default_window = nullptr;
  for (const auto& [button, width] : button_widths) {
    const bool is_default = button == default_button_;
    HWND child = create(L"BUTTON", Wide(kButtonCaptions[button]),
                        WS_TABSTOP | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), ButtonId(button), x, buttons_top,
                        width, button_height);
    if (is_default)
      default_window = child;
    x += width + spacing;
  }
  SendMessageW(window, DM_SETDEFID, ButtonId(default_button_), 0);
  if (default_window != nullptr)
    SetFocus(default_window);

  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int left = work_area.left + (work_area.right - work_area.left - width) / 2;
  int top = work_area.top + (work_area.bottom - work_area.top - height) / 2;
  if (positioned_) {
    if (position_.X >= 0)
      left = position_.X;
    if (position_.Y >= 0)
      top = position_.Y;
  }
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::unique_ptr<TMessageDialog> CreateMessageDialog(const std::string& message, TMsgDlgType type,
                                                    TMsgDlgButtons buttons) {
  return std::make_unique<TMessageDialog>(message, type, buttons);
}

TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                        int32_t help_context) {
  TMessageDialog dialog(message, type, buttons);
  dialog.SetHelpContext(help_context);
  return dialog.ShowModal();
}

TModalResult MessageDlgPos(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
                           int32_t help_context, int32_t x, int32_t y) {
  TMessageDialog dialog(message, type, buttons);
  dialog.SetHelpContext(help_context);
  dialog.SetPosition(x, y);
  return dialog.ShowModal();
}

void ShowMessage(const std::string& message) { MessageDlg(message, mtCustom, {mbOK}); }
