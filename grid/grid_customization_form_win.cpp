#include "grid/grid_customization_form_win.h"

#include <algorithm>

#include "grid/grid_control_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_popups_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_strings.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"
#include "tabs/page_control_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/system/lx_timer_win.h"

// --- TlxCustomGridCustomizationForm ---------------------------------------------

TlxCustomGridCustomizationForm::TlxCustomGridCustomizationForm(TlxCustomGridController* controller)
    : TForm(nullptr), controller_(controller) {}

TlxCustomGridCustomizationForm::~TlxCustomGridCustomizationForm() {
  visibility_timer_.reset();
  // Closing the window and switching Customization off are one thing: the
  // controller forgets a form that goes by any other way.
  if (TlxCustomGridController* controller = controller_.Get())
    controller->CustomizationFormDestroyed(this);
}

void TlxCustomGridCustomizationForm::Initialize() {
  SetCaption(lxGridText(slxGridCustomizationFormCaption));
  SetBorderStyle(bsSizeToolWin);
  if (TlxCustomGridView* view = GridView(); view != nullptr && view->Grid() != nullptr)
    SetFont(view->Grid()->Font());
  CalculateConsts();
  CreateControls();
}

TlxCustomGridController* TlxCustomGridCustomizationForm::Controller() const { return controller_.Get(); }

TlxCustomGridView* TlxCustomGridCustomizationForm::GridView() const {
  TlxCustomGridController* controller = Controller();
  return controller != nullptr ? controller->GridView() : nullptr;
}

void TlxCustomGridCustomizationForm::CalculateConsts() {
  Canvas().SetFont(Font());
  offset_ = Canvas().TextHeight("Qq") / 6;
}

void TlxCustomGridCustomizationForm::CreateControls() {
  page_control_ = new TlxPageControl(this);
  page_control_->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  page_control_->SetBoundsRect(GetPageControlBounds());
  page_control_->SetFocusable(false);
  page_control_->SetHotTrack(true);
  if (TlxCustomGridView* view = GridView(); view != nullptr && view->LookAndFeel() != nullptr)
    page_control_->LookAndFeel().SetMaster(view->LookAndFeel());
  page_control_->SetParent(this);
  CreateTabs();
}

TRect TlxCustomGridCustomizationForm::GetContentBounds() {
  TRect rect = ClientRect();
  rect = rect.Inflate(-offset_, -offset_);
  return rect;
}

TlxTabSheet* TlxCustomGridCustomizationForm::CreatePage(const std::string& caption, bool tab_visible) {
  auto* page = new TlxTabSheet(this);
  page->SetCaption(caption);
  page->SetTabVisible(tab_visible);
  page->SetPageControl(page_control_);
  return page;
}

void TlxCustomGridCustomizationForm::ActivatePage(TlxTabSheet* page) {
  if (page != nullptr && page->TabVisible())
    page_control_->SetActivePage(page);
}

void TlxCustomGridCustomizationForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  // A tool window owned by the view's site: it stays above the grid's form
  // and goes with it.
  params.Style |= WS_POPUP;
  TlxCustomGridController* controller = Controller();
  TlxGridSite* site = controller != nullptr ? controller->Site() : nullptr;
  if (site != nullptr && site->HandleAllocated())
    params.WndParent = site->Handle();
}

void TlxCustomGridCustomizationForm::DoShow() {
  TForm::DoShow();
  if (visibility_timer_ != nullptr)
    return;
  visibility_timer_ = std::make_unique<TlxTimer>(nullptr);
  visibility_timer_->SetInterval(kVisibilityCheckInterval);
  visibility_timer_->SetOnTimer([this](TObject* /*sender*/) { CheckVisibility(); });
}

void TlxCustomGridCustomizationForm::DoClose(TCloseAction& action) {
  TForm::DoClose(action);
  action = caFree;
  visibility_timer_.reset();
}

void TlxCustomGridCustomizationForm::CheckVisibility() {
  TStateScope checking(checking_visibility_, true);
  TlxCustomGridController* controller = Controller();
  TlxGridSite* site = controller != nullptr ? controller->Site() : nullptr;
  if (site == nullptr || !HandleAllocated())
    return;
  HWND top = site->HandleAllocated() ? GetAncestor(site->Handle(), GA_ROOT) : nullptr;
  if (top != nullptr && IsIconic(top)) {
    if (IsWindowVisible(Handle()))
      ShowWindow(Handle(), SW_HIDE);
    return;
  }
  if (!site->HandleAllocated() || !IsWindowVisible(site->Handle()) || !controller->GridView()->IsVisible()) {
    controller->SetCustomization(false);
    return;
  }
  if (!IsWindowVisible(Handle()))
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

// --- TlxCustomGridTableCustomizationForm ----------------------------------------

void TlxCustomGridTableCustomizationForm::CreateControls() {
  TlxCustomGridCustomizationForm::CreateControls();
  TObject* made = GetItemsListBoxClass()->CreateInstance(this);
  items_list_box_ = dynamic_cast<TlxCustomGridTableItemsListBox*>(made);
  if (items_list_box_ == nullptr) {
    delete made;
    return;
  }
  items_list_box_->SetAlign(alClient);
  items_list_box_->SetParent(items_page_);
  items_list_box_->RefreshItems();
}

void TlxCustomGridTableCustomizationForm::CreateTabs() {
  TlxCustomGridCustomizationForm::CreateTabs();
  std::string caption;
  GetItemsPageCaption(caption);
  items_page_ = CreatePage(caption, GetItemsPageVisible());
}

void TlxCustomGridTableCustomizationForm::RefreshItems() {
  TlxCustomGridCustomizationForm::RefreshItems();
  if (items_list_box_ != nullptr)
    items_list_box_->RefreshItems();
}

bool TlxCustomGridTableCustomizationForm::GetItemsPageVisible() {
  auto* view = dynamic_cast<TlxCustomGridTableView*>(GridView());
  return view == nullptr || view->OptionsCustomize()->ItemMoving();
}

// --- TlxCustomGridItemsListBox ----------------------------------------------------

TlxCustomGridItemsListBox::TlxCustomGridItemsListBox(TComponent* owner)
    : TlxListBox(owner, lxDataBindingClassOf<TlxCustomDataBinding>(), &TlxCustomGridItemsInnerListBox::kClass) {
  lxInitGridPopupListStyle(*this);
  SetListStyle(lbOwnerDrawFixed);
  SetSorted(true);
}

TlxCustomGridCustomizationForm* TlxCustomGridItemsListBox::Form() const {
  return dynamic_cast<TlxCustomGridCustomizationForm*>(Owner());
}

TlxCustomGridView* TlxCustomGridItemsListBox::GridView() const {
  TlxCustomGridCustomizationForm* form = Form();
  return form != nullptr ? form->GridView() : nullptr;
}

TObject* TlxCustomGridItemsListBox::PressedItem() const {
  auto& inner = static_cast<TlxCustomGridItemsInnerListBox&>(InnerListBox());
  const int32_t index = inner.PressedItemIndex();
  return index >= 0 && index < ItemCount() ? Items().Objects(index) : nullptr;
}

int32_t TlxCustomGridItemsListBox::IndexOfItem(TObject* object) const { return Items().IndexOfObject(object); }

void TlxCustomGridItemsListBox::PaintItemImage(TlxCanvas& canvas, const TRect& rect, TObject* object) {
  const int32_t index = IndexOfItem(object);
  if (index == -1)
    return;
  canvas.SetBrushColor(Color());
  canvas.AssignFont(Font());
  PaintItem(canvas, rect, false, index);
}

void TlxCustomGridItemsListBox::RefreshItems() {
  auto& inner = static_cast<TlxCustomGridItemsInnerListBox&>(InnerListBox());
  inner.UpdateItemHeight();
  const int32_t top = TopIndex();
  const int32_t selected = ItemIndex();
  {
    Items().BeginUpdate();
    TScopeExit end([this] { Items().EndUpdate(); });
    AddItems();
  }
  SetTopIndex(top);
  SetItemIndex(std::min(selected, ItemCount() - 1));
}

bool TlxCustomGridItemsListBox::DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect,
                                           TOwnerDrawState state) {
  const bool focused = state.Contains(odFocused);
  PaintItem(canvas, rect, focused, index);
  if (focused)
    canvas.DrawFocusFrame(rect);
  return true;
}

// --- TlxCustomGridTableItemsListBox -----------------------------------------------

void TlxCustomGridTableItemsListBox::AddTableItems() {
  Clear();
  auto* view = dynamic_cast<TlxCustomGridTableView*>(GridView());
  if (view == nullptr)
    return;
  for (int32_t i = 0; i < view->ItemCount(); ++i) {
    TlxCustomGridTableItem* item = view->Items(i);
    if (!item->CanMove() || !item->VisibleForCustomization() || item->Visible())
      continue;
    const std::string caption = item->AlternateCaption().empty() ? item->Caption() : item->AlternateCaption();
    Items().AddObject(caption, item);
  }
}

// --- TlxCustomGridItemsInnerListBox -----------------------------------------------

TlxCustomGridItemsInnerListBox::TlxCustomGridItemsInnerListBox(TComponent* owner) : TlxInnerListBox(owner) {}

TlxCustomGridItemsListBox* TlxCustomGridItemsInnerListBox::ItemsListBox() const {
  return dynamic_cast<TlxCustomGridItemsListBox*>(Container());
}

void TlxCustomGridItemsInnerListBox::UpdateItemHeight() {
  if (TlxCustomGridItemsListBox* box = ItemsListBox())
    SetItemHeight(box->GetItemHeight());
}

void TlxCustomGridItemsInnerListBox::HandleLookAndFeelChange() {
  TlxInnerListBox::HandleLookAndFeelChange();
  UpdateItemHeight();
}

bool TlxCustomGridItemsInnerListBox::HasBorder() const {
  TlxPainterClass painter = LookAndFeel().CurrentPainter();
  return painter != nullptr && painter->GetBorderSize() > 1;
}

void TlxCustomGridItemsInnerListBox::CreateParams(TCreateParams& params) {
  TlxInnerListBox::CreateParams(params);
  params.Style &= ~WS_BORDER;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (HasBorder())
    params.Style |= WS_BORDER;
  params.WindowClass.style |= CS_HREDRAW;
}

void TlxCustomGridItemsInnerListBox::CreateWnd() {
  TlxInnerListBox::CreateWnd();
  UpdateItemHeight();
}

void TlxCustomGridItemsInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxInnerListBox::MouseDown(button, shift, x, y);
  if (button != mbLeft)
    return;
  pressed_item_index_ = ItemAtPos(TPoint(x, y), true);
  pressed_point_ = TPoint(x, y);
  // The container's own press handling lets the capture go; the list keeps
  // the mouse until the press becomes a drag or ends.
  if (pressed_item_index_ != -1 && HandleAllocated())
    SetCapture(Handle());
}

void TlxCustomGridItemsInnerListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxInnerListBox::MouseMove(shift, x, y);
  if (pressed_item_index_ == -1)
    return;
  const int32_t threshold = std::max(1, GetSystemMetrics(SM_CXDRAG));
  const bool within = std::abs(x - pressed_point_.X) < threshold && std::abs(y - pressed_point_.Y) < threshold;
  if (within && ItemAtPos(TPoint(x, y), true) == pressed_item_index_)
    return;
  StartItemDrag();
}

void TlxCustomGridItemsInnerListBox::StartItemDrag() {
  TScopeExit forget([this] { pressed_item_index_ = -1; });
  TlxCustomGridItemsListBox* box = ItemsListBox();
  TlxCustomGridCustomizationForm* form = box != nullptr ? box->Form() : nullptr;
  TlxCustomGridController* controller = form != nullptr ? form->Controller() : nullptr;
  TlxGridSite* site = controller != nullptr ? controller->Site() : nullptr;
  if (site == nullptr || !site->HandleAllocated())
    return;
  SetItemIndex(pressed_item_index_);
  TlxCustomGridHitTest* hit_test = box->GetDragAndDropHitTest();
  if (hit_test == nullptr || hit_test->DragAndDropObjectClass() == nullptr)
    return;
  const TPoint point = site->ScreenToClient(ClientToScreen(pressed_point_));
  controller->SetDragAndDropObjectClass(hit_test->DragAndDropObjectClass());
  auto* object = dynamic_cast<TlxCustomGridDragAndDropObject*>(&site->EnsureDragAndDropObject());
  if (object == nullptr)
    return;
  object->Init(point, hit_test);
  // The press already passed the list's threshold: the site drags at once.
  static_cast<TlxControl&>(*site).BeginDragAndDrop();
}

void TlxCustomGridItemsInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  pressed_item_index_ = -1;
  TlxInnerListBox::MouseUp(button, shift, x, y);
}

void TlxCustomGridItemsInnerListBox::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_ESCAPE) {
    TlxCustomGridItemsListBox* box = ItemsListBox();
    TlxCustomGridCustomizationForm* form = box != nullptr ? box->Form() : nullptr;
    TlxCustomGridController* controller = form != nullptr ? form->Controller() : nullptr;
    if (controller != nullptr && controller->IsDragging()) {
      controller->Site()->FinishDragAndDrop(false);
      key = 0;
      return;
    }
  }
  TlxInnerListBox::KeyDown(key, shift);
}

void TlxCustomGridItemsInnerListBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CANCELMODE:
      pressed_item_index_ = -1;
      break;
    case WM_NCCALCSIZE:
      if (!HasBorder()) {
        // One pixel of frame on each side, painted as a sunken edge.
        auto* rect = reinterpret_cast<RECT*>(message.LParam);
        InflateRect(rect, -1, -1);
        message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT:
      if (!HasBorder()) {
        PaintFlatFrame();
        message.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TlxInnerListBox::WndProc(message);
}

void TlxCustomGridItemsInnerListBox::PaintFlatFrame() {
  HDC dc = GetWindowDC(Handle());
  if (dc == nullptr)
    return;
  TScopeExit release([this, dc] { ReleaseDC(Handle(), dc); });
  RECT rect;
  GetWindowRect(Handle(), &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
}
