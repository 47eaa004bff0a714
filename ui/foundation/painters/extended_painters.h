#pragma once
// The process-wide list of extra painters that a look-and-feel selects by
// name rather than by kind, and the look-and-feel objects that follow it.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/rtl/lists.h"
#include "ui/foundation/base/lists.h"

class TlxCustomLookAndFeelPainter;

// A look-and-feel object that follows the list of extended painters.
class IlxExtendedPainterObserver : public virtual IInterface {
 public:
  // The list changed.
  virtual void PaintersChanged() {}
};

// One named painter: the name it is selected by and its painter class.
class TlxExtendedStylePainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxExtendedStylePainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `painter` is the painter class's one instance, which a look-and-feel
  // hands to its controls (null when the entry only names the class).
  TlxExtendedStylePainter(std::string name, const TClass* painter_class,
                          const TlxCustomLookAndFeelPainter* painter = nullptr)
      : name_(std::move(name)), painter_class_(painter_class), painter_(painter) {}

  const std::string& Name() const { return name_; }
  const TClass* PainterClass() const { return painter_class_; }
  const TlxCustomLookAndFeelPainter* Painter() const { return painter_; }

 private:
  std::string name_;
  const TClass* painter_class_;
  const TlxCustomLookAndFeelPainter* painter_;
};

// Owns its entries (TlxExtendedStylePainter objects).
class TlxExtendedStylePainters : public TlxObjectList {
 public:
  static constexpr TClass kClass{"TlxExtendedStylePainters", &TlxObjectList::kClass,
                                 &ConstructInstance<TlxExtendedStylePainters>};
  const TClass* ClassType() const override { return &kClass; }

  // Each listener is kept at most once; null is ignored.
  void AddObserver(IlxExtendedPainterObserver* listener);
  void RemoveObserver(IlxExtendedPainterObserver* listener);
  int32_t ObserverCount() const { return observers_.Count(); }
  bool HasObserver(IlxExtendedPainterObserver* listener) const;

  // The index of the first entry whose name matches regardless of case,
  // with the entry; -1 and null when none does.
  int32_t IndexOfName(std::string_view name, TlxExtendedStylePainter** entry = nullptr) const;
  // Whether a painter of that name exists, and its class (null when not).
  bool FindPainterByName(std::string_view name, const TClass*& painter_class) const;

  TlxExtendedStylePainter* Painter(int32_t index) const;

 private:
  TInterfaceList observers_;
};

// The process-wide list, made on first use and kept until the process ends.
TlxExtendedStylePainters& lxExtendedStylePainters();
