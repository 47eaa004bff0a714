#include "editors/kinds/filter_control_dialog_win.h"

#include <memory>

#include "editors/filter_control_strings.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/filter_control_win.h"
#include "editors/kinds/filter_painter_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/format.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/file_dialogs.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

constexpr int32_t kMinWidth = 560;
constexpr int32_t kMinHeight = 165;

TlxButton* MakeButton(TWinControl& parent, TComponent& owner, int32_t left, int32_t tab_order) {
  auto* button = new TlxButton(&owner);
  button->SetParent(&parent);
  button->SetBounds(left, 8, 100, 23);
  button->SetTabOrder(tab_order);
  return button;
}

TPanel* MakePanel(TWinControl& parent, TComponent& owner, TAlign align, int32_t width, int32_t height) {
  auto* panel = new TPanel(&owner);
  panel->SetParent(&parent);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, width, height);
  panel->SetAlign(align);
  return panel;
}

}  // namespace

TlxFilterControlDialogBounds& lxFilterControlDialogBounds() {
  static TlxFilterControlDialogBounds bounds;
  return bounds;
}

TfmFilterControlDialog::TfmFilterControlDialog(TComponent* owner) : TForm(owner) { BuildControls(); }

TfmFilterControlDialog::~TfmFilterControlDialog() {
  delete filter_control_;
  filter_control_ = nullptr;
}

void TfmFilterControlDialog::BuildControls() {
  SetBorderIcons({biSystemMenu});
  SetKeyPreview(true);
  SetPosition(poDefault);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(552, 316);
  pnl_bottom_ = MakePanel(*this, *this, alBottom, 552, 38);
  bt_open_ = MakeButton(*pnl_bottom_, *this, 6, 0);
  bt_open_->SetHint("Open|Opens an existing filter");
  bt_save_ = MakeButton(*pnl_bottom_, *this, 112, 1);
  bt_save_->SetHint("Save As|Saves the active filter with a new name");
  pnl_bottom_right_ = MakePanel(*pnl_bottom_, *this, alRight, 318, 38);
  bt_ok_ = MakeButton(*pnl_bottom_right_, *this, 0, 0);
  bt_ok_->SetModalResult(mrOk);
  bt_cancel_ = MakeButton(*pnl_bottom_right_, *this, 106, 1);
  bt_cancel_->SetModalResult(mrCancel);
  bt_cancel_->SetCancel(true);
  bt_apply_ = MakeButton(*pnl_bottom_right_, *this, 212, 2);
  open_dialog_ = new TOpenDialog(this);
  save_dialog_ = new TSaveDialog(this);
  save_dialog_->SetOptions({ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});
  bt_open_->OnClick = [this](TObject*) { AcOpenExecute(); };
  bt_save_->OnClick = [this](TObject*) { AcSaveExecute(); };
  bt_ok_->OnClick = [this](TObject*) { AcOkExecute(); };
  bt_apply_->OnClick = [this](TObject*) { AcApplyExecute(); };
  OnKeyDown = [this](TObject*, uint16_t&, TShiftState) { FormKeyDown(); };
  OnKeyPress = [this](TObject*, char16_t& key) { FormKeyPress(key); };
  OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
}

void TfmFilterControlDialog::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style |= WS_POPUP;
}

void TfmFilterControlDialog::WndProc(TMessage& message) {
  TForm::WndProc(message);
  if (message.Msg != WM_GETMINMAXINFO)
    return;
  auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
  info->ptMinTrackSize.x = kMinWidth;
  info->ptMinTrackSize.y = kMinHeight;
}

void TfmFilterControlDialog::InitDialog(TlxCustomFilterControl* filter_control, const std::string& initial_dir) {
  filter_control_ = filter_control;
  SetFileName(lxFilterControlResString(lxSFilterControlDialogNewFile));
  const std::string default_ext = lxFilterControlResString(lxSFilterControlDialogFileExt);
  const std::string filter = lxFilterControlResString(lxSFilterControlDialogFileFilter);
  open_dialog_->SetInitialDir(initial_dir);
  open_dialog_->SetTitle(lxFilterControlResString(lxSFilterControlDialogOpenDialogCaption));
  open_dialog_->SetDefaultExt(default_ext);
  open_dialog_->SetFilter(filter);
  save_dialog_->SetInitialDir(initial_dir);
  save_dialog_->SetTitle(lxFilterControlResString(lxSFilterControlDialogSaveDialogCaption));
  save_dialog_->SetDefaultExt(default_ext);
  save_dialog_->SetFilter(filter);
  bt_save_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionSaveCaption));
  bt_open_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionOpenCaption));
  bt_apply_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionApplyCaption));
  bt_ok_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionOkCaption));
  bt_cancel_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionCancelCaption));
  if (filter_control_ != nullptr) {
    filter_control_->SetAlign(alClient);
    filter_control_->SetParent(this);
    // First in the tab order, so the form focuses it when it shows.
    filter_control_->SetTabOrder(0);
  }
  const TlxFilterControlDialogBounds& remembered = lxFilterControlDialogBounds();
  if (remembered.Left == -1 || remembered.Top == -1) {
    SetPosition(poScreenCenter);
  } else {
    SetPosition(poDesigned);
    SetBounds(remembered.Left, remembered.Top, Width(), Height());
  }
  if (remembered.Width > 0)
    SetBounds(Left(), Top(), remembered.Width, Height());
  if (remembered.Height > 0)
    SetBounds(Left(), Top(), Width(), remembered.Height);
}

void TfmFilterControlDialog::SetDialogLookAndFeel(TlxLookAndFeel& look_and_feel) {
  for (TlxButton* button : {bt_ok_, bt_cancel_, bt_apply_, bt_open_, bt_save_})
    button->LookAndFeel().SetMaster(&look_and_feel);
  if (filter_control_ != nullptr)
    filter_control_->LookAndFeel().SetMaster(&look_and_feel);
}

void TfmFilterControlDialog::SetFileName(const std::string& name) {
  save_dialog_->SetFileName(name);
  SetCaption(Format("%s - [%s]", {lxFilterControlResString(lxSFilterControlDialogCaption), name}));
}

bool TfmFilterControlDialog::RunGuarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception&) {
    GetApplication()->HandleException(this);
    return false;
  }
  return true;
}

void TfmFilterControlDialog::AcApplyExecute() {
  if (filter_control_ != nullptr)
    RunGuarded([this] { filter_control_->ApplyFilter(); });
}

void TfmFilterControlDialog::AcOkExecute() {
  // The button set the modal result first; a refused filter keeps the
  // dialog open with the rows as the user left them.
  if (filter_control_ != nullptr && !RunGuarded([this] { filter_control_->ApplyFilter(); }))
    SetModalResult(mrNone);
}

void TfmFilterControlDialog::AcOpenExecute() {
  open_dialog_->SetFileName("");
  if (filter_control_ == nullptr || !open_dialog_->Execute())
    return;
  const std::string file_name = open_dialog_->FileName();
  if (RunGuarded([this, &file_name] { filter_control_->LoadFromFile(file_name); }))
    SetFileName(file_name);
}

void TfmFilterControlDialog::AcSaveExecute() {
  if (filter_control_ == nullptr || !save_dialog_->Execute())
    return;
  const std::string file_name = save_dialog_->FileName();
  if (RunGuarded([this, &file_name] { filter_control_->SaveToFile(file_name); }))
    SetFileName(file_name);
}

void TfmFilterControlDialog::FormKeyDown() {
  TWinControl* active = ActiveControl();
  popup_was_open_ = active != nullptr && lxControlHasOpenPopup(active);
}

void TfmFilterControlDialog::FormKeyPress(char16_t key) {
  if (key == u'\x1b' && !popup_was_open_)
    SetModalResult(mrCancel);
}

void TfmFilterControlDialog::FormClose() {
  TlxFilterControlDialogBounds& remembered = lxFilterControlDialogBounds();
  remembered.Left = Left();
  remembered.Top = Top();
  remembered.Width = Width();
  remembered.Height = Height();
}

bool lxRunFilterBuilderDialog(const TClass& filter_control_class, TComponent* component,
                              TlxLookAndFeel* look_and_feel, TColor color, const TFont* font,
                              const std::string& initial_dir, TNotifyEvent on_show, TNotifyEvent on_apply) {
  if (!filter_control_class.InheritsFrom(&TlxCustomFilterControl::kClass))
    throw EInvalidOperation(std::string(filter_control_class.ClassName()) + " is no filter control class");
  std::unique_ptr<TfmFilterControlDialog> dialog = std::make_unique<TfmFilterControlDialog>(GetApplication());
  auto* filter_control = static_cast<TlxCustomFilterControl*>(filter_control_class.CreateInstance(nullptr));
  std::unique_ptr<TlxCustomFilterControl> pending(filter_control);
  filter_control->SetParent(dialog.get());
  dialog->InitDialog(pending.release(), initial_dir);
  if (look_and_feel != nullptr)
    dialog->SetDialogLookAndFeel(*look_and_feel);
  if (font != nullptr)
    lxScaleFormToFont(dialog.get(), *font);
  if (auto* target = dynamic_cast<IlxFilterControlLinkTarget*>(filter_control))
    target->SetLinkComponent(component);
  if (color != clDefault)
    filter_control->SetColor(color);
  const TColor panel_color = lxFilterSkinColor(filter_control->LookAndFeel(), filter_control->Color());
  dialog->PnlBottom().SetColor(panel_color);
  dialog->PnlBottomRight().SetColor(panel_color);
  filter_control->Builder().OnApplyFilter = std::move(on_apply);
  dialog->OnShow = std::move(on_show);
  return dialog->ShowModal() == mrOk;
}

bool lxShowFilterBuilderDialog(TComponent* component, TlxLookAndFeel* look_and_feel, TColor color, const TFont* font,
                               const std::string& initial_dir, TNotifyEvent on_show, TNotifyEvent on_apply) {
  return lxRunFilterBuilderDialog(TlxFilterControl::kClass, component, look_and_feel, color, font, initial_dir,
                                  std::move(on_show), std::move(on_apply));
}
