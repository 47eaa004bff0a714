#pragma once
// The interfaces between an editor control and what it hosts or serves: the
// inner windowed control (the platform edit of the text kinds, the memo of
// the memo kind) and the text access that filter rows and dialogs use to
// put text into any editor without knowing its kind.

#include <windows.h>

#include <string>

#include "editors/container_routines_win.h"
#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/win_control.h"

class TlxCustomEdit;

// What an editor needs of its inner control.
class IlxCustomInnerEdit : public IlxContainerInnerControl {
 public:
  virtual LRESULT CallDefWndProc(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  virtual void GetEditValue(Variant& value) = 0;
  virtual const TNotifyEvent& GetOnChange() const = 0;
  virtual bool GetReadOnly() const = 0;
  virtual void LockBounds(bool lock) = 0;
  virtual void SafelyFocusInnerControl() = 0;
  virtual void SetEditValue(const Variant& value) = 0;
  virtual void SetParent(TWinControl* parent) = 0;
  virtual void SetOnChange(TNotifyEvent handler) = 0;
  virtual void SetReadOnly(bool value) = 0;
};

// Text put into an editor from outside its own input (filter rows, dialogs).
class IlxEditTextAccess : public virtual IInterface {
 public:
  virtual bool CanEditText() = 0;
  virtual void SetTextFromInterface(const std::string& text, bool post) = 0;
  virtual void SetTextInterfaceFlag(bool value) = 0;
  virtual void StoreValueFromInterface(const Variant& value) = 0;
};

// Marks controls that a skin painter may paint; it has no operations.
class IlxSkinSupport : public virtual IInterface {};
