#pragma once
// Buttons over the system's BUTTON control: TButton (push button, with the
// form's default and cancel roles and a modal result), TCheckBox (two or
// three states) and TRadioButton (one checked among its siblings). The
// control draws and presses itself; the classes turn its clicks (BN_CLICKED)
// into OnClick and keep the settings across window re-creation.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"

// Whether `key` is the character marked with "&" in `caption` (letter case
// ignored; "&&" marks nothing).
bool IsAccel(char16_t key, std::string_view caption);

class TButtonControl : public TWinControl {
 public:
  static constexpr TClass kClass{"TButtonControl", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TButtonControl(TComponent* owner);

  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  // The control presses itself; the toolkit's mouse events follow.
  // A BN_CLICKED from the control.
  virtual void ButtonClicked() { Click(); }
  // The mnemonic of the caption was pressed.
  virtual void AccelPressed() { Click(); }

 private:
  bool word_wrap_ = false;
};

class TButton : public TButtonControl {
 public:
  static constexpr TClass kClass{"TButton", &TButtonControl::kClass, &ConstructInstance<TButton>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TButton(TComponent* owner);

  // Enter in the form presses the default button, unless another button
  // has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  // Esc in the form presses a cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Given to the parent form when the button is clicked (a modal form then
  // closes with it).
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }

  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

 private:
  // Whether Enter presses this button now.
  bool TakesEnter() const;

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modal_result_ = mrNone;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight : uint8_t { taLeftOfText, taRightOfText };

class TCustomCheckBox : public TButtonControl {
 public:
  static constexpr TClass kClass{"TCustomCheckBox", &TButtonControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomCheckBox(TComponent* owner);

  TCheckBoxState State() const { return state_; }
  // A new state fires OnClick, whoever set it.
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  // Clicking runs through the grayed state too.
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool value) { allow_grayed_ = value; }
  // Where the box is: taRightOfText puts the text on the left.
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight value);

  // The next state a click gives.
  virtual void Toggle();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ButtonClicked() override { Toggle(); }
  void AccelPressed() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allow_grayed_ = false;
  TLeftRight alignment_ = taRightOfText;
};

class TCheckBox : public TCustomCheckBox {
 public:
  static constexpr TClass kClass{"TCheckBox", &TCustomCheckBox::kClass, &ConstructInstance<TCheckBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
 public:
  static constexpr TClass kClass{"TRadioButton", &TButtonControl::kClass, &ConstructInstance<TRadioButton>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking unchecks the radio buttons beside it (same parent) and fires
  // OnClick.
  void SetChecked(bool checked);
  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ButtonClicked() override { SetChecked(true); }
  void AccelPressed() override;

 private:
  bool checked_ = false;
  TLeftRight alignment_ = taRightOfText;
};
