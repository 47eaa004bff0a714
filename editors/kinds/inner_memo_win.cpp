#include "editors/kinds/inner_memo_win.h"

#include <string>

#include "editors/kinds/inner_memo_text.h"
#include "editors/kinds/memo_rules.h"
#include "editors/kinds/memo_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

constexpr uint16_t kTabKey = 9;
constexpr uint16_t kEscKey = 27;
// The toolkit memo's sunken border, which the editor's window region cuts
// away: the system bars' client positions lie this far inside the window.
constexpr int32_t kBorderWidth = 2;

bool IsControlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// --- the interface object --------------------------------------------------------

TWinControl* TlxCustomInnerMemoHelper::GetControl() { return memo_; }

TlxContainer* TlxCustomInnerMemoHelper::GetControlContainer() { return memo_->GetControlContainer(); }

LRESULT TlxCustomInnerMemoHelper::CallDefWndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return memo_->CallDefaultProc(message, wparam, lparam);
}

// The control's text itself: the lines are the rows shown, wrapped ones too.
void TlxCustomInnerMemoHelper::GetEditValue(Variant& value) { value = Variant(memo_->Text()); }

const TNotifyEvent& TlxCustomInnerMemoHelper::GetOnChange() const { return memo_->OnChange; }

bool TlxCustomInnerMemoHelper::GetReadOnly() const { return memo_->ReadOnly(); }

void TlxCustomInnerMemoHelper::LockBounds(bool lock) { memo_->LockBounds(lock); }

void TlxCustomInnerMemoHelper::SafelyFocusInnerControl() {
  const bool auto_select = memo_->OwnAutoSelect();
  memo_->SetOwnAutoSelect(false);
  TScopeExit restore([this, auto_select] { memo_->SetOwnAutoSelect(auto_select); });
  if (memo_->CanFocus())
    memo_->SetFocus();
}

void TlxCustomInnerMemoHelper::SetEditValue(const Variant& value) {
  const std::string text = VarToStrDef(value, "");
  if (!memo_->HandleAllocated()) {
    memo_->SetText(text);
    return;
  }
  TlxCustomMemo* editor = memo_->Editor();
  if (editor == nullptr) {
    memo_->SetTextQuietly(text);
    return;
  }
  // The text becomes the editor's own value: a change of text is news
  // (OnChange), a new edit value is not.
  editor->LockChangeEvents(true);
  TScopeExit unlock([editor] { editor->UnlockChangeEventsDroppingEditValueChanged(); });
  if (editor->IsInplace() && memo_->WordWrap())
    memo_->SetTextQuietly("");
  memo_->SetTextQuietly(text);
}

void TlxCustomInnerMemoHelper::SetParent(TWinControl* parent) { memo_->SetParent(parent); }

void TlxCustomInnerMemoHelper::SetOnChange(TNotifyEvent handler) { memo_->OnChange = std::move(handler); }

void TlxCustomInnerMemoHelper::SetReadOnly(bool value) { memo_->SetReadOnly(value); }

void TlxCustomInnerMemoHelper::ClearSelection() { memo_->ClearSelection(); }

void TlxCustomInnerMemoHelper::CopyToClipboard() { memo_->CopyToClipboard(); }

TAlignment TlxCustomInnerMemoHelper::GetAlignment() const { return memo_->Alignment(); }

bool TlxCustomInnerMemoHelper::GetAutoSelect() const { return memo_->OwnAutoSelect(); }

TEditCharCase TlxCustomInnerMemoHelper::GetCharCase() const { return memo_->CharCase(); }

int32_t TlxCustomInnerMemoHelper::GetFirstVisibleCharIndex() {
  if (!memo_->HandleAllocated())
    return 0;
  return LOWORD(SendMessageW(memo_->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(0, 0)));
}

bool TlxCustomInnerMemoHelper::GetHideSelection() const { return memo_->HideSelection(); }

TImeMode TlxCustomInnerMemoHelper::GetImeMode() const { return memo_->ImeMode(); }

std::string TlxCustomInnerMemoHelper::GetImeName() const { return memo_->ImeName(); }

bool TlxCustomInnerMemoHelper::IsKeyConsumed() const { return memo_->KeyConsumed(); }

int32_t TlxCustomInnerMemoHelper::GetMaxLength() const { return memo_->MaxLength(); }

bool TlxCustomInnerMemoHelper::GetOEMConvert() const { return memo_->OEMConvert(); }

const TNotifyEvent& TlxCustomInnerMemoHelper::GetOnSelChange() const { return memo_->OnSelChange; }

int32_t TlxCustomInnerMemoHelper::GetSelLength() { return memo_->SelLength(); }

int32_t TlxCustomInnerMemoHelper::GetSelStart() { return memo_->SelStart(); }

std::string TlxCustomInnerMemoHelper::GetSelText() { return memo_->SelText(); }

void TlxCustomInnerMemoHelper::SelectAll() {
  if (memo_->HandleAllocated())
    memo_->SelectAll();
}

void TlxCustomInnerMemoHelper::SetAlignment(TAlignment value) {
  if (memo_->Alignment() != value)
    memo_->SetAlignment(value);
}

void TlxCustomInnerMemoHelper::SetAutoSelect(bool value) { memo_->SetOwnAutoSelect(value); }

void TlxCustomInnerMemoHelper::SetCharCase(TEditCharCase value) { memo_->SetCharCase(value); }

void TlxCustomInnerMemoHelper::SetHideSelection(bool value) { memo_->SetHideSelection(value); }

void TlxCustomInnerMemoHelper::SetKeyConsumed(bool value) { memo_->SetKeyConsumed(value); }

void TlxCustomInnerMemoHelper::SetImeMode(TImeMode value) { memo_->SetImeMode(value); }

void TlxCustomInnerMemoHelper::SetImeName(const std::string& value) { memo_->SetImeName(value); }

void TlxCustomInnerMemoHelper::SetMaxLength(int32_t value) { memo_->SetMaxLength(value); }

void TlxCustomInnerMemoHelper::SetOEMConvert(bool value) { memo_->SetOEMConvert(value); }

void TlxCustomInnerMemoHelper::SetOnSelChange(TNotifyEvent handler) { memo_->OnSelChange = std::move(handler); }

void TlxCustomInnerMemoHelper::SetSelLength(int32_t value) {
  if (memo_->HandleAllocated())
    memo_->SetSelLength(value);
}

void TlxCustomInnerMemoHelper::SetSelStart(int32_t value) {
  if (memo_->HandleAllocated())
    memo_->SetSelStart(value);
}

void TlxCustomInnerMemoHelper::SetSelText(const std::string& value) { memo_->SetSelText(value); }

TPoint TlxCustomInnerMemoHelper::GetCaretPos() {
  return memo_->HandleAllocated() ? memo_->CaretPos() : TPoint(0, 0);
}

TStrings& TlxCustomInnerMemoHelper::GetLines() { return memo_->Lines(); }

TScrollStyle TlxCustomInnerMemoHelper::GetScrollBars() const { return memo_->ScrollBars(); }

bool TlxCustomInnerMemoHelper::GetWantReturns() const { return memo_->WantReturns(); }

bool TlxCustomInnerMemoHelper::GetWantTabs() const { return memo_->WantTabs(); }

bool TlxCustomInnerMemoHelper::GetWordWrap() const { return memo_->WordWrap(); }

void TlxCustomInnerMemoHelper::SetCaretPos(const TPoint& position) {
  if (!memo_->HandleAllocated())
    return;
  const HWND window = memo_->Handle();
  const auto line_start = static_cast<int32_t>(SendMessageW(window, EM_LINEINDEX, static_cast<WPARAM>(position.Y), 0));
  const int32_t at = line_start + position.X;
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
}

void TlxCustomInnerMemoHelper::SetScrollBars(TScrollStyle value) { memo_->SetScrollBars(value); }

void TlxCustomInnerMemoHelper::SetWantReturns(bool value) { memo_->SetWantReturns(value); }

void TlxCustomInnerMemoHelper::SetWantTabs(bool value) { memo_->SetWantTabs(value); }

void TlxCustomInnerMemoHelper::SetWordWrap(bool value) { memo_->SetWordWrap(value); }

// --- the control -------------------------------------------------------------------

TlxCustomInnerMemo::TlxCustomInnerMemo(TComponent* owner) : TlxInnerEditForwarding(owner) {
  if (!ComponentState().Contains(csDesigning))
    SetCursor(crIBeam);
  ControlStyle().Include(csDoubleClicks);
  SetParentColor(true);
  SetParentFont(true);
  SetAutoSelect(false);
  helper_ = std::make_unique<TlxCustomInnerMemoHelper>(this);
  FinishCreating();
}

TlxCustomInnerMemo::~TlxCustomInnerMemo() = default;

TlxContainer* TlxCustomInnerMemo::GetControlContainer() { return Editor(); }

void TlxCustomInnerMemo::SetTextQuietly(const std::string& text) {
  ++text_setting_;
  TScopeExit lower([this] { --text_setting_; });
  Lines().SetText(text);
}

void TlxCustomInnerMemo::CreateParams(TCreateParams& params) {
  TMemo::CreateParams(params);
  // Growing never needs a full repaint; with rows that do not wrap,
  // neither does widening.
  params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW);
  if (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth || !WordWrap())
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW);
}

void TlxCustomInnerMemo::CreateWindowHandle(const TCreateParams& params) {
  {
    ++text_setting_;
    TScopeExit lower([this] { --text_setting_; });
    TMemo::CreateWindowHandle(params);
    // The lines take the control's line breaks.
    Lines().SetText(Text());
  }
  TlxCustomMemo* editor = Editor();
  if (editor == nullptr || IsDestroying())
    return;
  // A new window has no region yet: the border must be cut away again.
  editor->ApplyInnerControlRegion();
  editor->SyncScrollBarsWithInnerControl(false);
}

void TlxCustomInnerMemo::DoEnter() {
  TMemo::DoEnter();
  if (own_auto_select_ && HandleAllocated())
    SelectAll();
}

// --- what goes on to the editor ---------------------------------------------------

void TlxCustomInnerMemo::KeyDown(uint16_t& key, TShiftState shift) { ForwardKey(key, shift, true); }

void TlxCustomInnerMemo::KeyUp(uint16_t& key, TShiftState shift) {
  if (key == kTabKey && !WantTabs())
    key = 0;
  ForwardKey(key, shift, false);
}

void TlxCustomInnerMemo::KeyPress(char16_t& key) {
  SetKeyConsumed(false);
  TAliveToken alive = AliveToken();
  if (TlxCustomMemo* editor = Editor(); editor != nullptr && key != 0)
    editor->HandleKeyPress(key);
  if (!alive.Alive())
    return;
  if (key == 0)
    SetKeyConsumed(true);
  else
    TMemo::KeyPress(key);
}

// --- messages --------------------------------------------------------------------------

void TlxCustomInnerMemo::WndProc(TMessage& message) {
  TlxCustomMemo* editor = Editor();
  const bool served = editor != nullptr && !IsDestroying() && !editor->IsBeingDestroyed();
  if (served && editor->HandleInnerControlKey(message))
    return;
  // The editor sees the message before the control handles it.
  if (served)
    editor->AfterInnerEditMessage(message);
  if (served && (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) &&
      editor->DragMode() == dmAutomatic && !editor->IsDesigning()) {
    editor->BeginDrag(false);
    return;
  }
  if (!HandleOwnMessage(message))
    TMemo::WndProc(message);
}

void TlxCustomInnerMemo::DefaultHandler(TMessage& message) {
  TlxCustomMemo* editor = Editor();
  if (editor != nullptr && !IsDestroying() && editor->PreprocessInnerControlMessage(message))
    return;
  TMemo::DefaultHandler(message);
}

bool TlxCustomInnerMemo::HandleOwnMessage(TMessage& message) {
  TlxCustomMemo* editor = Editor();
  switch (message.Msg) {
    case WM_PAINT:
      TMemo::WndProc(message);
      if (editor != nullptr && !IsDestroying())
        editor->NotifySpellCheckerPaint();
      return true;
    case WM_NCPAINT:
      HandleNonClientPaint(message);
      return true;
    case WM_GETDLGCODE:
      HandleGetDlgCode(message);
      return true;
    case CN_KEYDOWN:
      if (message.WParam != kEscKey)
        return false;
      {
        // A WM_GETDLGCODE asked meanwhile must not claim Esc for the text.
        TStateScope<bool> escape(escape_pressed_, true);
        TMemo::WndProc(message);
      }
      return true;
    case WM_KEYDOWN:
      HandleKeyDownMessage(message);
      return true;
    case WM_IME_COMPOSITION:
      if (editor == nullptr || editor->TryStartEditing())
        message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      return true;
    case WM_CUT:
      if (editor == nullptr || !editor->IsUserChange())
        return false;
      if (ReadOnly())
        editor->CopyToClipboard();
      else
        editor->CutToClipboard();
      return true;
    case WM_PASTE:
      if (editor == nullptr)
        return false;
      if (!ReadOnly()) {
        TlxUserInputScope by_user(*editor);
        editor->PasteFromClipboard();
      }
      return true;
    case WM_CLEAR:
      if (editor == nullptr || editor->IsClearing()) {
        message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
        return true;
      }
      if (!ReadOnly()) {
        TlxUserInputScope by_user(*editor);
        editor->ClearSelection();
      }
      return true;
    case WM_SETTEXT:
      HandleSetText(message);
      return true;
    case EM_REPLACESEL:
      HandleReplaceSel(message);
      return true;
    case EM_SETSEL:
      message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      if (OnSelChange)
        OnSelChange(this);
      return true;
    case WM_SETFOCUS:
      HandleFocusMessage(message, true);
      return true;
    case WM_KILLFOCUS:
      HandleFocusMessage(message, false);
      return true;
    case WM_SETFONT:
      TMemo::WndProc(message);
      if (HandleAllocated())
        SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      return true;
    case WM_WINDOWPOSCHANGING:
      TMemo::WndProc(message);
      if (editor != nullptr && !IsDestroying())
        editor->SyncScrollBarsWithInnerControl(false);
      return true;
    case WM_WINDOWPOSCHANGED:
      if (editor != nullptr && !IsDestroying())
        editor->SyncScrollBarsWithInnerControl(false);
      TMemo::WndProc(message);
      return true;
    case CM_MOUSELEAVE:
      TMemo::WndProc(message);
      if (editor != nullptr && !IsDestroying())
        editor->RefreshFromCursor(true);
      return true;
    default:
      return false;
  }
}

void TlxCustomInnerMemo::HandleKeyDownMessage(TMessage& message) {
  TlxCustomMemo* editor = Editor();
  TlxCustomInnerTextEditPrevState state;
  lxSaveInnerTextEditState(helper_.get(), true, state);
  SetKeyConsumed(false);
  TAliveToken alive = AliveToken();
  TMemo::WndProc(message);
  if (!alive.Alive() || editor == nullptr)
    return;
  editor->RequestScrollBarsSync();
  auto key = static_cast<uint16_t>(message.WParam);
  if (KeyConsumed() || lxInnerTextEditStateChanged(helper_.get(), state) || key == 0 || key == VK_UP ||
      key == VK_DOWN)
    return;
  editor->FireAfterKeyDown(key, KeyDataToShiftState(message.LParam));
  message.WParam = key;
}

void TlxCustomInnerMemo::HandleGetDlgCode(TMessage& message) {
  TMemo::WndProc(message);
  TlxCustomMemo* editor = Editor();
  if (editor != nullptr && editor->WantsTabKey() && !IsControlDown())
    message.Result |= DLGC_WANTTAB;
  if (escape_pressed_)
    message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TlxCustomInnerMemo::HandleFocusMessage(TMessage& message, bool gaining) {
  TlxCustomMemo* editor = Editor();
  const bool destroying = IsDestroying() || editor == nullptr || editor->IsBeingDestroyed();
  TAliveToken alive = AliveToken();
  TMemo::WndProc(message);
  if (!alive.Alive() || destroying)
    return;
  if (gaining) {
    const HWND from = TFocusMessage(message).OtherWindow();
    if (editor->HandleAllocated() && from == editor->Handle())
      return;
  }
  editor->HandleInnerFocusChanged();
}

void TlxCustomInnerMemo::HandleSetText(TMessage& message) {
  TAliveToken alive = AliveToken();
  TMemo::WndProc(message);
  TlxCustomMemo* editor = Editor();
  if (!alive.Alive() || text_setting_ > 0 || editor == nullptr || IsDestroying())
    return;
  ++text_setting_;
  TScopeExit lower([this] { --text_setting_; });
  const auto* wide = reinterpret_cast<const char16_t*>(message.LParam);
  editor->SetEditValueUnlocked(Variant(wide != nullptr ? Utf16ToUtf8(wide) : std::string()));
}

void TlxCustomInnerMemo::HandleReplaceSel(TMessage& message) {
  const auto* original = reinterpret_cast<const char16_t*>(message.LParam);
  const std::u16string normalized = lxNormalizeMemoLineBreaks(original != nullptr ? original : u"");
  message.LParam = reinterpret_cast<LPARAM>(normalized.c_str());
  TScopeExit restore([&message, original] { message.LParam = reinterpret_cast<LPARAM>(original); });
  message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
  if (TlxCustomMemo* editor = Editor(); editor != nullptr && !IsDestroying())
    editor->RefreshEditValue();
}

// --- the scroll bars -----------------------------------------------------------------------

TRect TlxCustomInnerMemo::SystemScrollBarRect(LONG object_id) {
  if (IsDestroying() || !HandleAllocated())
    return TRect();
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!lxGetScrollBarInfo(Handle(), object_id, info))
    return TRect();
  if ((info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0)
    return TRect();
  const TPoint top_left = ScreenToClient(TPoint(info.rcScrollBar.left, info.rcScrollBar.top));
  const int32_t width = info.rcScrollBar.right - info.rcScrollBar.left;
  const int32_t height = info.rcScrollBar.bottom - info.rcScrollBar.top;
  return Bounds(top_left.X + kBorderWidth, top_left.Y + kBorderWidth, width, height);
}

TRect TlxCustomInnerMemo::ScrollBarCorner() {
  return lxMemoScrollBarCorner(SystemScrollBarRect(OBJID_HSCROLL), SystemScrollBarRect(OBJID_VSCROLL));
}

void TlxCustomInnerMemo::HandleNonClientPaint(TMessage& message) {
  if (!lxIsScrollBarInfoAvailable() || !HandleAllocated()) {
    TMemo::WndProc(message);
    return;
  }
  // The system bars keep their ranges for the editor's bars but are not
  // painted: the styles are off while the frame is drawn.
  const HWND window = Handle();
  const auto bar_styles = static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL);
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~bar_styles);
  TMemo::WndProc(message);
  LONG_PTR wanted = 0;
  const TScrollStyle bars = ScrollBars();
  if (bars == ssHorizontal || bars == ssBoth)
    wanted |= WS_HSCROLL;
  if (bars == ssVertical || bars == ssBoth)
    wanted |= WS_VSCROLL;
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | wanted);
  if (bars != ssBoth)
    return;
  const TRect corner = ScrollBarCorner();
  TlxCustomMemo* editor = Editor();
  if (corner.IsEmpty() || editor == nullptr)
    return;
  const HDC dc = GetWindowDC(window);
  if (dc == nullptr)
    return;
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(editor->GetPainter()->GetDefaultSizeGripAreaColor()));
  const RECT area = corner;
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
}
