#include "platform/rtl/object.h"

#include <gtest/gtest.h>

#include "platform/rtl/component.h"

namespace {

class TShape : public TObject {
 public:
  static constexpr TClass kClass{"TShape", &TObject::kClass};  // abstract: no factory
  const TClass* ClassType() const override { return &kClass; }
  virtual int Corners() const = 0;
};

class TSquare : public TShape {
 public:
  static constexpr TClass kClass{"TSquare", &TShape::kClass, &ConstructInstance<TSquare>};
  const TClass* ClassType() const override { return &kClass; }
  int Corners() const override { return 4; }
};

class TOwnedThing : public TComponent {
 public:
  static constexpr TClass kClass{"TOwnedThing", &TComponent::kClass, &ConstructInstance<TOwnedThing>};
  const TClass* ClassType() const override { return &kClass; }
  using TComponent::TComponent;
};

class IPrintable : public virtual IInterface {
 public:
  virtual std::string Print() const = 0;
};

class TPrintableSquare : public TSquare, public IPrintable {
 public:
  std::string Print() const override { return "square"; }
};

// A class-level operation: one stateless instance per class.
class TPainter {
 public:
  virtual ~TPainter() = default;
  virtual int BorderWidth() const { return 1; }
};
class TFlatPainter : public TPainter {
 public:
  int BorderWidth() const override { return 0; }
};

TEST(ObjectModelTest, ClassReferencesKnowNameParentAndAncestry) {
  TSquare square;
  EXPECT_EQ(square.ClassName(), "TSquare");
  EXPECT_EQ(square.ClassParent(), &TShape::kClass);
  EXPECT_TRUE(square.InheritsFrom(&TObject::kClass));
  EXPECT_TRUE(square.Is(TShape::kClass));
  EXPECT_FALSE(TShape::kClass.InheritsFrom(&TSquare::kClass));
  EXPECT_FALSE(square.InheritsFrom(&TComponent::kClass));
}

TEST(ObjectModelTest, VirtualConstructionBuildsTheReferencedClass) {
  const TClass* shape_class = &TSquare::kClass;
  std::unique_ptr<TShape> shape = CreateUnowned<TShape>(shape_class);
  EXPECT_EQ(shape->Corners(), 4);
  EXPECT_EQ(shape->ClassType(), shape_class);

  EXPECT_TRUE(TShape::kClass.IsAbstract());
  EXPECT_THROW(TShape::kClass.CreateInstance(), EInvalidOperation);
  // A square is not a component: the checked cast refuses and frees it.
  EXPECT_THROW(CreateUnowned<TComponent>(&TSquare::kClass), EInvalidOperation);
}

TEST(ObjectModelTest, ComponentClassesAreBuiltWithTheirOwner) {
  TComponent owner(nullptr);
  TObject* made = TOwnedThing::kClass.CreateInstance(&owner);
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), made);
  TSquare not_a_component;
  EXPECT_THROW(TOwnedThing::kClass.CreateInstance(&not_a_component), EInvalidOperation);
}

TEST(ObjectModelTest, RegistryFindsClassesByNameIgnoringCase) {
  RegisterStreamableClasses({&TSquare::kClass, &TOwnedThing::kClass});
  RegisterStreamableClass(TSquare::kClass);  // twice is harmless
  EXPECT_EQ(GetClass("tsquare"), &TSquare::kClass);
  EXPECT_EQ(FindClass("TOwnedThing"), &TOwnedThing::kClass);
  EXPECT_EQ(GetClass("TMissing"), nullptr);
  try {
    FindClass("TMissing");
    FAIL();
  } catch (const EClassNotFound& error) {
    EXPECT_EQ(error.Message(), "Class TMissing not found");
  }
  UnRegisterStreamableClass(TSquare::kClass);
  EXPECT_EQ(GetClass("TSquare"), nullptr);
  UnRegisterStreamableClass(TOwnedThing::kClass);
}

TEST(ObjectModelTest, AliveTokenAndWeakRefNoticeDestruction) {
  auto square = std::make_unique<TSquare>();
  TAliveToken token = square->AliveToken();
  TWeakRef<TSquare> weak(square.get());
  EXPECT_TRUE(token.Alive());
  EXPECT_EQ(weak.Get(), square.get());
  square.reset();
  EXPECT_FALSE(token.Alive());
  EXPECT_EQ(weak.Get(), nullptr);
  EXPECT_FALSE(TAliveToken().Alive());
  EXPECT_FALSE(TWeakRef<TSquare>());
}

TEST(ObjectModelTest, HandlerThatFreesItsSenderIsDetected) {
  auto* owner = new TComponent(nullptr);
  TNotifyEvent on_click = [](TObject* sender) { delete sender; };
  TAliveToken token = owner->AliveToken();
  on_click(owner);
  EXPECT_FALSE(token.Alive());
}

TEST(ObjectModelTest, SupportsFindsImplementedInterfaces) {
  TPrintableSquare printable;
  TSquare plain;
  IPrintable* found = nullptr;
  EXPECT_TRUE(Supports<IPrintable>(static_cast<TObject*>(&printable), found));
  EXPECT_EQ(found->Print(), "square");
  EXPECT_EQ(Supports<IPrintable>(static_cast<TObject*>(&plain)), nullptr);
  EXPECT_EQ(Supports<IPrintable>(static_cast<TObject*>(nullptr)), nullptr);
}

TEST(ObjectModelTest, StatelessInstancesAreOnePerClass) {
  const TPainter& flat = StatelessInstance<TFlatPainter>();
  EXPECT_EQ(&flat, &StatelessInstance<TFlatPainter>());
  EXPECT_EQ(flat.BorderWidth(), 0);
  EXPECT_EQ(StatelessInstance<TPainter>().BorderWidth(), 1);
}

}  // namespace
