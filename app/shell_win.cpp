#include "app/shell_win.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/system_error.h"
#include "platform/rtl/text.h"

namespace {

// How often the wait for a started handler looks whether it has ended.
constexpr DWORD kHandlerPollMs = 50;

// The system's text for `code`, as a reason after a file's name.
std::string ReasonText(DWORD code) {
  const std::string text = SystemErrorText(static_cast<int32_t>(code));
  return text.empty() ? "Systemfehler " + std::to_string(code) : text;
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

TShellPrintToRequest& ReplacedShellPrintToRequest() {
  static TShellPrintToRequest request;
  return request;
}

void AskShellToPrint(HWND owner, const std::u16string& openable, const std::u16string& wide_parameters) {
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof(request);
  // The process handle lets the run wait for the handler; no message box
  // of the shell's own stops the run on a refusal.
  request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  request.hwnd = owner;
  request.lpVerb = L"printto";
  request.lpFile = reinterpret_cast<const wchar_t*>(openable.c_str());
  request.lpParameters = reinterpret_cast<const wchar_t*>(wide_parameters.c_str());
  request.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&request)) {
    const DWORD error = GetLastError();
    throw Exception(ReasonText(error != ERROR_SUCCESS
                                   ? error
                                   : ShellResultToSystemError(reinterpret_cast<INT_PTR>(request.hInstApp))));
  }
  if (request.hProcess == nullptr)
    return;
  TScopeExit close_process([&request] { CloseHandle(request.hProcess); });
  WaitForHandler(request.hProcess, kHandlerStartBoundMs);
}

}  // namespace

TShellPrintToRequest ReplaceShellPrintToRequest(TShellPrintToRequest request) {
  std::swap(ReplacedShellPrintToRequest(), request);
  return request;
}

std::u16string ShellOpenablePath(const std::u16string& path) {
  if (path.size() < kShortestLongPath)
    return path;
  // The system's own calls take a long path only in the extended-length
  // form; a UNC path has its own.
  const bool unc = path.size() > 2 && path[0] == u'\\' && path[1] == u'\\';
  const std::u16string extended =
      path.starts_with(u"\\\\?\\") ? path : (unc ? u"\\\\?\\UNC" + path.substr(1) : u"\\\\?\\" + path);
  const DWORD needed = GetShortPathNameW(reinterpret_cast<const wchar_t*>(extended.c_str()), nullptr, 0);
  if (needed > 0) {
    std::u16string short_path(needed, u'\0');
    const DWORD written = GetShortPathNameW(reinterpret_cast<const wchar_t*>(extended.c_str()),
                                            reinterpret_cast<wchar_t*>(short_path.data()), needed);
    if (written > 0 && written < needed) {
      short_path.resize(written);
      // The short form of the extended path keeps its prefix; a shell
      // command line wants the plain drive path when that is short enough.
      if (short_path.starts_with(u"\\\\?\\UNC\\"))
        short_path = u"\\" + short_path.substr(7);
      else if (short_path.starts_with(u"\\\\?\\"))
        short_path = short_path.substr(4);
      if (short_path.size() < kShortestLongPath)
        return short_path;
    }
  }
  return extended;
}

void ShellPrintTo(HWND owner, const std::string& path, const std::string& parameters) {
  const std::u16string wide_path = Utf8ToUtf16(path);
  if (wide_path.size() > kLongestShellPath)
    throw Exception("Der Pfad ist länger als " + std::to_string(kLongestShellPath) +
                    " Zeichen; so lange Pfade kann die Shell nicht übergeben.");
  const std::u16string openable = ShellOpenablePath(wide_path);
  const std::u16string wide_parameters = Utf8ToUtf16(parameters);
  if (const TShellPrintToRequest& replaced = ReplacedShellPrintToRequest()) {
    replaced(owner, openable, wide_parameters);
    return;
  }
  AskShellToPrint(owner, openable, wide_parameters);
}

void WaitForHandler(HANDLE process, uint32_t bound_ms) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
      return;
    const ULONGLONG waited = GetTickCount64() - start;
    if (waited >= bound_ms)
      return;
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(bound_ms - waited, kHandlerPollMs));
    const DWORD idle = WaitForInputIdle(process, slice);
    if (idle == 0)
      return;
    if (idle == WAIT_FAILED) {
      // A handler without windows (a console program) is done when it ends.
      WaitForSingleObject(process, static_cast<DWORD>(bound_ms - waited));
      return;
    }
  }
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
