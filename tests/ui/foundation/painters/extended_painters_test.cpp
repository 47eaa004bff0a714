#include "ui/foundation/painters/extended_painters.h"

#include <gtest/gtest.h>

namespace {

class Observer : public TObject, public IlxExtendedPainterObserver {};

constexpr TClass kFirstPainterClass{"FirstPainter", &TObject::kClass};
constexpr TClass kSecondPainterClass{"SecondPainter", &TObject::kClass};

TEST(ExtendedStylePaintersTest, EmptyListFindsNoName) {
  TlxExtendedStylePainters painters;
  for (const char* name : {"", "Flat", "UltraFlat", "anything"}) {
    const TClass* painter_class = &kFirstPainterClass;
    EXPECT_FALSE(painters.FindPainterByName(name, painter_class)) << name;
    EXPECT_EQ(painter_class, nullptr) << name;
    EXPECT_EQ(painters.IndexOfName(name), -1) << name;
  }
  const TClass* painter_class = nullptr;
  EXPECT_FALSE(lxExtendedStylePainters().FindPainterByName("Flat", painter_class));
}

TEST(ExtendedStylePaintersTest, NamesMatchRegardlessOfCaseAndTheFirstWins) {
  TlxExtendedStylePainters painters;
  painters.Add(new TlxExtendedStylePainter("Glass", &kFirstPainterClass));
  painters.Add(new TlxExtendedStylePainter("Metal", &kSecondPainterClass));
  painters.Add(new TlxExtendedStylePainter("GLASS", &kSecondPainterClass));

  struct Case {
    const char* name;
    int32_t index;
    const TClass* painter_class;
  };
  for (const Case& c : {Case{"glass", 0, &kFirstPainterClass}, Case{"mEtAl", 1, &kSecondPainterClass},
                        Case{"Glas", -1, nullptr}, Case{"Glass ", -1, nullptr}}) {
    TlxExtendedStylePainter* entry = nullptr;
    EXPECT_EQ(painters.IndexOfName(c.name, &entry), c.index) << c.name;
    EXPECT_EQ(entry == nullptr ? nullptr : entry->PainterClass(), c.painter_class) << c.name;
    const TClass* found = nullptr;
    EXPECT_EQ(painters.FindPainterByName(c.name, found), c.index >= 0) << c.name;
    EXPECT_EQ(found, c.painter_class) << c.name;
  }
}

TEST(ExtendedStylePaintersTest, ObserversAreKeptOnceAndRemoved) {
  TlxExtendedStylePainters painters;
  Observer first;
  Observer second;
  painters.AddObserver(&first);
  painters.AddObserver(&first);
  painters.AddObserver(&second);
  painters.AddObserver(nullptr);
  EXPECT_EQ(painters.ObserverCount(), 2);
  EXPECT_TRUE(painters.HasObserver(&first));

  painters.RemoveObserver(&first);
  painters.RemoveObserver(&first);
  EXPECT_FALSE(painters.HasObserver(&first));
  EXPECT_TRUE(painters.HasObserver(&second));
  EXPECT_EQ(painters.ObserverCount(), 1);
}

}  // namespace
