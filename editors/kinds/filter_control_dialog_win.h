#pragma once
// TfmFilterControlDialog: the sizeable modal window around a filter
// builder control linked to a component (a grid view), with buttons to
// open and save ".flt" files, apply, accept and cancel.

#include <functional>
#include <string>

#include "platform/toolkit/color.h"
#include "platform/toolkit/form.h"

class TComponent;
class TFont;
class TOpenDialog;
class TPanel;
class TSaveDialog;
class TlxButton;
class TlxCustomFilterControl;
class TlxLookAndFeel;

class TfmFilterControlDialog : public TForm {
 public:
  static constexpr TClass kClass{"TfmFilterControlDialog", &TForm::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TfmFilterControlDialog(TComponent* owner);
  ~TfmFilterControlDialog() override;

  // Takes the filter control (the dialog frees it) and lays it out above
  // the buttons; the file dialogs start in `initial_dir`.
  void InitDialog(TlxCustomFilterControl* filter_control, const std::string& initial_dir);
  void SetDialogLookAndFeel(TlxLookAndFeel& look_and_feel);
  // The file dialogs propose the name; the caption shows it.
  void SetFileName(const std::string& name);

  TlxCustomFilterControl* FilterControl() const { return filter_control_; }
  TPanel& PnlBottom() const { return *pnl_bottom_; }
  TPanel& PnlBottomRight() const { return *pnl_bottom_right_; }
  TlxButton& BtOpen() const { return *bt_open_; }
  TlxButton& BtSave() const { return *bt_save_; }
  TlxButton& BtOk() const { return *bt_ok_; }
  TlxButton& BtCancel() const { return *bt_cancel_; }
  TlxButton& BtApply() const { return *bt_apply_; }
  TOpenDialog& OpenDialog() const { return *open_dialog_; }
  TSaveDialog& SaveDialog() const { return *save_dialog_; }
  bool PopupWasOpen() const { return popup_was_open_; }

  void AcApplyExecute();
  void AcOkExecute();
  void AcOpenExecute();
  void AcSaveExecute();

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  void BuildControls();
  void FormClose();
  void FormKeyDown();
  void FormKeyPress(char16_t key);
  // Runs a filter control action; its error leaves the dialog open and is
  // shown. False when it failed.
  bool RunGuarded(const std::function<void()>& action);

  TPanel* pnl_bottom_ = nullptr;
  TPanel* pnl_bottom_right_ = nullptr;
  TlxButton* bt_open_ = nullptr;
  TlxButton* bt_save_ = nullptr;
  TlxButton* bt_ok_ = nullptr;
  TlxButton* bt_cancel_ = nullptr;
  TlxButton* bt_apply_ = nullptr;
  TOpenDialog* open_dialog_ = nullptr;
  TSaveDialog* save_dialog_ = nullptr;
  TlxCustomFilterControl* filter_control_ = nullptr;
  bool popup_was_open_ = false;
};

// The bounds the dialog had when it was last closed; -1 until then.
struct TlxFilterControlDialogBounds {
  int32_t Left = -1;
  int32_t Top = -1;
  int32_t Width = -1;
  int32_t Height = -1;
};
TlxFilterControlDialogBounds& lxFilterControlDialogBounds();

// Shows the filter builder for `component` (which offers IlxFilterControl)
// modally; true when it was closed with OK. `on_apply` runs during every
// Apply and OK, after the rows went into the component's criteria.
bool lxShowFilterBuilderDialog(TComponent* component, TlxLookAndFeel* look_and_feel = nullptr,
                               TColor color = clDefault, const TFont* font = nullptr,
                               const std::string& initial_dir = {}, TNotifyEvent on_show = nullptr,
                               TNotifyEvent on_apply = nullptr);
// The same with the filter control class to host.
bool lxRunFilterBuilderDialog(const TClass& filter_control_class, TComponent* component,
                              TlxLookAndFeel* look_and_feel, TColor color, const TFont* font,
                              const std::string& initial_dir, TNotifyEvent on_show, TNotifyEvent on_apply);
