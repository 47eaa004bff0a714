#pragma once
// The hyperlink editor: a single-line text editor whose text is a link,
// drawn underlined in the link colour and opened through the shell (or
// handed to OnStartClick) on a double click, on a single click, or on the
// start key.

#include <windows.h>

#include <string>

#include "editors/kinds/hyperlink_edit_properties.h"
#include "editors/text_edit_control_win.h"
#include "editors/text_view_win.h"

// The editor's style: the text colour is the link colour of the editor's
// properties (blue for any other owner) and the text is underlined.
class TlxHyperLinkStyle : public TlxEditStyle {
 public:
  static constexpr TClass kClass{"TlxHyperLinkStyle", &TlxEditStyle::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditStyle::TlxEditStyle;

  TColor GetTextColor() const override;
  TFontStyles GetTextStyle() const override;
};

class TlxHyperLinkEditViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxHyperLinkEditViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxHyperLinkEditViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // With SingleClick the whole editor counts as a button.
  bool HasHotButton() const override;
  bool IsPointOnButton(const TPoint& point) const override;
  // Without an editor (a grid cell) the text is underlined, in the link
  // colour unless selected.
  void DrawText(TlxCanvas& canvas) override;

  // Set by an editor for its own picture.
  bool OwnedByEditor = false;

 private:
  bool SingleClick() const;
};

class TlxCustomHyperLinkEdit : public TlxCustomTextEdit {
 public:
  static constexpr TClass kClass{"TlxCustomHyperLinkEdit", &TlxCustomTextEdit::kClass,
                                 &ConstructInstance<TlxCustomHyperLinkEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomHyperLinkEdit(TComponent* owner)
      : TlxCustomHyperLinkEdit(owner, TlxCustomHyperLinkEditProperties::kClass) {}

  // Raises OnStartClick when one is assigned; otherwise opens the link (the
  // display text, with the prefix unless UsePrefix is upNever) with the
  // shell's "OPEN".
  virtual void DoStart();

  void HandleKeyDown(uint16_t& key, TShiftState shift) override;
  void SelectAll() override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void ActivateByMouse(TShiftState shift, int32_t x, int32_t y, std::unique_ptr<TlxCustomEditData>& edit_data) override;

  TlxCustomHyperLinkEditProperties* ActiveLinkProperties() const {
    return static_cast<TlxCustomHyperLinkEditProperties*>(ActiveProperties());
  }
  // The link DoStart opens when no OnStartClick is assigned.
  std::string LinkText();
  TCursor SavedCursor() const { return saved_cursor_; }

 protected:
  TlxCustomHyperLinkEdit(TComponent* owner, const TClass& properties_class);

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DoMouseEnter(TControl* control) override;
  void DoMouseLeave(TControl* control) override;

 private:
  // True when an OnStartClick was assigned (and raised).
  bool FireStartClick();
  void SetLinkCursor(TCursor cursor);
  void ShowLinkCursor();
  bool IsInClientRect(int32_t x, int32_t y) const { return GetViewInfo().ClientRect.Contains(TPoint(x, y)); }

  TCursor saved_cursor_ = crDefault;
};

class TlxHyperLinkEdit : public TlxCustomHyperLinkEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxHyperLinkEdit", &TlxCustomHyperLinkEdit::kClass,
                                 &ConstructInstance<TlxHyperLinkEdit>, &TlxHyperLinkEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxHyperLinkEdit(TComponent* owner) : TlxCustomHyperLinkEdit(owner, TlxHyperLinkEditProperties::kClass) {}

  TlxHyperLinkEditProperties* GetProperties() const {
    return static_cast<TlxHyperLinkEditProperties*>(Properties());
  }
  void SetProperties(const TlxHyperLinkEditProperties* value) { AssignOwnProperties(value); }
  TlxHyperLinkStyle* GetHyperLinkStyle() const { return static_cast<TlxHyperLinkStyle*>(GetStyle()); }
};
