#pragma once
// The navigator: a row of 16 data-navigation buttons that a host draws
// inside itself and that act on a data source (IlxNavigator). The settings
// (TlxNavigatorButton, TlxCustomNavigatorButtons, TlxNavigatorControlButtons)
// live as long as the host; the layout, painting and mouse handling
// (TlxNavigatorViewInfo) are rebuilt with the host's view info.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_navigator_interfaces.h"
#include "platform/rtl/persistent.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/painters/painter_types.h"

class TlxCanvas;
class TlxCustomLookAndFeelPainter;
class TlxTimer;
class TlxNavigatorButton;

using TlxNavigatorButtonClickEvent = std::function<void(TObject* sender, int32_t button_index, bool& done)>;
// Gives the data source a buttons object acts on, or null.
using TlxNavigatorGetDataSourceEvent = std::function<IlxNavigator*(TlxCustomNavigatorButtons* sender)>;

// The process-wide default glyphs from the "LXNAVIGATORBUTTONS" bitmap,
// made on first use.
TCustomImageList* lxNavigatorDefaultImages();
void lxFreeNavigatorDefaultImages();

class TlxCustomNavigatorButtons : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCustomNavigatorButtons", &TPersistent::kClass, nullptr, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomNavigatorButtons(IlxNavigatorOwner* navigator_owner = nullptr);
  ~TlxCustomNavigatorButtons() override;

  // The host may come after the buttons (the view makes them before its
  // view info exists) and may go before them.
  IlxNavigatorOwner* NavigatorOwner() const { return navigator_owner_; }
  void SetNavigatorOwner(IlxNavigatorOwner* navigator_owner) { navigator_owner_ = navigator_owner; }

  int32_t ButtonCount() const { return kNavigatorButtonCount; }
  TlxNavigatorButton* Buttons(int32_t index) const { return buttons_.at(static_cast<size_t>(index)).get(); }

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  bool ConfirmDelete() const { return confirm_delete_; }
  void SetConfirmDelete(bool value);
  const TlxNavigatorButtonClickEvent& OnButtonClick() const { return on_button_click_; }
  void SetOnButtonClick(TlxNavigatorButtonClickEvent handler);

  void Assign(const TPersistent* source) override;

  // The host, when there is one, hears about every change.
  void NotifyOwner(int32_t kind);
  void OwnerStateChanged();

  // Runs OnButtonClick and, unless it says done, the kind's action.
  void ClickButton(int32_t kind);

  virtual void DoButtonAction(int32_t /*kind*/) {}
  virtual bool IsKindEnabled(int32_t kind);
  virtual std::string DefaultHint(int32_t kind) const;
  virtual void ForgetBookmark() {}
  // Kept for descendants; nothing in the library reads it.
  virtual int32_t ButtonOffset() const { return 2; }

 private:
  void ImagesChanged(TObject* sender);

  IlxNavigatorOwner* navigator_owner_ = nullptr;
  std::vector<std::unique_ptr<TlxNavigatorButton>> buttons_;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> images_link_;
  bool confirm_delete_ = true;
  TlxNavigatorButtonClickEvent on_button_click_;
};

class TlxNavigatorControlButtons : public TlxCustomNavigatorButtons {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxNavigatorControlButtons", &TlxCustomNavigatorButtons::kClass,
                                 &ConstructInstance<TlxNavigatorControlButtons>, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomNavigatorButtons::TlxCustomNavigatorButtons;

  TlxNavigatorGetDataSourceEvent OnGetDataSource;
  IlxNavigator* DataSource();

  void DoButtonAction(int32_t kind) override;
  bool IsKindEnabled(int32_t kind) override;
  void ForgetBookmark() override;
};

class TlxNavigatorButton : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxNavigatorButton", &TPersistent::kClass, nullptr, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  TlxNavigatorButton(TlxCustomNavigatorButtons* buttons, int32_t kind);

  TlxCustomNavigatorButtons* ButtonsObject() const { return buttons_; }
  int32_t Kind() const { return kind_; }
  bool DefaultVisible() const { return kind_ != nbkAppend; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool IsVisibleStored() const { return is_visible_assigned_; }
  const TNotifyEvent& OnClick() const { return on_click_; }
  void SetOnClick(TNotifyEvent handler);

  bool UsesOwnImage() const { return buttons_->Images() != nullptr && image_index_ >= 0; }
  TCustomImageList* GlyphImages() const { return UsesOwnImage() ? buttons_->Images() : lxNavigatorDefaultImages(); }
  int32_t GlyphIndex() const { return UsesOwnImage() ? image_index_ : kind_; }
  TSize GlyphSize(const TlxCustomLookAndFeelPainter* painter) const;
  bool EffectiveEnabled() const { return enabled_ && buttons_->IsKindEnabled(kind_); }
  std::string EffectiveHint() const { return hint_.empty() ? buttons_->DefaultHint(kind_) : hint_; }

  void Click();
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return buttons_; }

 private:
  TlxCustomNavigatorButtons* buttons_;
  int32_t kind_;
  bool enabled_ = true;
  std::string hint_;
  int32_t image_index_ = -1;
  bool visible_;
  bool is_visible_assigned_ = false;
  TNotifyEvent on_click_;
};

class TlxNavigatorButtonViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxNavigatorButtonViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxNavigatorButton* Button = nullptr;
  TRect Bounds;
  bool Enabled = false;
  std::string Hint;
};

// A hint shown by the navigator: the system's tooltip window in tracking
// mode, placed and sized by the system.
class TlxNavigatorHintWindow {
 public:
  TlxNavigatorHintWindow(HWND owner, const std::string& text, const TPoint& screen_pos);
  ~TlxNavigatorHintWindow();
  TlxNavigatorHintWindow(const TlxNavigatorHintWindow&) = delete;
  TlxNavigatorHintWindow& operator=(const TlxNavigatorHintWindow&) = delete;

  HWND Handle() const { return handle_; }
  const std::string& Text() const { return text_; }

 private:
  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  std::string text_;
  std::wstring wide_text_;
};

class TlxNavigatorViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxNavigatorViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr uint32_t kFirstRepeatDelay = 400;
  static constexpr uint32_t kRepeatInterval = 100;
  static constexpr uint32_t kHintDelay = 500;

  TlxNavigatorViewInfo(IlxNavigatorOwner* navigator_owner, bool in_place);
  ~TlxNavigatorViewInfo() override;

  IlxNavigatorOwner* NavigatorOwner() const { return navigator_owner_; }
  bool InPlace() const { return in_place_; }

  void Calculate(int32_t& width, int32_t& height, bool add_glyph_height);
  void Recalculate();
  void MakeDirty() { dirty_ = true; }
  bool Dirty() const { return dirty_; }
  void Clear();

  int32_t ButtonInfoCount() const { return static_cast<int32_t>(button_infos_.size()); }
  TlxNavigatorButtonViewInfo* ButtonInfos(int32_t index) const {
    return button_infos_.at(static_cast<size_t>(index)).get();
  }
  TlxNavigatorButtonViewInfo* GetButtonInfoAt(const TPoint& point) const;
  TlxNavigatorButtonViewInfo* GetButtonInfo(const TlxNavigatorButton* button) const;

  void MouseDown(const TPoint& point);
  void MouseMove(const TPoint& point);
  void MouseUp(const TPoint& point);
  void Paint();
  void RefreshEnabledStates();

  TlxNavigatorButton* HotButton() const { return hot_button_; }
  TlxNavigatorButton* PressedButton() const { return pressed_button_; }
  TlxNavigatorButton* FocusedButton();
  void SetFocusedButton(TlxNavigatorButton* button);
  bool Selected() const { return selected_; }

  // The timers, for the hosts' tests to tick.
  TlxTimer& PressTimer() const { return *press_timer_; }
  TlxTimer& HintTimer() const { return *hint_timer_; }
  const TlxNavigatorHintWindow* HintWindow() const { return hint_window_.get(); }
  void HideHint();

 protected:
  // Whether the button that started a press is still held down.
  virtual bool IsPressButtonDown() const;

 private:
  const TlxCustomLookAndFeelPainter* Painter() const;
  TlxButtonState ButtonState(const TlxNavigatorButtonViewInfo& info) const;
  void InvalidateButton(const TlxNavigatorButton* button);
  void PaintButton(TlxCanvas& canvas, const TlxNavigatorButtonViewInfo& info, int32_t index);
  void PaintFrame(TlxCanvas& canvas);
  void UpdateSelected();
  void ShowHint(bool start_timer_only);
  void PressTimerTick();
  void HintTimerTick();
  bool IsButtonShown(const TlxNavigatorButton* button) const { return GetButtonInfo(button) != nullptr; }

  IlxNavigatorOwner* navigator_owner_;
  bool in_place_;
  std::vector<std::unique_ptr<TlxNavigatorButtonViewInfo>> button_infos_;
  TlxNavigatorButton* hot_button_ = nullptr;
  TlxNavigatorButton* pressed_button_ = nullptr;
  TlxNavigatorButton* focused_button_ = nullptr;
  bool dirty_ = true;
  bool selected_ = false;
  std::unique_ptr<TlxTimer> press_timer_;
  std::unique_ptr<TlxTimer> hint_timer_;
  std::unique_ptr<TlxNavigatorHintWindow> hint_window_;
};
