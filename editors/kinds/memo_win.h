#pragma once
// The memo editor: the text editor with the system's multi-line EDIT
// inside (TlxCustomInnerMemo). Enter and Tab can be typed into the text,
// lines wrap at the editor's width unless a horizontal scroll bar is
// shown, and the editor paints its own scroll bars over the inner
// control's system ones. A grid cell draws the whole text from the top.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/kinds/inner_memo_win.h"
#include "editors/kinds/memo_properties.h"
#include "editors/text_edit_control_win.h"
#include "editors/text_view_win.h"

class TlxCustomMemoViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomMemoViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxCustomMemoViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  void DrawText(TlxCanvas& canvas) override;
};

class TlxCustomMemoViewData : public TlxCustomTextEditViewData {
 public:
  static constexpr TClass kClass{"TlxCustomMemoViewData", &TlxCustomTextEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomTextEditViewData::TlxCustomTextEditViewData;

  TlxTextOutFlags GetDrawTextFlags() const override;
  // One pixel on every side; a stand-alone editor keeps three below.
  void GetTextAreaInsets(TRect& insets) const override;
  int32_t GetMaxLineCount() const override;
  void MeasureFrameFromViewInfo(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info, TSize& size,
                                TSize& min_content_size) const override;
  TSize MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                const TlxEditSizeProperties& limits) const override;

  // The text area insets added up per axis.
  TSize MemoInsetsSize() const;
  TlxCustomMemoProperties* MemoProperties() const;
};

// The text up to its first #0 in the view info's font and text colour,
// with the selection colours; an empty text draws nothing.
void lxDrawMemoText(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info);

class TlxCustomMemo : public TlxCustomTextEdit {
 public:
  static constexpr TClass kClass{"TlxCustomMemo", &TlxCustomTextEdit::kClass, &ConstructInstance<TlxCustomMemo>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomMemo(TComponent* owner) : TlxCustomMemo(owner, TlxCustomMemoProperties::kClass) {}

  // Whether the key is typed into the text: Enter with WantReturns or
  // Ctrl, Tab with `allow_tab` or WantTabs.
  virtual bool IsMemoEditKey(uint16_t key, TShiftState shift, bool allow_tab);

  const TClass* GetInnerControlClass() const override { return &TlxCustomInnerMemo::kClass; }
  bool IsInnerControlShown() const override { return true; }
  bool IsAutoSizeActive() const override;
  void AdjustInnerControlBounds() override;
  void HandleKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  bool IsEditingKey(uint16_t key, TShiftState shift) override;
  bool WantsTabKey() const override;
  bool ForwardsActivationKey(char16_t key) override { return key != u'\r'; }
  void ClearSelection() override;
  void CutToClipboard() override;
  // Focused with a MaxLength, only what fits goes in; nothing when no
  // room is left.
  void SetSelText(const std::string& text) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void InnerEditChanged(TObject* sender) override;
  void RaiseOnEditValueChanged() override;
  bool HasScrollBars() override;
  bool CanScrollWithoutBars(TlxDirection direction) override { return direction == dirUp || direction == dirDown; }
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;

  IlxInnerMemo* GetInnerMemo() const;
  TlxCustomMemoProperties* ActiveMemoProperties() const {
    return static_cast<TlxCustomMemoProperties*>(ActiveProperties());
  }
  // The inner control's lines; null without an inner control.
  TStrings* Lines() const;
  void SetLines(const TStrings* lines);
  bool IsClearing() const { return clearing_; }
  bool ScrollBarsInUse() const { return scroll_bars_in_use_; }
  int32_t LastScrollPosition() const { return last_scroll_position_; }
  // Ends a lock of the change events that raises a pending OnChange but
  // drops a pending OnEditValueChanged: the inner control took a value the
  // editor gave it.
  void UnlockChangeEventsDroppingEditValueChanged();
  // Cuts the inner control's own border away with a window region.
  void ApplyInnerControlRegion();

 protected:
  TlxCustomMemo(TComponent* owner, const TClass& properties_class);

  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Loaded() override;
  // "Lines": the text's lines as written, not the rows word wrapping shows.
  void DefineProperties(TFiler& filer) override;

 private:
  // After a change the editor made itself: the value follows the text and
  // the editor counts as unmodified.
  void AfterTextChange();

  bool scroll_bars_in_use_ = false;
  bool clearing_ = false;
  bool dropping_edit_value_changed_ = false;
  bool bounds_guard_ = false;
  int32_t last_scroll_position_ = 0;
};

class TlxMemo : public TlxCustomMemo {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMemo", &TlxCustomMemo::kClass, &ConstructInstance<TlxMemo>, &TlxMemo::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxMemo(TComponent* owner) : TlxCustomMemo(owner, TlxMemoProperties::kClass) {}

  TlxMemoProperties* GetProperties() const { return static_cast<TlxMemoProperties*>(Properties()); }
  void SetProperties(const TlxMemoProperties* value) { AssignOwnProperties(value); }
};
