#include "ui/foundation/look_and_feel/look_and_feel_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

// Records what it is told, in one log shared by several observers.
class Recorder : public TObject, public IlxLookAndFeelObserver {
 public:
  Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  TObject* GetObject() override { return this; }
  void MasterChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues changed) override {
    log_.push_back(name_ + ":" + std::to_string(changed.Bits()));
    if (on_changed) on_changed();
  }
  void MasterDestroying(TlxLookAndFeel* /*sender*/) override { log_.push_back(name_ + ":destroying"); }
  std::function<void()> on_changed;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

// Each test starts from a fresh root object.
class LookAndFeelTest : public ::testing::Test {
 protected:
  LookAndFeelTest() {
    lxFinishLookAndFeels();
    lxStartLookAndFeels();
  }
  // The root goes with its palette notifier, so that no test after these
  // finds the shared palette still held.
  ~LookAndFeelTest() override { lxFinishLookAndFeels(); }
  TlxLookAndFeel& root() { return *lxGetRootLookAndFeel(); }
  std::vector<std::string> log_;
};

constexpr uint32_t kKindBit = 1;
constexpr uint32_t kNativeStyleBit = 2;

TEST_F(LookAndFeelTest, UnassignedValuesFollowTheRoot) {
  EXPECT_TRUE(root().IsRoot());
  EXPECT_EQ(root().GetMaster(), nullptr);
  EXPECT_EQ(root().Kind(), lfUltraFlat);
  EXPECT_EQ(root().CurrentPainter(), &lxPainter<TlxUltraFlatLookAndFeelPainter>());

  // Observers outlive what they observe.
  Recorder follower_observer("follower", log_);
  Recorder own_observer("own", log_);
  TlxLookAndFeel follower(nullptr);
  TlxLookAndFeel own(nullptr);
  own.SetKind(lfStandard);
  EXPECT_EQ(follower.GetMaster(), &root());
  follower.AddListener(&follower_observer);
  own.AddListener(&own_observer);

  root().SetKind(lfFlat);
  EXPECT_EQ(follower.Kind(), lfFlat);
  EXPECT_EQ(follower.CurrentPainter(), &lxPainter<TlxFlatLookAndFeelPainter>());
  EXPECT_EQ(own.Kind(), lfStandard);
  EXPECT_EQ(own.CurrentPainter(), &lxPainter<TlxStandardLookAndFeelPainter>());
  EXPECT_EQ(log_, (std::vector<std::string>{"follower:" + std::to_string(kKindBit)}))
      << "an object that assigned its kind is not told";
}

TEST_F(LookAndFeelTest, AssigningTheFollowedValueTellsNobody) {
  Recorder observer("o", log_);
  TlxLookAndFeel follower(nullptr);
  follower.AddListener(&observer);
  follower.SetKind(lfUltraFlat);
  EXPECT_TRUE(follower.AssignedValues().Contains(lfvKind));
  follower.ClearAssignedValues();
  EXPECT_TRUE(follower.AssignedValues().Empty());
  EXPECT_TRUE(log_.empty());
}

TEST_F(LookAndFeelTest, ObserversAreToldFirstToLastAndOneLeavingSkipsNoOne) {
  Recorder first("first", log_);
  Recorder second("second", log_);
  Recorder third("third", log_);
  TlxLookAndFeel lf(nullptr);
  lf.AddListener(&first);
  lf.AddListener(&second);
  lf.AddListener(&second);
  lf.AddListener(&third);
  EXPECT_EQ(lf.ListenerCount(), 3);
  first.on_changed = [&] { lf.RemoveListener(&first); };
  lf.OnChanged = [&](TlxLookAndFeel*, TlxLookAndFeelValues) { log_.push_back("OnChanged"); };
  lf.SetNativeStyle(true);
  const std::string bits = std::to_string(kNativeStyleBit);
  EXPECT_EQ(log_, (std::vector<std::string>{"first:" + bits, "second:" + bits, "third:" + bits, "OnChanged"}));
}

TEST_F(LookAndFeelTest, MasterChainAndDestruction) {
  Recorder observer("child", log_);
  auto master = std::make_unique<TlxLookAndFeel>(nullptr);
  TlxLookAndFeel child(nullptr);
  master->SetKind(lfOffice11);
  child.AddListener(&observer);
  child.SetMaster(master.get());
  EXPECT_EQ(child.GetMaster(), master.get());
  EXPECT_EQ(child.Kind(), lfOffice11);
  EXPECT_EQ(child.CurrentPainter(), &lxPainter<TlxOffice11LookAndFeelPainter>());
  ASSERT_EQ(log_.size(), 1u);

  // Setting nil on an object that follows the root does nothing.
  TlxLookAndFeel plain(nullptr);
  plain.SetMaster(nullptr);
  EXPECT_EQ(plain.GetMaster(), &root());

  // The master goes: the child moves to the root and reports the kind.
  master.reset();
  EXPECT_EQ(child.GetMaster(), &root());
  EXPECT_EQ(child.Kind(), lfUltraFlat);
  EXPECT_EQ(log_.back(), "child:" + std::to_string(kKindBit));
}

TEST_F(LookAndFeelTest, AMasterChainLeadingBackIsRefused) {
  TlxLookAndFeel a(nullptr);
  TlxLookAndFeel b(nullptr);
  TlxLookAndFeel c(nullptr);
  b.SetMaster(&a);
  c.SetMaster(&b);
  EXPECT_THROW(a.SetMaster(&c), EInvalidOperation);
  EXPECT_EQ(a.GetMaster(), &root());
  a.SetMaster(&a);
  EXPECT_EQ(a.GetMaster(), &root());
  // The chain still works after the refusal.
  a.SetKind(lfStandard);
  EXPECT_EQ(c.Kind(), lfStandard);
}

TEST_F(LookAndFeelTest, ControllersEditTheRootAndTheLastOneResetsIt) {
  TlxLookAndFeel follower(nullptr);
  auto first = std::make_unique<TlxLookAndFeelController>(nullptr);
  auto second = std::make_unique<TlxLookAndFeelController>(nullptr);
  first->SetKind(lfStandard);
  EXPECT_EQ(root().Kind(), lfStandard);
  EXPECT_EQ(second->Kind(), lfStandard);
  EXPECT_EQ(follower.Kind(), lfStandard);

  // A non-root object never takes a controller.
  follower.AddListener(first.get());
  EXPECT_EQ(follower.ListenerCount(), 0);

  first.reset();
  EXPECT_EQ(root().Kind(), lfStandard) << "one controller is left";
  second.reset();
  EXPECT_EQ(root().Kind(), lfUltraFlat);
  EXPECT_TRUE(root().AssignedValues().Empty());
  EXPECT_EQ(follower.Kind(), lfUltraFlat);
}

TEST_F(LookAndFeelTest, NativeStyleWithoutVisualStylesKeepsTheKindPainter) {
  // Visual styles off until the next style change, which the scope sends.
  lxThemeManager().SwitchThemesOff();
  TScopeExit themes_back([] { lxThemeManager().ThemeChanged(); });
  TlxLookAndFeel lf(nullptr);
  lf.SetKind(lfFlat);
  lf.SetNativeStyle(true);
  EXPECT_TRUE(lf.NativeStyle());
  EXPECT_EQ(lf.CurrentPainter(), &lxPainter<TlxFlatLookAndFeelPainter>());
  EXPECT_EQ(lf.PainterFor(totHeader), &lxPainter<TlxFlatLookAndFeelPainter>());
}

TEST_F(LookAndFeelTest, SkinPainterOnlyWithoutNativeStyle) {
  TlxExtendedStylePainters& skins = lxExtendedStylePainters();
  const TlxPainterClass skin = &lxPainter<TlxStandardLookAndFeelPainter>();
  skins.Add(new TlxExtendedStylePainter("Glass", nullptr, skin));
  TlxLookAndFeel lf(nullptr);
  lf.SetSkinName("glass");
  EXPECT_EQ(lf.CurrentPainter(), skin);
  EXPECT_TRUE(skins.HasObserver(&lf));
  TlxLookAndFeel follower(nullptr);
  follower.SetMaster(&lf);
  EXPECT_EQ(follower.CurrentPainter(), skin) << "the master's skin painter";
  lf.SetSkinName("Unknown");
  EXPECT_EQ(lf.CurrentPainter(), &lxPainter<TlxUltraFlatLookAndFeelPainter>());
  EXPECT_FALSE(skins.HasObserver(&lf));
  skins.Delete(skins.Count() - 1);
}

TEST_F(LookAndFeelTest, PaletteChangeReappliesNativeStyleToEveryObject) {
  Recorder own_observer("own", log_);
  Recorder follower_observer("follower", log_);
  TlxLookAndFeel own(nullptr);
  TlxLookAndFeel follower(nullptr);
  own.SetNativeStyle(false);
  own.AddListener(&own_observer);
  follower.AddListener(&follower_observer);
  ASSERT_NE(lxSystemPaletteChangedListener(), nullptr);
  SendMessageA(lxSystemPaletteChangedListener()->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  // Each object hears it from its own notifier; one that follows the root
  // in its native style hears it again through the root.
  const std::string bits = std::to_string(kNativeStyleBit);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "own:" + bits), 1);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "follower:" + bits), 2);
  EXPECT_EQ(log_.size(), 3u);
}

TEST_F(LookAndFeelTest, CopyFromTakesValuesAndMaster) {
  TlxLookAndFeel master(nullptr);
  TlxLookAndFeel source(nullptr);
  source.SetMaster(&master);
  source.SetNativeStyle(true);
  master.SetKind(lfOffice11);
  TlxLookAndFeel copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.GetMaster(), &master);
  EXPECT_EQ(copy.AssignedValues(), TlxLookAndFeelValues{lfvNativeStyle});
  EXPECT_TRUE(copy.NativeStyle());
  EXPECT_EQ(copy.Kind(), lfOffice11);
  TComponent not_a_look_and_feel(nullptr);
  EXPECT_THROW(copy.Assign(&not_a_look_and_feel), EConvertError);
}

// A component that owns a look-and-feel and streams it as a sub-object.
class TLookAndFeelHolder : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    properties.For<TLookAndFeelHolder>().Persistent(
        "LookAndFeel", TlxLookAndFeel::kClass, [](const TLookAndFeelHolder& self) { return self.look_and_feel.get(); });
  }
  static constexpr TClass kClass{"TLookAndFeelHolder", &TComponent::kClass, &ConstructInstance<TLookAndFeelHolder>,
                                 &TLookAndFeelHolder::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TLookAndFeelHolder(TComponent* owner)
      : TComponent(owner), look_and_feel(std::make_unique<TlxLookAndFeel>(this)) {}
  std::unique_ptr<TlxLookAndFeel> look_and_feel;
};

// Whether the stream names the property (its path with its length byte).
bool StreamNamesProperty(TMemoryStream& stream, const std::string& name) {
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  return bytes.find(static_cast<char>(name.size()) + name) != std::string::npos;
}

// "SkinName" goes through the writer and reader only when this object
// assigns it, an assigned empty name included: that one must not come back
// as the root's name.
TEST_F(LookAndFeelTest, SkinNameIsStoredOnlyWhenAssigned) {
  root().SetSkinName("RootSkin");
  struct Case {
    const char* name;
    std::function<void(TlxLookAndFeel&)> setup;
    bool stored;
    TlxLookAndFeelValues assigned_after_load;
    TlxSkinName skin_after_load;
  };
  const Case cases[] = {
      {"a name of its own", [](TlxLookAndFeel& lf) { lf.SetSkinName("Glass"); }, true,
       TlxLookAndFeelValues{lfvSkinName}, "Glass"},
      {"an assigned empty name", [](TlxLookAndFeel& lf) { lf.SetSkinName(""); }, true,
       TlxLookAndFeelValues{lfvSkinName}, ""},
      {"the root's name followed", [](TlxLookAndFeel& lf) { lf.SetKind(lfFlat); }, false,
       TlxLookAndFeelValues{lfvKind}, "RootSkin"},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    {
      TLookAndFeelHolder stored(nullptr);
      c.setup(*stored.look_and_feel);
      stream.WriteComponent(stored);
    }
    EXPECT_EQ(StreamNamesProperty(stream, "LookAndFeel.SkinName"), c.stored) << c.name;
    stream.SetPosition(0);
    TLookAndFeelHolder loaded(nullptr);
    stream.ReadComponent(&loaded);
    EXPECT_EQ(loaded.look_and_feel->AssignedValues(), c.assigned_after_load) << c.name;
    EXPECT_EQ(loaded.look_and_feel->SkinName(), c.skin_after_load) << c.name;
  }
}

}  // namespace

// The order in which the shared listener tells its notifiers: primaries
// from the last to the first, then the ordinary ones likewise.
TEST(SystemPaletteListenerTest, PrimariesFirstEachGroupBackwards) {
  std::vector<std::string> log;
  TlxSystemPaletteChangedNotifier ordinary_a(false);
  TlxSystemPaletteChangedNotifier primary_a(true);
  TlxSystemPaletteChangedNotifier ordinary_b(false);
  TlxSystemPaletteChangedNotifier primary_b(true);
  ordinary_a.OnSystemPaletteChanged = [&] { log.push_back("ordinary a"); };
  ordinary_b.OnSystemPaletteChanged = [&] { log.push_back("ordinary b"); };
  primary_a.OnSystemPaletteChanged = [&] { log.push_back("primary a"); };
  primary_b.OnSystemPaletteChanged = [&] { log.push_back("primary b"); };
  lxSystemPaletteChangedListener()->HandlePaletteChange();
  // Only the notifiers above: look-and-feel objects and the painters' own
  // notifier have nothing to log.
  EXPECT_EQ(log, (std::vector<std::string>{"primary b", "primary a", "ordinary b", "ordinary a"}));
}
