#include "app/shell_win.h"

#include <shellapi.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

namespace {

std::string SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length > 0 && buffer)
    text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  if (buffer)
    LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
    text.pop_back();
  if (text.empty())
    return "Systemfehler " + std::to_string(code);
  return Utf16ToUtf8(text);
}

// ShellExecute's small results name a reason of their own; most equal a
// system error code, the rest are mapped to the nearest one.
DWORD ShellResultToSystemError(INT_PTR result) {
  switch (result) {
    case 0:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
      return ERROR_DDE_FAIL;
    case SE_ERR_SHARE:
      return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND:
      return ERROR_DLL_NOT_FOUND;
    default:
      return static_cast<DWORD>(result);
  }
}

struct ReaderSearch {
  const std::string* title_part;
  const std::function<void()>* before_close;
  DWORD own_process;
  int asked;
};

BOOL CALLBACK AskReaderToClose(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<ReaderSearch*>(lparam);
  char title[256] = {};
  const int length = GetWindowTextA(window, title, static_cast<int>(sizeof(title)));
  if (length <= 0)
    return TRUE;
  if (std::string_view(title, static_cast<size_t>(length)).find(*search->title_part) == std::string_view::npos)
    return TRUE;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->own_process)
    return TRUE;
  if (*search->before_close)
    (*search->before_close)();
  PostMessageA(window, WM_CLOSE, 0, 0);
  ++search->asked;
  return TRUE;
}

}  // namespace

void ShellPrintTo(HWND owner, const std::string& path, const std::string& parameters) {
  const std::u16string wide_path = Utf8ToUtf16(path);
  const std::u16string wide_parameters = Utf8ToUtf16(parameters);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"printto", reinterpret_cast<const wchar_t*>(wide_path.c_str()),
                    reinterpret_cast<const wchar_t*>(wide_parameters.c_str()), nullptr, SW_SHOWNORMAL));
  if (result <= 32)
    throw Exception(SystemErrorText(ShellResultToSystemError(result)));
}

int CloseReaderWindows(const std::string& title_part, const std::function<void()>& before_close) {
  if (title_part.empty())
    return 0;
  ReaderSearch search{&title_part, &before_close, GetCurrentProcessId(), 0};
  EnumWindows(AskReaderToClose, reinterpret_cast<LPARAM>(&search));
  return search.asked;
}

std::vector<std::string> TakeDroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::u16string name(length + 1, u'\0');
    const UINT copied = DragQueryFileW(drop, i, reinterpret_cast<wchar_t*>(name.data()), length + 1);
    name.resize(copied);
    names.push_back(Utf16ToUtf8(name));
  }
  DragFinish(drop);
  return names;
}
