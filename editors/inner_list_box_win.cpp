#include "editors/inner_list_box_win.h"

#include <algorithm>

#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;

// Drops the last character of a UTF-8 text, all of its bytes.
void DropLastCharacter(std::string& text) {
  while (!text.empty()) {
    const auto byte = static_cast<uint8_t>(text.back());
    text.pop_back();
    if ((byte & 0xC0) != 0x80)
      return;
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

void lxHideNewScrollBar(TlxScrollBar* bar) {
  bar->SetSmallChange(1);
  bar->SetVisible(false);
}

int32_t lxFindListItemByPrefix(TCustomListBox* list_box, const std::string& text) {
  if (list_box->IsVirtual())
    return list_box->DoFindData(text);
  if (!list_box->HandleAllocated() && list_box->Count() == 0)
    return -1;
  const std::u16string wide = Utf8ToUtf16(text);
  const LRESULT found = SendMessageW(list_box->Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(wide.c_str()));
  return found == LB_ERR ? -1 : static_cast<int32_t>(found);
}

TlxCustomInnerListBox::TlxCustomInnerListBox(TComponent* owner) : TListBox(owner) {
  lx_canvas_ = std::make_unique<TlxCanvas>(Canvas());
  h_scroll_bar_ = CreateScrollBar(sbHorizontal);
  v_scroll_bar_ = CreateScrollBar(sbVertical);
  look_and_feel_ = std::make_unique<TlxLookAndFeel>(this);
  look_and_feel_->OnChanged = [this](TlxLookAndFeel*, TlxLookAndFeelValues) { HandleLookAndFeelChange(); };
  h_scroll_bar_->LookAndFeel().SetMaster(look_and_feel_.get());
  v_scroll_bar_->LookAndFeel().SetMaster(look_and_feel_.get());
  ControlStyle().Include(csDoubleClicks);
  ControlStyle().Exclude(csOpaque);
  SetParentColor(false);
  SetParentFont(true);
}

TlxCustomInnerListBox::~TlxCustomInnerListBox() {
  // The bars follow this look-and-feel; they go first.
  Destroying();
  DestroyComponents();
  h_scroll_bar_ = nullptr;
  v_scroll_bar_ = nullptr;
}

TlxScrollBar* TlxCustomInnerListBox::CreateScrollBar(TScrollBarKind kind) {
  auto* bar = new TlxScrollBar(this);
  bar->SetKind(kind);
  bar->FreeNotification(this);
  if (kind == sbHorizontal)
    bar->OnScroll = [this](TObject*, TScrollCode code, int32_t& position) { HandleHScroll(code, position); };
  else
    bar->OnScroll = [this](TObject*, TScrollCode code, int32_t& position) { HandleVScroll(code, position); };
  lxHideNewScrollBar(bar);
  return bar;
}

void TlxCustomInnerListBox::Notification(TComponent* component, TOperation operation) {
  TListBox::Notification(component, operation);
  if (operation != opRemove)
    return;
  if (component == h_scroll_bar_)
    h_scroll_bar_ = nullptr;
  if (component == v_scroll_bar_)
    v_scroll_bar_ = nullptr;
}

void TlxCustomInnerListBox::CreateParams(TCreateParams& params) {
  TListBox::CreateParams(params);
  // The container draws the border.
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TlxCustomInnerListBox::DestroyWindowHandle() {
  redraw_locked_ = false;
  TListBox::DestroyWindowHandle();
}

void TlxCustomInnerListBox::HandleLookAndFeelChange() {
  if (HandleAllocated())
    Invalidate();
}

// --- scroll bars ---------------------------------------------------------------------

bool TlxCustomInnerListBox::BothBarsVisible() const {
  return h_scroll_bar_ != nullptr && v_scroll_bar_ != nullptr && h_scroll_bar_->Visible() &&
         v_scroll_bar_->Visible();
}

void TlxCustomInnerListBox::SyncScrollBars() {
  if (IsBeingDestroyed() || scroll_bars_lock_ > 0 || !lxIsScrollBarInfoAvailable() || redraw_locked_)
    return;
  TStateScope<bool> calculating(calculating_scroll_bars_, true);
  if (h_scroll_bar_ != nullptr)
    SyncOneScrollBarParams(h_scroll_bar_);
  if (v_scroll_bar_ != nullptr)
    SyncOneScrollBarParams(v_scroll_bar_);
}

void TlxCustomInnerListBox::SyncOneScrollBarParams(TlxScrollBar* bar) {
  SyncOneScrollBar(bar);
  if (!bar->Visible() || !HandleAllocated())
    return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(WindowHandle(), bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &info);
  const int32_t page = std::min(static_cast<int32_t>(info.nPage), info.nMax);
  bar->ApplyScrollParams(info.nMin, std::max(info.nMax, info.nMin), info.nPos, std::max(page, 0), true);
}

void TlxCustomInnerListBox::SyncOneScrollBar(TlxScrollBar* bar) {
  bool shown = false;
  SCROLLBARINFO info{};
  const LONG object = bar->Kind() == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
  if (Parent() != nullptr && HandleAllocated() && lxGetScrollBarInfo(WindowHandle(), object, info) &&
      (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0) {
    shown = true;
    // A bar without a parent yet stays disabled until the next run.
    bar->SetEnabled((info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && bar->Parent() != nullptr &&
                    bar->Parent()->Enabled());
    const TPoint top_left = Parent()->ScreenToClient(TPoint(info.rcScrollBar.left, info.rcScrollBar.top));
    const int32_t width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int32_t height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    if (top_left.X < 0 || top_left.Y < 0 || width > Width() || height > Height())
      shown = false;
    else
      bar->SetBounds(top_left.X, top_left.Y, width, height);
  }
  if (shown) {
    {
      TStateScope<int32_t> locked(scroll_bars_lock_, scroll_bars_lock_ + 1);
      bar->SetParent(Parent());
    }
    bar->SetCtl3D(false);
    bar->BringToFront();
  } else {
    bar->SetBounds(0, 0, 0, 0);
  }
  bar->SetVisible(shown);
}

void TlxCustomInnerListBox::HandleHScroll(TScrollCode code, int32_t& position) {
  if (h_scroll_bar_ == nullptr || !h_scroll_bar_->HandleAllocated() || !HandleAllocated())
    return;
  TMessage message{WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(h_scroll_bar_->Handle()), 0};
  TListBox::DefaultHandler(message);
  position = GetScrollPos(WindowHandle(), SB_HORZ);
}

void TlxCustomInnerListBox::HandleVScroll(TScrollCode code, int32_t& position) {
  if (v_scroll_bar_ == nullptr || !v_scroll_bar_->HandleAllocated() || !HandleAllocated())
    return;
  switch (code) {
    case scLineUp:
    case scLineDown:
      SetTopIndex(position);
      return;
    case scPosition:
    case scTrack:
      SetTopIndex(position);
      break;
    default: {
      TMessage message{WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(v_scroll_bar_->Handle()),
                       0};
      TListBox::DefaultHandler(message);
      break;
    }
  }
  position = GetScrollPos(WindowHandle(), SB_VERT);
}

TRect TlxCustomInnerListBox::GetSizeGripRect() {
  if (!BothBarsVisible() || Parent() == nullptr || !HandleAllocated())
    return TRect();
  const TPoint corner = Parent()->ClientToScreen(TPoint(v_scroll_bar_->Left(), h_scroll_bar_->Top()));
  RECT window{};
  GetWindowRect(WindowHandle(), &window);
  const int32_t left = corner.X - window.left;
  const int32_t top = corner.Y - window.top;
  return TRect(left, top, left + v_scroll_bar_->Width(), top + h_scroll_bar_->Height());
}

void TlxCustomInnerListBox::PaintSizeGrip(HDC dc) {
  if (!lxIsScrollBarInfoAvailable() || !BothBarsVisible())
    return;
  const TColor color = container_ != nullptr
                           ? container_->LookAndFeel().CurrentPainter()->GetDefaultSizeGripAreaColor()
                           : clBtnFace;
  TOwnedBrush brush(CreateSolidBrush(ColorToColorRef(color)));
  const TRect grip = GetSizeGripRect();
  const RECT rect{grip.Left, grip.Top, grip.Right, grip.Bottom};
  FillRect(dc, &rect, brush.Get());
}

void TlxCustomInnerListBox::SendSizeGripPaint() {
  const TRect grip = GetSizeGripRect();
  TOwnedRegion region(CreateRectRgn(grip.Left, grip.Top, grip.Right, grip.Bottom));
  SendMessageW(WindowHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region.Get()), 0);
}

// --- input handed to the container --------------------------------------------------

void TlxCustomInnerListBox::Click() {
  const TAliveToken alive = AliveToken();
  TListBox::Click();
  if (!alive.Alive())
    return;
  if (v_scroll_bar_ != nullptr && v_scroll_bar_->Visible())
    v_scroll_bar_->SetPosition(TopIndex());
  if (container_ != nullptr)
    container_->Click();
}

void TlxCustomInnerListBox::DblClick() {
  const TAliveToken alive = AliveToken();
  TListBox::DblClick();
  if (alive.Alive() && container_ != nullptr)
    container_->DblClick();
}

void TlxCustomInnerListBox::KeyDown(uint16_t& key, TShiftState shift) {
  if (container_ != nullptr)
    container_->KeyDown(key, shift);
  if (key != 0)
    TListBox::KeyDown(key, shift);
}

void TlxCustomInnerListBox::KeyPress(char16_t& key) {
  if (key == u'\t')
    key = 0;
  if (key != 0 && container_ != nullptr)
    container_->KeyPress(key);
  if (key == kEnter)
    key = 0;
  if (key == 0)
    return;
  // The toolkit list box's own search stays out: this one replaces it.
  TWinControl::KeyPress(key);
  if (key != 0)
    HandleAutoCompleteKey(key);
}

void TlxCustomInnerListBox::KeyUp(uint16_t& key, TShiftState shift) {
  if (key == VK_TAB)
    key = 0;
  if (container_ != nullptr)
    container_->KeyUp(key, shift);
  if (key != 0)
    TListBox::KeyUp(key, shift);
}

void TlxCustomInnerListBox::HandleAutoCompleteKey(char16_t& key) {
  if (!AutoComplete())
    return;
  const uint32_t now = GetTickCount();
  if (now - previous_key_time_ >= auto_complete_delay_)
    search_text_.clear();
  previous_key_time_ = now;
  if (key == kBackspace) {
    DropLastCharacter(search_text_);
  } else if (IsHighSurrogate(key)) {
    // The other half of the character waits in the queue.
    MSG next;
    if (HandleAllocated() && PeekMessageW(&next, WindowHandle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
      const std::u16string pair{key, static_cast<char16_t>(next.wParam)};
      search_text_ += Utf16ToUtf8(pair);
    }
    key = 0;
  } else {
    search_text_ += Utf16ToUtf8(std::u16string(1, key));
  }
  if (search_text_.empty()) {
    SetItemIndex(0);
    Click();
    return;
  }
  const int32_t found = lxFindListItemByPrefix(this, search_text_);
  if (found >= 0) {
    if (MultiSelect() && HandleAllocated() && Count() > 0) {
      Send(LB_SELITEMRANGE, FALSE, MAKELPARAM(0, Count() - 1));
      Send(LB_SELITEMRANGE, TRUE, MAKELPARAM(found, found));
    }
    SetItemIndex(found);
    const TAliveToken alive = AliveToken();
    Click();
    if (!alive.Alive())
      return;
  }
  // The system's own search must not run after this one.
  if (key != kBackspace && key != kEnter && key != kEscape)
    key = 0;
}

void TlxCustomInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TListBox::MouseDown(button, shift, x, y);
  if (alive.Alive() && container_ != nullptr)
    static_cast<TControl*>(container_)->MouseDown(button, shift, x + Left(), y + Top());
}

void TlxCustomInnerListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TListBox::MouseMove(shift, x, y);
  if (alive.Alive() && container_ != nullptr)
    static_cast<TControl*>(container_)->MouseMove(shift, x + Left(), y + Top());
}

void TlxCustomInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TListBox::MouseUp(button, shift, x, y);
  if (alive.Alive() && container_ != nullptr)
    static_cast<TControl*>(container_)->MouseUp(button, shift, x + Left(), y + Top());
}

bool TlxCustomInnerListBox::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  if (container_ != nullptr && container_->DoMouseWheel(shift, wheel_delta, mouse_pos))
    return true;
  return TListBox::DoMouseWheel(shift, wheel_delta, mouse_pos);
}

void TlxCustomInnerListBox::DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
  accept = false;
  if (container_ != nullptr)
    container_->DragOver(source, x + Left(), y + Top(), state, accept);
}

void TlxCustomInnerListBox::DragDrop(TObject* source, int32_t x, int32_t y) {
  if (container_ != nullptr)
    container_->DragDrop(source, x + Left(), y + Top());
}

// --- messages ---------------------------------------------------------------------------

void TlxCustomInnerListBox::DefaultHandler(TMessage& message) {
  if (container_ != nullptr && container_->PreprocessInnerControlMessage(message))
    return;
  TListBox::DefaultHandler(message);
}

bool TlxCustomInnerListBox::SyncsScrollBarsAfter(const TMessage& message) const {
  switch (message.Msg) {
    case WM_SETREDRAW:
      return message.WParam != 0;
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX:
    case LB_SETCARETINDEX:
    case LB_SETCOUNT:
    case WM_MOUSEWHEEL:
    case CM_WININICHANGE:
      return true;
    default:
      return false;
  }
}

void TlxCustomInnerListBox::WndProc(TMessage& message) {
  if (container_ != nullptr && container_->HandleInnerControlKey(message))
    return;
  const TAliveToken alive = AliveToken();
  switch (message.Msg) {
    case WM_GETDLGCODE:
      TListBox::WndProc(message);
      if (container_ != nullptr) {
        message.Result |= DLGC_WANTCHARS;
        if (GetKeyState(VK_CONTROL) >= 0)
          message.Result |= DLGC_WANTTAB;
      }
      return;
    case WM_SETFOCUS:
      TListBox::WndProc(message);
      if (alive.Alive() && container_ != nullptr && !container_->IsBeingDestroyed() && !IsBeingDestroyed() &&
          reinterpret_cast<HWND>(message.WParam) != container_->WindowHandle())
        container_->RefreshViewNow();
      return;
    case WM_KILLFOCUS:
      TListBox::WndProc(message);
      if (alive.Alive() && container_ != nullptr && !container_->IsBeingDestroyed())
        container_->RefreshViewNow();
      return;
    case WM_LBUTTONDOWN:
      HandleLeftButtonDown(message);
      return;
    case WM_NCCALCSIZE:
      TListBox::WndProc(message);
      if (alive.Alive() && !calculating_scroll_bars_)
        SyncScrollBars();
      return;
    case WM_NCPAINT:
      TListBox::WndProc(message);
      if (alive.Alive() && lxIsScrollBarInfoAvailable() && BothBarsVisible()) {
        TWindowDC dc(WindowHandle());
        PaintSizeGrip(dc.Handle());
      }
      return;
    case WM_PRINT:
      if (lxIsScrollBarInfoAvailable() && (message.LParam & PRF_NONCLIENT) != 0) {
        message.LParam &= ~static_cast<LPARAM>(PRF_NONCLIENT);
        PaintSizeGrip(reinterpret_cast<HDC>(message.WParam));
      }
      TListBox::DefaultHandler(message);
      return;
    case WM_PRINTCLIENT:
      TListBox::DefaultHandler(message);
      return;
    case WM_SETREDRAW:
      TListBox::DefaultHandler(message);
      redraw_locked_ = message.WParam == 0;
      if (message.WParam != 0 && !IsBeingDestroyed())
        SyncScrollBars();
      return;
    case WM_WINDOWPOSCHANGED:
      TListBox::WndProc(message);
      if (alive.Alive() && !IsBeingDestroyed() && BothBarsVisible())
        SendSizeGripPaint();
      if (alive.Alive())
        SyncScrollBars();
      return;
    case CM_MOUSELEAVE:
      TListBox::WndProc(message);
      if (alive.Alive() && container_ != nullptr)
        container_->RefreshFromCursor(true);
      return;
    default:
      break;
  }
  TListBox::WndProc(message);
  if (alive.Alive() && SyncsScrollBarsAfter(message))
    SyncScrollBars();
}

void TlxCustomInnerListBox::HandleLeftButtonDown(TMessage& message) {
  const bool automatic = container_ != nullptr && DragMode() == dmAutomatic && !container_->IsDesigning();
  if (!automatic) {
    TListBox::WndProc(message);
    return;
  }
  const TDragMode saved = DragMode();
  SetDragMode(dmManual);
  const TAliveToken alive = AliveToken();
  TScopeExit restore([&] {
    if (alive.Alive())
      SetDragMode(saved);
  });
  const WPARAM keys = message.WParam;
  const bool shift = (keys & MK_SHIFT) != 0;
  const bool control = (keys & MK_CONTROL) != 0;
  const TPoint point(static_cast<int16_t>(LOWORD(message.LParam)), static_cast<int16_t>(HIWORD(message.LParam)));
  const int32_t index = ItemAtPos(point, true);
  // Pressing on a selected item of a multi-select list drags the whole
  // selection as it is.
  if (MultiSelect() && (!shift || control) && index >= 0 && Selected(index)) {
    container_->BeginDrag(false, -1);
    return;
  }
  TListBox::WndProc(message);
  if (alive.Alive() && !(MultiSelect() && (shift || control)))
    container_->BeginDrag(false, -1);
}

void TlxCustomInnerListBox::Dispatch(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    DrawListItem(message);
    return;
  }
  TListBox::Dispatch(message);
}

void TlxCustomInnerListBox::DrawListItem(TMessage& message) {
  message.Result = 1;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item == nullptr)
    return;
  const TOwnerDrawState state = OwnerDrawStateOf(item->itemState);
  TSavedDCState saved(item->hDC);
  TCanvasHandleScope drawing(static_cast<TControlCanvas&>(Canvas()), item->hDC);
  Canvas().SetFont(Font());
  Canvas().SetBrush(Brush());
  const TRect rect(item->rcItem);
  const auto index = static_cast<int32_t>(item->itemID);
  if (index >= 0 && state.Contains(odSelected)) {
    Canvas().Brush().SetColor(clHighlight);
    Canvas().Font().SetColor(clHighlightText);
  }
  if (index < 0) {
    Canvas().FillRect(rect);
  } else {
    DrawItem(index, rect, state);
  }
  if (state.Contains(odFocused) && NeedsFocusRect())
    Canvas().DrawFocusRect(rect);
}
