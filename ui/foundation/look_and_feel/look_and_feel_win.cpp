#include "ui/foundation/look_and_feel/look_and_feel_win.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

struct RootState {
  std::unique_ptr<TlxLookAndFeel> root;
  bool finished = false;
  int32_t controller_count = 0;
};

RootState& Root() {
  static RootState state;
  return state;
}

bool IsController(IlxLookAndFeelObserver* observer) {
  return dynamic_cast<TlxLookAndFeelController*>(observer->GetObject()) != nullptr;
}

}  // namespace

TlxPainterClass lxLookAndFeelPainterOfKind(TlxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat:
      return &lxPainter<TlxFlatLookAndFeelPainter>();
    case lfStandard:
      return &lxPainter<TlxStandardLookAndFeelPainter>();
    case lfOffice11:
      return &lxPainter<TlxOffice11LookAndFeelPainter>();
    default:
      return &lxPainter<TlxUltraFlatLookAndFeelPainter>();
  }
}

TlxLookAndFeel* lxGetRootLookAndFeel() {
  RootState& state = Root();
  if (!state.root && !state.finished) lxStartLookAndFeels();
  return state.root.get();
}

void lxStartLookAndFeels() {
  RootState& state = Root();
  state.finished = false;
  if (state.root) return;
  auto root = std::make_unique<TlxLookAndFeel>(nullptr);
  root->is_root_ = true;
  state.root = std::move(root);
}

void lxFinishLookAndFeels() {
  RootState& state = Root();
  state.finished = true;
  state.root.reset();
  state.controller_count = 0;
}

// --- TlxLookAndFeel -------------------------------------------------------------

void TlxLookAndFeel::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxLookAndFeel>();
  p.SetOf(
      "AssignedValues", [](const TlxLookAndFeel& self) { return self.AssignedValues().Bits(); },
      [](TlxLookAndFeel& self, uint32_t bits) { self.SetAssignedValues(TlxLookAndFeelValues::FromBits(bits)); },
      {"lfvKind", "lfvNativeStyle", "lfvSkinName"});
  p.Enumeration("Kind", &TlxLookAndFeel::Kind, &TlxLookAndFeel::SetKind,
                {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"}, std::optional<TlxLookAndFeelKind>{})
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxLookAndFeel&>(self).AssignedValues().Contains(lfvKind);
  };
  p.Boolean("NativeStyle", &TlxLookAndFeel::NativeStyle, &TlxLookAndFeel::SetNativeStyle).Stored =
      [](const TPersistent& self) {
        return static_cast<const TlxLookAndFeel&>(self).AssignedValues().Contains(lfvNativeStyle);
      };
  p.String("SkinName", &TlxLookAndFeel::SkinName, &TlxLookAndFeel::SetSkinName).Stored = [](const TPersistent& self) {
    return static_cast<const TlxLookAndFeel&>(self).AssignedValues().Contains(lfvSkinName);
  };
}

TlxLookAndFeel::TlxLookAndFeel(TPersistent* owner) : TlxInterfacedPersistent(owner) {
  current_ = own_;
  palette_notifier_ = std::make_unique<TlxSystemPaletteChangedNotifier>(false);
  palette_notifier_->OnSystemPaletteChanged = [this] { HandleSystemPaletteChange(); };
  if (TlxLookAndFeel* root = Root().root.get()) {
    root->AddListener(this);
    current_.Kind = ResolveKind();
    current_.NativeStyle = ResolveNativeStyle();
    current_.SkinName = ResolveSkinName();
    if (!current_.NativeStyle) skin_painter_ = ResolveSkinPainter();
  }
  current_.Painter = PainterForTypes(TlxThemedObjectTypes{});
}

TlxLookAndFeel::~TlxLookAndFeel() {
  lxExtendedStylePainters().RemoveObserver(this);
  palette_notifier_.reset();
  destroying_ = true;
  const size_t count = listeners_.size();
  for (size_t i = 0; i < count && i < listeners_.size(); ++i) listeners_[i]->MasterDestroying(this);
  destroying_ = false;
  listeners_.clear();
  if (TlxLookAndFeel* master = GetMaster()) master->RemoveListener(this);
}

TlxLookAndFeel* TlxLookAndFeel::GetMaster() const {
  if (is_root_) return nullptr;
  return master_ != nullptr ? master_ : Root().root.get();
}

const TlxLookAndFeel* TlxLookAndFeel::DefaultSource() const { return GetMaster(); }

TlxLookAndFeelKind TlxLookAndFeel::ResolveKind() const {
  if (assigned_values_.Contains(lfvKind)) return own_.Kind;
  const TlxLookAndFeel* source = DefaultSource();
  return source != nullptr ? source->Kind() : lfUltraFlat;
}

bool TlxLookAndFeel::ResolveNativeStyle() const {
  if (assigned_values_.Contains(lfvNativeStyle)) return own_.NativeStyle;
  const TlxLookAndFeel* source = DefaultSource();
  return source != nullptr && source->NativeStyle();
}

TlxSkinName TlxLookAndFeel::ResolveSkinName() const {
  if (assigned_values_.Contains(lfvSkinName)) return own_.SkinName;
  const TlxLookAndFeel* source = DefaultSource();
  return source != nullptr ? source->SkinName() : TlxSkinName();
}

TlxPainterClass TlxLookAndFeel::DefaultSkinPainter() const {
  const TlxLookAndFeel* source = DefaultSource();
  TlxPainterClass painter = nullptr;
  if (source != nullptr) source->FindSkinPainter(source->SkinName(), painter);
  return painter;
}

TlxPainterClass TlxLookAndFeel::ResolveSkinPainter() const {
  if (!assigned_values_.Contains(lfvSkinName)) return DefaultSkinPainter();
  TlxPainterClass painter = nullptr;
  FindSkinPainter(own_.SkinName, painter);
  return painter;
}

bool TlxLookAndFeel::FindSkinPainter(const TlxSkinName& name, TlxPainterClass& painter) const {
  painter = nullptr;
  if (name.empty()) return false;
  TlxExtendedStylePainter* entry = nullptr;
  if (lxExtendedStylePainters().IndexOfName(name, &entry) < 0) return false;
  painter = entry->Painter();
  return true;
}

void TlxLookAndFeel::HandleSystemPaletteChange() { ApplyChanges(TlxLookAndFeelValues{lfvNativeStyle}); }

TlxPainterClass TlxLookAndFeel::PainterFor(TlxThemedObjectType type) const {
  if (current_.NativeStyle && lxThemeAvailableFor(type)) return &lxPainter<TlxWinXPLookAndFeelPainter>();
  if (skin_painter_ != nullptr) return skin_painter_;
  return lxLookAndFeelPainterOfKind(current_.Kind);
}

TlxPainterClass TlxLookAndFeel::PainterForTypes(const TlxThemedObjectTypes& types) const {
  if (current_.NativeStyle && lxThemesAvailableForTypes(types)) return &lxPainter<TlxWinXPLookAndFeelPainter>();
  if (skin_painter_ != nullptr) return skin_painter_;
  return lxLookAndFeelPainterOfKind(current_.Kind);
}

void TlxLookAndFeel::SetAssignedValues(TlxLookAndFeelValues values) {
  if (values == assigned_values_) return;
  RememberState();
  assigned_values_ = values;
  ReportStateChanges();
}

void TlxLookAndFeel::SetKind(TlxLookAndFeelKind value) {
  const TlxLookAndFeelKind before = current_.Kind;
  assigned_values_.Include(lfvKind);
  own_.Kind = value;
  if (ResolveKind() != before) ApplyChanges(TlxLookAndFeelValues{lfvKind});
}

void TlxLookAndFeel::SetNativeStyle(bool value) {
  const bool before = current_.NativeStyle;
  assigned_values_.Include(lfvNativeStyle);
  own_.NativeStyle = value;
  if (ResolveNativeStyle() != before) ApplyChanges(TlxLookAndFeelValues{lfvNativeStyle});
}

void TlxLookAndFeel::SetSkinName(const TlxSkinName& value) {
  const TlxSkinName before = current_.SkinName;
  assigned_values_.Include(lfvSkinName);
  own_.SkinName = value;
  if (ResolveSkinName() != before) ApplyChanges(TlxLookAndFeelValues{lfvSkinName});
}

void TlxLookAndFeel::RememberState() {
  previous_.Kind = current_.Kind;
  previous_.NativeStyle = current_.NativeStyle;
  previous_.SkinName = current_.SkinName;
}

void TlxLookAndFeel::ReportStateChanges() {
  TlxLookAndFeelValues changed;
  if (ResolveKind() != previous_.Kind) changed.Include(lfvKind);
  if (ResolveNativeStyle() != previous_.NativeStyle) changed.Include(lfvNativeStyle);
  if (ResolveSkinName() != previous_.SkinName) changed.Include(lfvSkinName);
  ApplyChanges(changed);
}

void TlxLookAndFeel::ApplyChanges(TlxLookAndFeelValues changed_values) {
  if (changed_values.Empty() || destroying_) return;
  current_.Kind = ResolveKind();
  current_.NativeStyle = ResolveNativeStyle();
  current_.SkinName = ResolveSkinName();
  skin_painter_ = current_.NativeStyle ? nullptr : ResolveSkinPainter();
  current_.Painter = PainterForTypes(TlxThemedObjectTypes{});
  if (skin_painter_ != nullptr)
    lxExtendedStylePainters().AddObserver(this);
  else
    lxExtendedStylePainters().RemoveObserver(this);
  NotifyListeners(changed_values);
  DoChanged(changed_values);
}

void TlxLookAndFeel::NotifyListeners(TlxLookAndFeelValues changed_values) {
  // A listener that leaves during its call must not make the next one be
  // skipped: the index moves on only when the count stayed the same.
  size_t i = 0;
  while (i < listeners_.size()) {
    const size_t count = listeners_.size();
    listeners_[i]->MasterChanged(this, changed_values);
    if (listeners_.size() == count) ++i;
  }
}

void TlxLookAndFeel::DoChanged(TlxLookAndFeelValues changed_values) {
  if (OnChanged) OnChanged(this, changed_values);
}

void TlxLookAndFeel::SetMaster(TlxLookAndFeel* value) {
  if (is_root_ || value == this || value == GetMaster()) return;
  for (const TlxLookAndFeel* link = value; link != nullptr; link = link->GetMaster())
    if (link == this) throw EInvalidOperation("A look-and-feel cannot follow a master that follows it");
  RememberState();
  if (TlxLookAndFeel* old_master = GetMaster()) old_master->RemoveListener(this);
  master_ = value;
  if (TlxLookAndFeel* new_master = GetMaster()) new_master->AddListener(this);
  ReportStateChanges();
}

void TlxLookAndFeel::AddListener(IlxLookAndFeelObserver* observer) {
  if (observer == nullptr) return;
  const bool controller = IsController(observer);
  if (controller && !is_root_) return;
  if (std::find(listeners_.begin(), listeners_.end(), observer) != listeners_.end()) return;
  listeners_.push_back(observer);
  if (controller) ++Root().controller_count;
}

void TlxLookAndFeel::RemoveListener(IlxLookAndFeelObserver* observer) {
  auto found = std::find(listeners_.begin(), listeners_.end(), observer);
  if (found == listeners_.end()) return;
  if (!destroying_) listeners_.erase(found);
  if (!is_root_ || !IsController(observer)) return;
  if (--Root().controller_count == 0) ClearAssignedValues();
}

void TlxLookAndFeel::MasterChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues changed_values) {
  ApplyChanges(changed_values - assigned_values_);
}

void TlxLookAndFeel::MasterDestroying(TlxLookAndFeel* sender) {
  // The dying master must not be asked again: forget it before moving on.
  if (sender == master_) {
    RememberState();
    master_ = nullptr;
    if (TlxLookAndFeel* root = GetMaster(); root != nullptr && root != sender) root->AddListener(this);
    ReportStateChanges();
  }
}

void TlxLookAndFeel::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxLookAndFeel*>(source);
  if (other == nullptr) {
    TlxInterfacedPersistent::Assign(source);
    return;
  }
  RememberState();
  own_ = other->own_;
  assigned_values_ = other->assigned_values_;
  TlxLookAndFeel* master = other->GetMaster();
  if (master != this && master != GetMaster()) {
    if (TlxLookAndFeel* old_master = GetMaster()) old_master->RemoveListener(this);
    master_ = master == Root().root.get() ? nullptr : master;
    if (TlxLookAndFeel* new_master = GetMaster()) new_master->AddListener(this);
  }
  ReportStateChanges();
}

void TlxLookAndFeel::DefineProperties(TFiler& filer) {
  TlxInterfacedPersistent::DefineProperties(filer);
  const bool has_data = assigned_values_.Contains(lfvSkinName) && current_.SkinName.empty();
  filer.DefineProperty(
      "SkinName", [this](TReader& reader) { SetSkinName(reader.ReadString()); },
      [this](TWriter& writer) { writer.WriteString(current_.SkinName); }, has_data);
}

// --- TlxLookAndFeelController ----------------------------------------------------

void TlxLookAndFeelController::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxLookAndFeelController>();
  p.Enumeration("Kind", &TlxLookAndFeelController::Kind, &TlxLookAndFeelController::SetKind,
                {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"}, std::optional{lfUltraFlat});
  p.Boolean("NativeStyle", &TlxLookAndFeelController::NativeStyle, &TlxLookAndFeelController::SetNativeStyle, false);
  p.String("SkinName", &TlxLookAndFeelController::SkinName, &TlxLookAndFeelController::SetSkinName);
}

TlxLookAndFeelController::TlxLookAndFeelController(TComponent* owner) : TComponent(owner) {
  if (TlxLookAndFeel* root = lxGetRootLookAndFeel()) root->AddListener(this);
}

TlxLookAndFeelController::~TlxLookAndFeelController() {
  if (TlxLookAndFeel* root = lxGetRootLookAndFeel()) root->RemoveListener(this);
}

TlxLookAndFeelKind TlxLookAndFeelController::Kind() const {
  const TlxLookAndFeel* root = lxGetRootLookAndFeel();
  return root != nullptr ? root->Kind() : lfUltraFlat;
}

void TlxLookAndFeelController::SetKind(TlxLookAndFeelKind value) {
  if (TlxLookAndFeel* root = lxGetRootLookAndFeel()) root->SetKind(value);
}

bool TlxLookAndFeelController::NativeStyle() const {
  const TlxLookAndFeel* root = lxGetRootLookAndFeel();
  return root != nullptr && root->NativeStyle();
}

void TlxLookAndFeelController::SetNativeStyle(bool value) {
  if (TlxLookAndFeel* root = lxGetRootLookAndFeel()) root->SetNativeStyle(value);
}

TlxSkinName TlxLookAndFeelController::SkinName() const {
  const TlxLookAndFeel* root = lxGetRootLookAndFeel();
  return root != nullptr ? root->SkinName() : TlxSkinName();
}

void TlxLookAndFeelController::SetSkinName(const TlxSkinName& value) {
  if (TlxLookAndFeel* root = lxGetRootLookAndFeel()) root->SetSkinName(value);
}
