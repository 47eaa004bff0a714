#include "platform/toolkit/memo.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/text.h"

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return SendMessageW(window, message, wparam, lparam);
}

// Line breaks as the control keeps them: CR LF.
std::string WithControlLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      continue;
    }
    result.push_back(c);
  }
  return result;
}

// The lines of a text without a window: what the control would show.
std::vector<std::string> SplitLines(const std::string& text) {
  TStringList list;
  list.SetText(text);
  std::vector<std::string> lines;
  for (int32_t i = 0; i < list.Count(); ++i)
    lines.push_back(list.Line(i));
  return lines;
}

// Every line followed by a break, as lines added to the control end.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

}  // namespace

// --- TMemoStrings ---------------------------------------------------------------------------

void TMemoStrings::CheckIndex(int32_t index, int32_t limit) const {
  if (index < 0 || index > limit)
    throw EStringListError::IndexOutOfBounds(index);
}

int32_t TMemoStrings::Count() const {
  HWND window = memo_.WindowHandle();
  if (window == nullptr)
    return static_cast<int32_t>(SplitLines(memo_.Text()).size());
  auto count = static_cast<int32_t>(Send(window, EM_GETLINECOUNT));
  // The empty row after a final line break is no line.
  if (count > 0 && Send(window, EM_LINELENGTH, static_cast<WPARAM>(Send(window, EM_LINEINDEX, count - 1))) == 0)
    --count;
  return count;
}

std::string TMemoStrings::Get(int32_t index) const {
  CheckIndex(index, Count() - 1);
  HWND window = memo_.WindowHandle();
  if (window == nullptr)
    return SplitLines(memo_.Text())[static_cast<size_t>(index)];
  const auto start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index)));
  const auto length = static_cast<int32_t>(Send(window, EM_LINELENGTH, static_cast<WPARAM>(start)));
  // The buffer's first unit tells the control its capacity.
  std::u16string buffer(static_cast<size_t>(std::max(length, 1)) + 1, u'\0');
  buffer[0] = static_cast<char16_t>(std::min(length + 1, 0xFFFF));
  const auto copied = static_cast<int32_t>(Send(window, EM_GETLINE, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
  return Utf16ToUtf8(buffer);
}

void TMemoStrings::ReplaceRange(int32_t start, int32_t end, const std::u16string& text) const {
  HWND window = memo_.WindowHandle();
  Send(window, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  Send(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoStrings::Put(int32_t index, const std::string& text) {
  CheckIndex(index, Count() - 1);
  HWND window = memo_.WindowHandle();
  if (window == nullptr) {
    std::vector<std::string> lines = SplitLines(memo_.Text());
    lines[static_cast<size_t>(index)] = text;
    memo_.SetText(JoinLines(lines));
    return;
  }
  const auto start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index)));
  const auto length = static_cast<int32_t>(Send(window, EM_LINELENGTH, static_cast<WPARAM>(start)));
  ReplaceRange(start, start + length, Utf8ToUtf16(text));
}

void TMemoStrings::Insert(int32_t index, const std::string& text) {
  CheckIndex(index, Count());
  HWND window = memo_.WindowHandle();
  if (window == nullptr) {
    std::vector<std::string> lines = SplitLines(memo_.Text());
    lines.insert(lines.begin() + index, text);
    memo_.SetText(JoinLines(lines));
    return;
  }
  // A line goes in front of the row at `index`; where there is no such row
  // (the text does not end with a break), after the last line.
  const auto start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index)));
  if (start >= 0) {
    ReplaceRange(start, start, Utf8ToUtf16(text) + u"\r\n");
    return;
  }
  const auto last = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index - 1)));
  const int32_t end = last + static_cast<int32_t>(Send(window, EM_LINELENGTH, static_cast<WPARAM>(last)));
  ReplaceRange(end, end, u"\r\n" + Utf8ToUtf16(text));
}

void TMemoStrings::Delete(int32_t index) {
  const int32_t count = Count();
  CheckIndex(index, count - 1);
  HWND window = memo_.WindowHandle();
  if (window == nullptr) {
    std::vector<std::string> lines = SplitLines(memo_.Text());
    lines.erase(lines.begin() + index);
    memo_.SetText(JoinLines(lines));
    return;
  }
  auto start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index)));
  int32_t end;
  if (index + 1 < static_cast<int32_t>(Send(window, EM_GETLINECOUNT))) {
    end = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(index + 1)));
  } else {
    end = start + static_cast<int32_t>(Send(window, EM_LINELENGTH, static_cast<WPARAM>(start)));
    // The last line takes the break before it along.
    if (index > 0)
      start = std::max(start - 2, 0);
  }
  ReplaceRange(start, end, u"");
}

void TMemoStrings::Clear() { memo_.SetText(""); }

void TMemoStrings::SetText(std::string_view text) { memo_.SetText(WithControlLineBreaks(text)); }

void TMemoStrings::SetUpdateState(bool updating) {
  HWND window = memo_.WindowHandle();
  if (window == nullptr)
    return;
  Send(window, WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating)
    InvalidateRect(window, nullptr, TRUE);
}

// --- TCustomMemo ---------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
  ControlStyle().Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

DWORD TCustomMemo::EditStyle() const {
  DWORD style = (TCustomEdit::EditStyle() & ~static_cast<DWORD>(ES_AUTOHSCROLL)) | ES_MULTILINE | ES_AUTOVSCROLL;
  if (!word_wrap_)
    style |= ES_AUTOHSCROLL;
  return style;
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  if (scroll_bars_ == ssHorizontal || scroll_bars_ == ssBoth)
    params.Style |= WS_HSCROLL;
  if (scroll_bars_ == ssVertical || scroll_bars_ == ssBoth)
    params.Style |= WS_VSCROLL;
}

void TCustomMemo::SetWordWrap(bool value) {
  if (value == word_wrap_)
    return;
  word_wrap_ = value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == scroll_bars_)
    return;
  scroll_bars_ = value;
  RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& message) {
  TCustomEdit::Dispatch(message);
  if (message.Msg != WM_GETDLGCODE)
    return;
  if (want_tabs_)
    message.Result |= DLGC_WANTTAB;
  else
    message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  if (!want_returns_)
    message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TCustomMemo::KeyPress(char16_t& key) {
  if (key == u'\r' && !want_returns_)
    key = 0;
  TCustomEdit::KeyPress(key);
}

TPoint TCustomMemo::CaretPos() {
  HWND window = Handle();
  DWORD end = 0;
  Send(window, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  const auto line = static_cast<int32_t>(Send(window, EM_LINEFROMCHAR, end));
  const auto line_start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(line)));
  return {static_cast<int32_t>(end) - line_start, line};
}

void TCustomMemo::SetCaretPos(TPoint position) {
  HWND window = Handle();
  const auto line_start = static_cast<int32_t>(Send(window, EM_LINEINDEX, static_cast<WPARAM>(position.Y)));
  if (line_start < 0)
    return;
  const int32_t at = line_start + position.X;
  Send(window, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
}

int32_t TCustomMemo::FirstVisibleLine() { return static_cast<int32_t>(Send(Handle(), EM_GETFIRSTVISIBLELINE)); }

void TCustomMemo::ScrollLines(int32_t lines) { Send(Handle(), EM_LINESCROLL, 0, lines); }

void TCustomMemo::ScrollCaretIntoView() { Send(Handle(), EM_SCROLLCARET); }
