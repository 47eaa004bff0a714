#pragma once
// TlxCustomFilterControl: the filter builder's window. The rows, their
// layout and the edits are TlxFilterBuilder's; this adds painting, keys,
// the mouse with hot tracking, the row menu, scroll bars and the fonts.
// The drop-down lists and the operand editors are reached through
// IlxFilterInplaceEditing, which the editor kinds provide. TlxFilterControl
// links to a component that offers IlxFilterControl.

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editors/kinds/filter_builder.h"
#include "editors/kinds/filter_painter_win.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/menus.h"
#include "ui/foundation/controls/control_win.h"

class TlxCustomFilterControl;

// How an operand editor is activated.
inline constexpr uint8_t lxFilterActivatePlain = 0;
inline constexpr uint8_t lxFilterActivateByKey = 1;
inline constexpr uint8_t lxFilterActivateByMouse = 2;

// The in-place lists and operand editors of a filter control.
class IlxFilterInplaceEditing : public virtual IInterface {
 public:
  // Drops a list of `items` (text and data per line) down over `rect`
  // with `current` as its value and waits for it to close; true with the
  // chosen line's data in `chosen` when the user changed the value.
  virtual bool ChooseFromList(TlxCustomFilterControl& control, uint8_t edit_mode, TStrings& items, const TRect& rect,
                              const std::string& current, intptr_t& chosen) = 0;
  // Opens the editor of the condition's operand over its rectangle.
  virtual void OpenOperandEditor(TlxCustomFilterControl& control, TlxConditionViewInfo& condition,
                                 int32_t operand_index, uint8_t activation, char16_t key) = 0;
  // With `apply` the typed value is checked (lxCheckFilterOperand) and
  // stored first; a refused value raises and the editor stays open.
  virtual void CloseOperandEditor(bool apply) = 0;
  virtual bool OperandEditorOpen() = 0;
  virtual bool OperandEditorFocused() = 0;
  // The editor kept for the current kind is dropped.
  virtual void ForgetOperandEditor() = 0;
};

class TlxCustomFilterControl : public TlxControl, public IlxFilterBuilderHost {
 public:
  static constexpr TClass kClass{"TlxCustomFilterControl", &TlxControl::kClass,
                                 &ConstructInstance<TlxCustomFilterControl>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomFilterControl(TComponent* owner);
  ~TlxCustomFilterControl() override;

  TlxFilterBuilder& Builder() const { return *builder_; }
  TlxFilterControlCriteria& Criteria() const { return builder_->Criteria(); }
  TlxFilterControlViewInfo& ViewInfo() const { return builder_->ViewInfo(); }
  TlxFilterControlPainter& Painter() const { return *painter_; }
  TlxFilterCanvasMeasurer& Buffer() const { return *measurer_; }
  // 0 bool operator, 1 item, 2 operator, 3 operand.
  TFont& PartFont(int32_t index) const { return *part_fonts_.at(static_cast<size_t>(index)); }
  void SetPartFont(int32_t index, const TFont& font) { PartFont(index).Assign(&font); }
  TPopupMenu& RowMenu() const { return *row_menu_; }
  void SetInplaceEditing(std::unique_ptr<IlxFilterInplaceEditing> editing) { inplace_ = std::move(editing); }
  // Tab moves between the elements instead of leaving the control.
  bool WantTabs() const { return builder_->WantTabs(); }
  void SetWantTabs(bool value);
  // Whether a part font differs from what the control's font and the
  // part's defaults give it.
  bool PartFontNeedsStoring(int32_t index) const;
  IlxFilterInplaceEditing* InplaceEditing() const { return inplace_.get(); }

  virtual void ApplyFilter() { builder_->ApplyFilter(); }
  void Clear() { builder_->Clear(); }
  void LoadFromFile(const std::string& file_name) { builder_->LoadFromFile(file_name); }
  void SaveToFile(const std::string& file_name) { builder_->SaveToFile(file_name); }
  void LoadFromStream(TStream& stream) { builder_->LoadFromStream(stream); }
  void SaveToStream(TStream& stream) { builder_->SaveToStream(stream); }
  // Menu captions, the caption tables and the null text, then a layout.
  void LoadTexts();

  void ActivateElement(uint8_t kind, bool by_mouse);
  void ShowRowMenu();
  void ShowGroupOperatorList();
  void ShowItemList();
  void ShowOperatorList();
  void ShowOperandEditor(uint8_t activation, char16_t key);

  // IlxFilterBuilderHost
  TRect ClientBounds() override { return GetClientBounds(); }
  bool IsEnabled() override { return Enabled(); }
  bool HasFocus() override;
  bool CanLayout() override;
  void CloseOperandEditor(bool apply) override;
  void ForgetOperandEditor() override;
  void RepaintRect(const TRect& rect, bool erase) override { TlxControl::InvalidateRect(rect, erase); }
  void Repaint() override { Invalidate(); }
  void ScrollRangeChanged() override { UpdateScrollBars(); }

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;

 protected:
  void Paint() override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void FocusChanged() override;
  void FontChanged() override;
  void CMEnabledChanged(TMessage& message) override;
  void DoMouseLeave(TControl* control) override;
  TCursor GetCursorAt(int32_t x, int32_t y) override;
  void InitScrollBarsParams() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;

 private:
  void RowMenuClick(TObject* sender);
  // Ends a list: the layout follows the change and the control takes the
  // focus back.
  void FinishList();
  void UpdateHotInfo(const TPoint& point, uint32_t shift);

  std::array<std::unique_ptr<TFont>, 4> part_fonts_;
  std::unique_ptr<TlxFilterCanvasMeasurer> measurer_;
  std::unique_ptr<TlxFilterBuilder> builder_;
  std::unique_ptr<TlxFilterControlPainter> painter_;
  TPopupMenu* row_menu_ = nullptr;  // owned as a component
  std::unique_ptr<IlxFilterInplaceEditing> inplace_;
};

// Sets the component a filter control edits (the filter builder dialog
// hands its component over through this).
class IlxFilterControlLinkTarget : public virtual IInterface {
 public:
  virtual void SetLinkComponent(TComponent* component) = 0;
};

class TlxFilterControl : public TlxCustomFilterControl, public IlxFilterControlLinkTarget {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxFilterControl", &TlxCustomFilterControl::kClass,
                                 &ConstructInstance<TlxFilterControl>, &Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxFilterControl(TComponent* owner) : TlxCustomFilterControl(owner) {}
  ~TlxFilterControl() override;

  TComponent* LinkComponent() const { return link_component_; }
  // A component that does not offer IlxFilterControl counts as none.
  void SetLinkComponent(TComponent* component) override;
  void UpdateFromLink() { Builder().UpdateFromLink(); }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* link_component_ = nullptr;
};
