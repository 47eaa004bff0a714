#include "editors/popup_edit_win.h"

#include "editors/edit_error.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/module_start_count.h"

// --- properties ------------------------------------------------------------------------

TlxCustomPopupEditProperties::TlxCustomPopupEditProperties(TPersistent* owner)
    : TlxCustomDropDownEditProperties(owner) {
  SetPopupAutoSize(true);
  SetPopupMinHeight(100);
  SetPopupMinWidth(100);
  SetPopupHeight(200);
  SetPopupWidth(250);
  SetPopupSizeable(true);
}

void TlxCustomPopupEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomPopupEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomDropDownEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomDropDownEditProperties::Assign(source);
  SetPopupControl(other->popup_control_);
}

void TlxCustomPopupEditProperties::ComponentRemoved(TComponent* component) {
  TlxCustomDropDownEditProperties::ComponentRemoved(component);
  if (component != nullptr && component == popup_control_)
    popup_control_ = nullptr;
}

const TClass* TlxCustomPopupEditProperties::GetEditControlClass() const { return &TlxPopupEdit::kClass; }

void TlxCustomPopupEditProperties::SetPopupControl(TControl* value) {
  if (value == popup_control_)
    return;
  if (popup_control_ != nullptr)
    FreeNotificator()->RemoveSender(popup_control_);
  popup_control_ = value;
  if (popup_control_ != nullptr)
    FreeNotificator()->AddSender(popup_control_);
}

TlxPopupEditProperties::TlxPopupEditProperties(TPersistent* owner) : TlxCustomPopupEditProperties(owner) {
  SetImmediateDropDown(true);
  SetImmediatePopup(true);
}

void TlxPopupEditProperties::Publish(TPropertyListBuilder& properties) {
  TlxMaskEditProperties::Publish(properties);
  lxPublishDropDownEditSettings(properties);
  using P = TlxCustomPopupEditProperties;
  auto p = properties.For<P>();
  p.Reference<TControl>("PopupControl", &P::PopupControl, &P::SetPopupControl);
  p.Boolean("ImmediatePopup", &P::ImmediatePopup, &P::SetImmediatePopup, true);
  p.Boolean("PopupAutoSize", &P::PopupAutoSize, &P::SetPopupAutoSize, true);
  p.Integer("PopupHeight", &P::PopupHeight, &P::SetPopupHeight, 200);
  p.Integer("PopupMinHeight", &P::PopupMinHeight, &P::SetPopupMinHeight, 100);
  p.Integer("PopupMinWidth", &P::PopupMinWidth, &P::SetPopupMinWidth, 100);
  p.Boolean("PopupSizeable", &P::PopupSizeable, &P::SetPopupSizeable, true);
  p.Integer("PopupWidth", &P::PopupWidth, &P::SetPopupWidth, 250);
}

// --- editor ----------------------------------------------------------------------------

TlxCustomPopupEdit::TlxCustomPopupEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomDropDownEdit(owner, properties_class) {}

TlxCustomPopupEdit::~TlxCustomPopupEdit() {
  // The hosted control goes home before the popup window (its parent now)
  // is freed with the editor.
  if (PopupWindow() != nullptr && lxIsShownPopup(PopupWindow()))
    RestorePopupControl();
}

void TlxCustomPopupEdit::SetCloseReasonAndClose(int32_t reason) {
  SetCloseUpReason(reason);
  lxPostPopupClose(PopupWindow());
}

bool TlxCustomPopupEdit::CanDropDown() { return PopupEditProperties()->PopupControl() != nullptr; }

void TlxCustomPopupEdit::DoInitPopup() {
  TControl* control = PopupEditProperties()->PopupControl();
  if (control != nullptr) {
    bool circular = control == PopupWindow() || control == this;
    for (TWinControl* parent = Parent(); parent != nullptr && !circular; parent = parent->Parent())
      circular = control == parent;
    if (circular)
      throw ElxEditError(lxEditResString(lxSEditPopupCircularReferencingError));
  }
  TlxCustomDropDownEdit::DoInitPopup();
}

TWinControl* TlxCustomPopupEdit::GetPopupFocusedControl() {
  return dynamic_cast<TWinControl*>(PopupEditProperties()->PopupControl());
}

TSize TlxCustomPopupEdit::CalculatePopupContentSize() {
  TControl* control = PopupEditProperties()->PopupControl();
  return control != nullptr ? TSize{control->Width(), control->Height()} : TSize{0, 0};
}

void TlxCustomPopupEdit::PlacePopupContent(const TRect& client_rect) {
  if (TControl* control = hosted_control_.Get())
    control->SetBounds(client_rect.Left, client_rect.Top, client_rect.Width(), client_rect.Height());
}

void TlxCustomPopupEdit::SavePopupControlState() {
  TControl* control = PopupEditProperties()->PopupControl();
  hosted_control_ = TWeakRef<TControl>(control);
  if (control == nullptr)
    return;
  saved_align_ = control->Align();
  if (auto* form = dynamic_cast<TCustomForm*>(control)) {
    saved_border_style_ = form->BorderStyle();
    form->SetBorderStyle(bsNone);
  }
  saved_bounds_ = control->BoundsRect();
  saved_parent_ = TWeakRef<TWinControl>(control->Parent());
  saved_visible_ = control->Visible();
}

void TlxCustomPopupEdit::PositionPopupWindow() {
  SavePopupControlState();
  // The hosted control may have been freed since the popup was asked for:
  // the popup then opens empty.
  if (TControl* control = hosted_control_.Get()) {
    control->SetParent(PopupWindow());
    control->SetVisible(true);
  }
  TlxCustomDropDownEdit::PositionPopupWindow();
  if (TControl* hosted = hosted_control_.Get())
    hosted->SetAlign(alClient);
}

void TlxCustomPopupEdit::RestorePopupControl() {
  // Exactly the control that was moved goes back, whatever PopupControl
  // says now: one that was changed or cleared while the popup was open
  // would otherwise stay in the popup and die with it.
  TControl* control = hosted_control_.Get();
  hosted_control_ = TWeakRef<TControl>();
  if (control == nullptr)
    return;
  control->SetVisible(false);
  control->SetParent(saved_parent_.Get());
  control->SetAlign(saved_align_);
  if (auto* form = dynamic_cast<TCustomForm*>(control))
    form->SetBorderStyle(saved_border_style_);
  control->SetBoundsRect(saved_bounds_);
  control->SetVisible(saved_visible_);
}

void TlxCustomPopupEdit::PopupWindowClosed(int32_t reason) {
  RestorePopupControl();
  TlxCustomDropDownEdit::PopupWindowClosed(reason);
}

// --- the drop-down module --------------------------------------------------------------

namespace {

constexpr const char* kPopupEditKindText = "PopupEdit|Represents an edit control with a dropdown list";

TlxModuleStartCount& DropDownModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxDropDownEditInitialize() {
  DropDownModule().Start([] {
    lxGetRegisteredEditProperties().AddClass(&TlxPopupEditProperties::kClass, kPopupEditKindText);
  });
}

void lxDropDownEditFinalize() {
  DropDownModule().End([] {});
}
