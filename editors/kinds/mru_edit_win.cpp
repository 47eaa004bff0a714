#include "editors/kinds/mru_edit_win.h"

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/filter_edit_helper.h"
#include "editors/text_edit_control_win.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/module_start_count.h"

// --- TlxCustomMRUEditProperties ---------------------------------------------------------------------

TlxCustomMRUEditProperties::TlxCustomMRUEditProperties(TPersistent* owner) : TlxCustomComboBoxProperties(owner) {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxEditButton* ellipsis = Buttons()->AddButton();
  ellipsis->SetKind(bkEllipsis);
  ellipsis->SetDefault(true);
  SetGlyphButtonIndex(kEllipsisButton);
  SetDropDownListStyle(lsEditList);
  SetImmediateDropDown(true);
  SetDropDownRows(8);
  SetClickKey(16397);  // Ctrl+Enter
  SetMRUMode(true);
}

void TlxCustomMRUEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomMRUEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomComboBoxProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomComboBoxProperties::Assign(source);
  SetMaxItemCount(other->max_item_count_);
  SetShowEllipsis(other->show_ellipsis_);
  OnButtonClick = other->OnButtonClick;
  OnDeleteLookupItem = other->OnDeleteLookupItem;
}

void TlxCustomMRUEditProperties::Changed() {
  UpdateButtonKinds();
  TlxCustomComboBoxProperties::Changed();
}

void TlxCustomMRUEditProperties::UpdateButtonKinds() {
  // Setting a kind notifies again; the second round has nothing to do.
  if (updating_buttons_ || Buttons()->Count() <= kEllipsisButton)
    return;
  TStateScope<bool> updating(updating_buttons_, true);
  const int32_t glyph_index = GlyphButtonIndex();
  for (int32_t index : {0, kEllipsisButton}) {
    TlxEditButton* button = Buttons()->GetButton(index);
    TlxEditButtonKind kind = index == kEllipsisButton ? bkEllipsis : bkDown;
    if (index == glyph_index && HasUsableGlyph())
      kind = bkGlyph;
    if (button->Kind() != kind)
      button->SetKind(kind);
  }
  TlxEditButton* ellipsis = Buttons()->GetButton(kEllipsisButton);
  if (ellipsis->Visible() != show_ellipsis_)
    ellipsis->SetVisible(show_ellipsis_);
}

const TClass* TlxCustomMRUEditProperties::GetEditControlClass() const { return &TlxMRUEdit::kClass; }

void TlxCustomMRUEditProperties::PropagateTo(TlxCustomEditProperties* properties) const {
  if (auto* other = dynamic_cast<TlxCustomMRUEditProperties*>(properties))
    other->SetLookupItems(LookupItems());
}

void TlxCustomMRUEditProperties::DoNewLookupDisplayText(const std::string& text) {
  if (OnNewLookupDisplayText)
    OnNewLookupDisplayText(this, text);
}

TlxMRUListEvents TlxCustomMRUEditProperties::ListEvents() {
  TlxMRUListEvents events;
  events.OnNewText = [this](const std::string& text) { DoNewLookupDisplayText(text); };
  events.OnDeleteItem = [this](int32_t index) {
    if (OnDeleteLookupItem)
      OnDeleteLookupItem(this, index);
  };
  return events;
}

void TlxCustomMRUEditProperties::AddItem(const std::string& text, bool fire_new) {
  lxMRUAddItem(*LookupItems(), text, max_item_count_, fire_new, ListEvents());
}

void TlxCustomMRUEditProperties::SetMaxItemCount(int32_t value) {
  value = std::max(value, 0);
  if (value == max_item_count_)
    return;
  max_item_count_ = value;
  lxMRUApplyLimit(*LookupItems(), max_item_count_, ListEvents());
  Changed();
}

void TlxCustomMRUEditProperties::SetShowEllipsis(bool value) {
  if (value == show_ellipsis_)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  show_ellipsis_ = value;
  SetGlyphButtonIndex(value ? kEllipsisButton : 0);
  Changed();
}

void TlxMRUEditProperties::Publish(TPropertyListBuilder& properties) {
  TlxComboBoxProperties::Publish(properties);
  using P = TlxCustomMRUEditProperties;
  auto p = properties.For<P>();
  p.Integer("MaxItemCount", &P::MaxItemCount, &P::SetMaxItemCount, 0);
  p.Boolean("ShowEllipsis", &P::ShowEllipsis, &P::SetShowEllipsis, true);
}

// --- TlxCustomMRUEdit -------------------------------------------------------------------------------

TlxCustomMRUEdit::TlxCustomMRUEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomComboBox(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomMRUEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no MRU editor properties class");
}

void TlxCustomMRUEdit::AddItemText(const std::string& text) {
  if (text.empty())
    return;
  TlxCustomMRUEditProperties* properties = ActiveMRUProperties();
  if (properties->LookupItems()->IndexOf(text) < 0) {
    const TAliveToken alive = AliveToken();
    DoNewLookupDisplayText(text);
    if (!alive.Alive())
      return;
  }
  properties->AddItem(text, false);
}

void TlxCustomMRUEdit::FireButtonClick(int32_t button_index) {
  if (button_index != TlxCustomMRUEditProperties::kEllipsisButton)
    return;
  const TAliveToken alive = AliveToken();
  if (auto* own = dynamic_cast<TlxCustomMRUEditProperties*>(Properties()); own != nullptr && own->OnButtonClick)
    own->OnButtonClick(this);
  if (!alive.Alive() || RepositoryItem() == nullptr)
    return;
  if (auto* item = dynamic_cast<TlxCustomMRUEditProperties*>(RepositoryItem()->Properties());
      item != nullptr && item->OnButtonClick)
    item->OnButtonClick(this);
}

void TlxCustomMRUEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_RETURN && !shift.Contains(ssAlt)) {
    // Enter on an item of the open list is the combo box's selection.
    const bool list_choice = GetDroppedDown() && GetLookupData() != nullptr && GetLookupData()->ItemIndex() >= 0;
    if (!list_choice)
      AddItemText(Text());
  }
  TlxCustomComboBox::ProcessEditKeyDown(key, shift);
}

void TlxCustomMRUEdit::ApplyLookupSelection(TObject* sender) {
  const bool own_lookup = LookupChanging();
  TlxCustomComboBox::ApplyLookupSelection(sender);
  if (!own_lookup && TryStartEditing())
    AddItemText(Text());
}

void TlxCustomMRUEdit::CloseUp(int32_t reason) {
  const bool was_open = GetDroppedDown();
  const TAliveToken alive = AliveToken();
  TlxCustomComboBox::CloseUp(reason);
  if (!alive.Alive() || !was_open || !lxCloseUpReasonAccepts(reason))
    return;
  if (GetLookupData() != nullptr && GetLookupData()->ItemIndex() >= 0 && TryStartEditing())
    AddItemText(Text());
}

void TlxCustomMRUEdit::CommitDisplayValue(const Variant& display_value) {
  AddItemText(VarToStrDef(display_value, ""));
  TlxCustomComboBox::CommitDisplayValue(display_value);
}

void TlxMRUEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxMRUEdit>();
  p.Persistent("Properties", TlxMRUEditProperties::kClass, &TlxMRUEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxMRUEdit::BeepOnEnter, &TlxMRUEdit::SetBeepOnEnter, true);
}

// --- module ------------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& MRUEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxMRUEditModuleStart() {
  MRUEditModule().Start([] {
    RegisterStreamableClasses({&TlxMRUEditProperties::kClass, &TlxMRUEdit::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxMRUEditProperties::kClass,
                                             lxEditResString(slxSEditRepositoryMRUItem));
    lxGetFilterEditsController().RegisterHelper(&TlxMRUEditProperties::kClass,
                                                &StatelessInstance<TlxFilterTextEditHelper>());
  });
}

void lxMRUEditModuleEnd() {
  MRUEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxMRUEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterTextEditHelper>());
  });
}
