#pragma once
// TLabel: text on its parent (no window of its own), sized to the text
// unless AutoSize is off, with an "&" mnemonic that focuses FocusControl.

#include <cstdint>

#include "platform/toolkit/control.h"
#include "platform/toolkit/edit.h"

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  static constexpr TClass kClass{"TCustomLabel", &TGraphicControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomLabel(TComponent* owner);
  ~TCustomLabel() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  // The size follows the text (the width too, unless WordWrap).
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  // Whether the parent shows through (no background fill).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // "&" marks the mnemonic ("&&" is an "&").
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool value);
  // Focused when the mnemonic is pressed.
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* control);

 protected:
  void Paint() override;
  void Dispatch(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void AdjustBounds();

 private:
  TTextFormat Format() const;

  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  static constexpr TClass kClass{"TLabel", &TCustomLabel::kClass, &ConstructInstance<TLabel>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomLabel::TCustomLabel;
};
