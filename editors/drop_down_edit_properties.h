#pragma once
// The settings every drop-down editor shares: how its popup opens (on a
// typed character, on in-place activation), its size rules (automatic,
// fixed, minimum, user-sizeable), its frame and panel, where it sits next
// to the editor, and the events of its opening and closing. The popup
// window and the editor itself are Windows-only (drop_down_edit_win.h).

#include <cstdint>
#include <functional>
#include <memory>

#include "editors/mask_edit_properties.h"
#include "ui/foundation/controls/popup_placement.h"

class TBitmap;

using TlxEditClosePopupEvent = std::function<void(TObject* sender, int32_t reason)>;
using TlxEditCloseQueryEvent = std::function<void(TObject* sender, bool& can_close)>;

// Close reasons of a drop-down editor's popup.
enum TlxEditCloseUpReason : int32_t {
  crUnknown = 0,   // closed without accepting: focus loss, code, the close button
  crTab = 1,       // Tab with PostPopupValueOnTab
  crClose = 2,     // the toggle key while open
  crCancel = 3,    // Esc, a cancelling popup, Enter on a value that cannot change
  crEnter = 4,     // Enter or an accepting popup
};
// Reasons 1, 2 and 4 accept the popup's choice.
bool lxCloseUpReasonAccepts(int32_t reason);

class TlxCustomDropDownEditProperties : public TlxCustomMaskEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomDropDownEditProperties", &TlxCustomMaskEditProperties::kClass,
                                 &ConstructInstance<TlxCustomDropDownEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomDropDownEditProperties(TPersistent* owner);
  ~TlxCustomDropDownEditProperties() override;

  void Assign(const TPersistent* source) override;
  void Changed() override;

  // Virtual operations, in the order of their slots.
  virtual int32_t GetDropDownButtonIndex() const { return 0; }
  virtual bool DropsDownOnTextClick() const { return false; }
  virtual bool PostsValueAfterPopupClosed() const { return false; }
  // The class of the popup window (a TlxCustomEditPopupWindow); null natively.
  virtual const TClass* GetPopupWindowClass() const;
  virtual bool PopupAdjustsToWorkArea() const { return true; }
  virtual bool PopupCapturesFocus() const { return false; }

  bool ShowsLookupListInPopup() const override { return true; }
  TlxEditViewDataClass GetViewDataClass() const override;

  // The drop-down button's glyph: a usable one turns the button into a
  // glyph button, none turns it back into a drop-down arrow. Windows only.
  TBitmap* ButtonGlyph() const { return glyph_.get(); }
  void SetButtonGlyph(const TBitmap* value);
  bool HasUsableGlyph() const;
  int32_t GlyphButtonIndex() const { return glyph_button_index_; }
  // Moves the glyph to another button.
  void SetGlyphButtonIndex(int32_t index);

  bool ImmediateDropDown() const { return immediate_drop_down_; }
  void SetImmediateDropDown(bool value) { Store(immediate_drop_down_, value); }
  bool ImmediatePopup() const { return immediate_popup_; }
  void SetImmediatePopup(bool value) { Store(immediate_popup_, value); }
  bool KeepArrowButtonDownWhenPopup() const { return keep_button_pressed_; }
  void SetKeepArrowButtonDownWhenPopup(bool value) { Store(keep_button_pressed_, value); }
  TAlignment PopupAlignment() const;
  void SetPopupAlignment(TAlignment value);
  bool PopupAutoSize() const { return popup_auto_size_; }
  void SetPopupAutoSize(bool value) { Store(popup_auto_size_, value); }
  bool PopupClientEdge() const { return popup_client_edge_; }
  void SetPopupClientEdge(bool value) { Store(popup_client_edge_, value); }
  TlxPopupOpenDirection PopupDirection() const { return popup_direction_; }
  void SetPopupDirection(TlxPopupOpenDirection value) { popup_direction_ = value; }
  TlxPopupHorzAlignment PopupHorzAlignment() const { return popup_horz_alignment_; }
  void SetPopupHorzAlignment(TlxPopupHorzAlignment value) { Store(popup_horz_alignment_, value); }
  TlxPopupVertAlignment PopupVertAlignment() const { return popup_vert_alignment_; }
  void SetPopupVertAlignment(TlxPopupVertAlignment value) { popup_vert_alignment_ = value; }
  // 0 means as wide as the editor; a positive width is at least the
  // minimum; a negative one becomes 0. Stored only, no notification.
  int32_t PopupWidth() const { return popup_width_; }
  void SetPopupWidth(int32_t value);
  int32_t PopupHeight() const { return popup_height_; }
  void SetPopupHeight(int32_t value);
  // A negative minimum becomes 0; the size is clamped again.
  int32_t PopupMinWidth() const { return popup_min_width_; }
  void SetPopupMinWidth(int32_t value);
  int32_t PopupMinHeight() const { return popup_min_height_; }
  void SetPopupMinHeight(int32_t value);
  bool PopupSizeable() const { return popup_sizeable_; }
  void SetPopupSizeable(bool value) { Store(popup_sizeable_, value); }
  bool PopupSysPanelStyle() const { return popup_sys_panel_style_; }
  void SetPopupSysPanelStyle(bool value) { Store(popup_sys_panel_style_, value); }
  bool PostPopupValueOnTab() const { return post_popup_value_on_tab_; }
  void SetPostPopupValueOnTab(bool value) { Store(post_popup_value_on_tab_, value); }

  TlxEditClosePopupEvent OnClosePopup;
  TlxEditCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnInitPopup;
  TNotifyEvent OnPopup;
  // The end of each initialized opening; not copied by Assign.
  TNotifyEvent OnFinalizePopup;

 private:
  void UpdateGlyphButton();

  std::shared_ptr<TBitmap> glyph_;
  int32_t glyph_button_index_ = 0;
  bool changing_ = false;
  bool immediate_drop_down_ = true;
  bool immediate_popup_ = false;
  bool keep_button_pressed_ = false;
  bool popup_auto_size_ = true;
  bool popup_client_edge_ = false;
  TlxPopupOpenDirection popup_direction_ = podVertical;
  TlxPopupHorzAlignment popup_horz_alignment_ = phaLeft;
  TlxPopupVertAlignment popup_vert_alignment_ = pvaBottom;
  int32_t popup_width_ = 0;
  int32_t popup_height_ = 0;
  int32_t popup_min_width_ = 0;
  int32_t popup_min_height_ = 0;
  bool popup_sizeable_ = false;
  bool popup_sys_panel_style_ = false;
  bool post_popup_value_on_tab_ = false;
};

// The published vocabulary every drop-down kind shares (beyond the mask
// and text settings).
void lxPublishDropDownEditSettings(TPropertyListBuilder& properties);
