#pragma once
// TlxCustomButtonEdit: a mask edit with embedded buttons, by default one
// ellipsis button that is the default button. It draws its buttons with the
// style's button settings, and buttons read from a form replace the default
// one instead of joining it.

#include "editors/kinds/button_edit_properties.h"
#include "editors/mask_edit_win.h"

class TlxCustomButtonEdit : public TlxCustomMaskEdit {
 public:
  static constexpr TClass kClass{"TlxCustomButtonEdit", &TlxCustomMaskEdit::kClass,
                                 &ConstructInstance<TlxCustomButtonEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomButtonEdit(TComponent* owner)
      : TlxCustomButtonEdit(owner, TlxCustomButtonEditProperties::kClass) {}

  // The button style, transparency and gradient are the button edit's.
  TlxContainerStyleValues GetIgnoredStyleValues() const override;

 protected:
  TlxCustomButtonEdit(TComponent* owner, const TClass& properties_class);
};

class TlxButtonEdit : public TlxCustomButtonEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxButtonEdit", &TlxCustomButtonEdit::kClass, &ConstructInstance<TlxButtonEdit>,
                                 &TlxButtonEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxButtonEdit(TComponent* owner);

  TlxButtonEditProperties* GetProperties() const { return static_cast<TlxButtonEditProperties*>(Properties()); }
  void SetProperties(const TlxButtonEditProperties* value) { AssignOwnProperties(value); }

  // Whether the default button was already removed for loading.
  bool DefaultButtonsRemoved() const { return default_buttons_removed_; }

 protected:
  // A form that stores no buttons (the writer leaves an empty collection
  // out) must not get the default ellipsis back: when the first read left
  // the constructor's button untouched, it goes.
  void Loaded() override;

 private:
  bool default_buttons_removed_ = false;
  // The collection id of the button the constructor made.
  int32_t default_button_id_ = -1;
};
