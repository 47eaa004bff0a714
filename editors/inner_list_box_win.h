#pragma once
// TlxCustomInnerListBox: the system list box that the library's list
// controls host inside a container or a drop-down popup. The library's own
// scroll bars lie over the system's and follow them, the square between
// them is painted as a size grip, typing searches the items with a pause
// after which the search starts afresh, and mouse, keys, drag, focus and
// wheel go on to the hosting container so that both act as one control.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/container_routines_win.h"
#include "platform/toolkit/list_box.h"
#include "ui/foundation/controls/scroll_bar_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

class TlxCustomInnerListBox : public TListBox, public IlxContainerInnerControl {
 public:
  static constexpr TClass kClass{"TlxCustomInnerListBox", &TListBox::kClass,
                                 &ConstructInstance<TlxCustomInnerListBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomInnerListBox(TComponent* owner);
  ~TlxCustomInnerListBox() override;

  // Virtual operations, in the order of their slots.
  // The incremental search; sets `key` to 0 when the search took it.
  virtual void HandleAutoCompleteKey(char16_t& key);
  virtual void HandleLookAndFeelChange();
  // The focus frame only when the program does not draw the items itself.
  virtual bool NeedsFocusRect() const { return !OnDrawItem; }
  virtual void SyncScrollBars();

  // IlxContainerInnerControl.
  TlxContainer* GetControlContainer() override { return container_; }
  TWinControl* GetControl() override { return this; }

  TlxContainer* Container() const { return container_; }
  void SetContainer(TlxContainer* container) { container_ = container; }
  // Milliseconds after which typing starts a new search.
  uint32_t AutoCompleteDelay() const { return auto_complete_delay_; }
  void SetAutoCompleteDelay(uint32_t value) { auto_complete_delay_ = value; }
  const std::string& SearchText() const { return search_text_; }
  TlxScrollBar* HScrollBar() const { return h_scroll_bar_; }
  TlxScrollBar* VScrollBar() const { return v_scroll_bar_; }
  TlxLookAndFeel& LookAndFeel() const { return *look_and_feel_; }
  TlxCanvas& LxCanvas() const { return *lx_canvas_; }
  bool RedrawLocked() const { return redraw_locked_; }

  // The square between the two bars, relative to the list box's window
  // rectangle; empty unless both bars show.
  TRect GetSizeGripRect();
  void PaintSizeGrip(HDC dc);

  void Click() override;
  void DblClick() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int32_t x, int32_t y) override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void DestroyWindowHandle() override;
  void Dispatch(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool IsBeingDestroyed() const { return ComponentState().Contains(csDestroying); }
  TlxScrollBar* CreateScrollBar(TScrollBarKind kind);
  void SyncOneScrollBar(TlxScrollBar* bar);
  void SyncOneScrollBarParams(TlxScrollBar* bar);
  void HandleHScroll(TScrollCode code, int32_t& position);
  void HandleVScroll(TScrollCode code, int32_t& position);
  bool BothBarsVisible() const;
  void HandleLeftButtonDown(TMessage& message);
  void DrawListItem(TMessage& message);
  void SendSizeGripPaint();
  bool SyncsScrollBarsAfter(const TMessage& message) const;

  TlxContainer* container_ = nullptr;
  TlxScrollBar* h_scroll_bar_ = nullptr;
  TlxScrollBar* v_scroll_bar_ = nullptr;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  std::unique_ptr<TlxCanvas> lx_canvas_;
  uint32_t auto_complete_delay_ = 500;
  std::string search_text_;
  uint32_t previous_key_time_ = 0;
  bool redraw_locked_ = false;
  bool calculating_scroll_bars_ = false;
  int32_t scroll_bars_lock_ = 0;
};

// A new bar's first state: small change 1, hidden.
void lxHideNewScrollBar(TlxScrollBar* bar);
// The first item that `text` starts (OnDataFind for the virtual styles),
// or -1.
int32_t lxFindListItemByPrefix(TCustomListBox* list_box, const std::string& text);
