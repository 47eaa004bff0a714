#pragma once
// TlxLookAndFeel: the small settings object every self-drawn control paints
// through. Its three values (Kind, NativeStyle, SkinName) are each either
// assigned on the object or followed from its master, and in the end from
// the one root object of the process; it picks the painter from the
// effective values and tells its observers, first to last, which values
// changed. TlxLookAndFeelController edits the root object, so that one
// setting reaches every control that assigned nothing of its own.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/property.h"
#include "platform/toolkit/types.h"
#include "ui/foundation/base/interfaced.h"
#include "ui/foundation/look_and_feel/system_palette_win.h"
#include "ui/foundation/painters/extended_painters.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"
#include "ui/foundation/themes/theme_object_types.h"

enum TlxLookAndFeelValue : uint8_t { lfvKind, lfvNativeStyle, lfvSkinName };
using TlxLookAndFeelValues = TSmallSet<TlxLookAndFeelValue>;
constexpr TlxLookAndFeelValues lxAllLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName};

using TlxSkinName = std::string;

// The effective values and the painter chosen for them.
struct TlxLookAndFeelData {
  TlxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  TlxSkinName SkinName;
  TlxPainterClass Painter = nullptr;
};

class TlxLookAndFeel;

// Told when a master look-and-feel changes or goes away.
class IlxLookAndFeelObserver : public virtual IInterface {
 public:
  // The object that implements the interface.
  virtual TObject* GetObject() = 0;
  virtual void MasterChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) = 0;
  virtual void MasterDestroying(TlxLookAndFeel* sender) = 0;
};

// The painter of each kind.
TlxPainterClass lxLookAndFeelPainterOfKind(TlxLookAndFeelKind kind);

class TlxLookAndFeel : public TlxInterfacedPersistent,
                       public IlxLookAndFeelObserver,
                       public IlxExtendedPainterObserver {
 public:
  using TChangedEvent = std::function<void(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values)>;

  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookAndFeel", &TlxInterfacedPersistent::kClass, &ConstructInstance<TlxLookAndFeel>,
                                 &TlxLookAndFeel::Publish};
  const TClass* ClassType() const override { return &kClass; }

  // Follows the root object (when there is one) without telling anyone.
  explicit TlxLookAndFeel(TPersistent* owner);
  // Tells the observers first to last; look-and-feel observers move to the
  // root object.
  ~TlxLookAndFeel() override;
  TlxLookAndFeel(const TlxLookAndFeel&) = delete;
  TlxLookAndFeel& operator=(const TlxLookAndFeel&) = delete;

  TlxLookAndFeelValues AssignedValues() const { return assigned_values_; }
  void SetAssignedValues(TlxLookAndFeelValues values);
  TlxLookAndFeelKind Kind() const { return current_.Kind; }
  void SetKind(TlxLookAndFeelKind value);
  bool NativeStyle() const { return current_.NativeStyle; }
  void SetNativeStyle(bool value);
  const TlxSkinName& SkinName() const { return current_.SkinName; }
  void SetSkinName(const TlxSkinName& value);

  TlxPainterClass CurrentPainter() const { return current_.Painter; }
  // The native painter when NativeStyle is on and the visual style has the
  // type; else the skin painter when there is one; else the kind's painter.
  TlxPainterClass PainterFor(TlxThemedObjectType type) const;
  TlxPainterClass PainterForTypes(const TlxThemedObjectTypes& types) const;

  // Null for the root object; else the master set, or the root object.
  TlxLookAndFeel* GetMaster() const;
  // Follows `value` (null: the root object). A master whose chain of masters
  // leads back to this object is refused with EInvalidOperation, since every
  // later change would go round that chain for ever.
  void SetMaster(TlxLookAndFeel* value);
  void AddListener(IlxLookAndFeelObserver* observer);
  void RemoveListener(IlxLookAndFeelObserver* observer);
  int32_t ListenerCount() const { return static_cast<int32_t>(listeners_.size()); }
  void ClearAssignedValues() { SetAssignedValues(TlxLookAndFeelValues{}); }
  bool IsRoot() const { return is_root_; }

  // Computes the effective values again and tells the observers.
  void ApplyChanges(TlxLookAndFeelValues changed_values);
  void RememberState();
  void ReportStateChanges();

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // IlxLookAndFeelObserver: the master's values that this object does not
  // assign itself follow it; a master that goes hands this object to the
  // root object.
  TObject* GetObject() override { return this; }
  void MasterChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) override;
  void MasterDestroying(TlxLookAndFeel* sender) override;
  // IlxExtendedPainterObserver.
  void PaintersChanged() override { ApplyChanges(lxAllLookAndFeelValues); }

  TChangedEvent OnChanged;

 protected:
  virtual TlxLookAndFeelKind ResolveKind() const;
  virtual bool ResolveNativeStyle() const;
  virtual TlxSkinName ResolveSkinName() const;
  virtual TlxPainterClass ResolveSkinPainter() const;
  virtual bool FindSkinPainter(const TlxSkinName& name, TlxPainterClass& painter) const;
  virtual void HandleSystemPaletteChange();

  virtual void DoChanged(TlxLookAndFeelValues changed_values);

 private:
  friend void lxStartLookAndFeels();
  friend void lxFinishLookAndFeels();

  // Where unassigned values come from: the master, else the root.
  const TlxLookAndFeel* DefaultSource() const;
  TlxPainterClass DefaultSkinPainter() const;
  void NotifyListeners(TlxLookAndFeelValues changed_values);

  TlxLookAndFeelValues assigned_values_;
  std::vector<IlxLookAndFeelObserver*> listeners_;
  TlxLookAndFeelData current_;
  TlxLookAndFeelData own_;
  bool destroying_ = false;
  bool is_root_ = false;
  TlxLookAndFeel* master_ = nullptr;
  TlxPainterClass skin_painter_ = nullptr;
  TlxLookAndFeelData previous_;
  std::unique_ptr<TlxSystemPaletteChangedNotifier> palette_notifier_;
};

// Edits the root look-and-feel from a form.
class TlxLookAndFeelController : public TComponent, public IlxLookAndFeelObserver {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookAndFeelController", &TComponent::kClass,
                                 &ConstructInstance<TlxLookAndFeelController>, &TlxLookAndFeelController::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookAndFeelController(TComponent* owner);
  ~TlxLookAndFeelController() override;

  TlxLookAndFeelKind Kind() const;
  void SetKind(TlxLookAndFeelKind value);
  bool NativeStyle() const;
  void SetNativeStyle(bool value);
  TlxSkinName SkinName() const;
  void SetSkinName(const TlxSkinName& value);

  TObject* GetObject() override { return this; }
  void MasterChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues /*changed_values*/) override {}
  void MasterDestroying(TlxLookAndFeel* /*sender*/) override {}
};

// The root object; null before the start and after the finish.
TlxLookAndFeel* lxGetRootLookAndFeel();
// Creates the root object (once); frees it.
void lxStartLookAndFeels();
void lxFinishLookAndFeels();
