#include "editors/kinds/hyperlink_edit_win.h"

#include <shellapi.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/system/library_cursors.h"

// --- the style ---------------------------------------------------------------------------

TColor TlxHyperLinkStyle::GetTextColor() const {
  if (DirectAccessMode())
    return TlxEditStyle::GetTextColor();
  auto* edit = dynamic_cast<TlxCustomHyperLinkEdit*>(GetOwnerContainer());
  if (edit == nullptr || edit->Properties() == nullptr || edit->IsBeingDestroyed())
    return clBlue;
  return edit->ActiveLinkProperties()->LinkColor();
}

TFontStyles TlxHyperLinkStyle::GetTextStyle() const {
  TFontStyles styles = TlxEditStyle::GetTextStyle();
  styles.Include(fsUnderline);
  return styles;
}

// --- the view info --------------------------------------------------------------------------

bool TlxHyperLinkEditViewInfo::SingleClick() const {
  const auto* properties = dynamic_cast<const TlxCustomHyperLinkEditProperties*>(Properties);
  return properties != nullptr && properties->SingleClick();
}

bool TlxHyperLinkEditViewInfo::HasHotButton() const {
  return TlxCustomTextEditViewInfo::HasHotButton() || SingleClick();
}

bool TlxHyperLinkEditViewInfo::IsPointOnButton(const TPoint& /*point*/) const { return HasHotButton(); }

void TlxHyperLinkEditViewInfo::DrawText(TlxCanvas& canvas) {
  // An editor's style already gives the link colour and the underline.
  if (OwnedByEditor) {
    lxDrawTextEditText(canvas, *this);
    return;
  }
  if (Text.empty() || Text.front() == '\0')
    return;
  if (Font != nullptr)
    canvas.AssignFont(*Font);
  TFontStyles styles = canvas.Font().Style();
  canvas.Font().SetStyle(styles.Include(fsUnderline));
  const auto* properties = dynamic_cast<const TlxCustomHyperLinkEditProperties*>(Properties);
  const TColor link_color = properties != nullptr ? properties->LinkColor() : clBlue;
  canvas.Font().SetColor(Selected ? TextColor : link_color);
  lxDrawTextEditTextRows(canvas, *this);
}

// --- the editor ----------------------------------------------------------------------------

TlxCustomHyperLinkEdit::TlxCustomHyperLinkEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomTextEdit(owner, properties_class, TlxEditDataBinding::kClass, nullptr,
                        TlxCustomInnerTextEdit::kClass, lxStyleClassOf<TlxHyperLinkStyle>()) {
  if (!properties_class.InheritsFrom(&TlxCustomHyperLinkEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no hyperlink properties class");
  if (auto* info = dynamic_cast<TlxHyperLinkEditViewInfo*>(&GetViewInfo()))
    info->OwnedByEditor = true;
  saved_cursor_ = crDefault;
}

bool TlxCustomHyperLinkEdit::FireStartClick() {
  auto* own = static_cast<TlxCustomHyperLinkEditProperties*>(GetOwnProperties());
  TlxCustomHyperLinkEditProperties* active = ActiveLinkProperties();
  const bool own_assigned = static_cast<bool>(own->OnStartClick);
  const bool item_assigned = RepositoryItem() != nullptr && static_cast<bool>(active->OnStartClick);
  TAliveToken alive = AliveToken();
  if (own_assigned)
    own->OnStartClick(this);
  if (alive.Alive() && item_assigned)
    active->OnStartClick(this);
  return own_assigned || item_assigned;
}

std::string TlxCustomHyperLinkEdit::LinkText() {
  std::string text;
  GetDisplayText(text);
  text = std::string(TrimBlanks(text));
  const TlxCustomHyperLinkEditProperties* properties = ActiveLinkProperties();
  if (properties->UsePrefix() != upNever)
    text = properties->AddPrefix(text);
  return text;
}

void TlxCustomHyperLinkEdit::DoStart() {
  if (FireStartClick())
    return;
  const std::string link = LinkText();
  if (link.empty())
    return;
  // The shell reports failures by a dialog of its own; the result is not
  // the editor's business.
  const std::u16string wide = Utf8ToUtf16(link);
  ShellExecuteW(nullptr, L"OPEN", reinterpret_cast<const wchar_t*>(wide.c_str()), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void TlxCustomHyperLinkEdit::HandleKeyDown(uint16_t& key, TShiftState shift) {
  const TShortCut pressed = ShortCut(key, shift);
  if (pressed != 0 && pressed == ActiveLinkProperties()->StartKey()) {
    DoStart();
    key = 0;
    return;
  }
  TlxCustomTextEdit::HandleKeyDown(key, shift);
}

void TlxCustomHyperLinkEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit::MouseDown(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft || !shift.Contains(ssDouble) || !IsInClientRect(x, y))
    return;
  if (!ActiveLinkProperties()->SingleClick())
    DoStart();
}

void TlxCustomHyperLinkEdit::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit::MouseUp(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft || !IsInClientRect(x, y))
    return;
  // A drag that selected text is no click on the link.
  if (ActiveLinkProperties()->SingleClick() && GetSelLength() == 0)
    DoStart();
}

void TlxCustomHyperLinkEdit::SetLinkCursor(TCursor cursor) {
  if (IlxInnerTextEdit* inner = GetInnerTextEdit())
    inner->GetControl()->SetCursor(cursor);
  SetCursor(cursor);
  ::SetCursor(Screen->Cursors(cursor));
}

void TlxCustomHyperLinkEdit::ShowLinkCursor() {
  if (!ActiveLinkProperties()->SingleClick() || Cursor() != crDefault)
    return;
  saved_cursor_ = Cursor();
  SetLinkCursor(lxHandCursor);
}

void TlxCustomHyperLinkEdit::DoMouseEnter(TControl* control) {
  TlxCustomTextEdit::DoMouseEnter(control);
  ShowLinkCursor();
}

void TlxCustomHyperLinkEdit::DoMouseLeave(TControl* control) {
  TlxCustomTextEdit::DoMouseLeave(control);
  if (ActiveLinkProperties()->SingleClick())
    SetLinkCursor(saved_cursor_);
}

void TlxCustomHyperLinkEdit::ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                                             std::unique_ptr<TlxCustomEditData>& edit_data) {
  if (IsInplace())
    ShowLinkCursor();
  TlxCustomTextEdit::ActivateByMouse(shift, x, y, edit_data);
}

void TlxCustomHyperLinkEdit::SelectAll() {
  // In place a single click opens the link: selecting would swallow it.
  if (IsInplace() && ActiveLinkProperties()->SingleClick())
    return;
  TlxCustomTextEdit::SelectAll();
}

void TlxCustomHyperLinkEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  TlxCustomTextEdit::PropertiesChanged(properties);
  // A new link colour shows at once.
  if (!IsBeingDestroyed())
    HandleStyleChange(GetStyle());
}

void TlxHyperLinkEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxHyperLinkEdit>();
  p.Persistent("Properties", TlxHyperLinkEditProperties::kClass, &TlxHyperLinkEdit::GetProperties);
}
