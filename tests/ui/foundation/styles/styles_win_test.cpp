#include "ui/foundation/styles/styles_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/memory_stream.h"

namespace {

// A collection with defaults per index that records the indexes it hears of.
class RecordingStyles : public TlxStyles {
 public:
  static constexpr TClass kClass{"RecordingStyles", &TlxStyles::kClass, &ConstructInstance<RecordingStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit RecordingStyles(TPersistent* owner = nullptr, std::vector<std::string>* log = nullptr,
                           std::string name = {})
      : TlxStyles(owner), log_(log), name_(std::move(name)) {}

  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override {
    TlxStyles::GetDefaultViewParams(index, data, params);
    params.Color = clWindow;
    params.Font = &default_font;
    params.TextColor = clWindowText;
  }

  std::vector<int32_t> changed;
  TFont default_font;

 protected:
  using TlxStyles::StyleChanged;
  void StyleChanged(int32_t index) override {
    changed.push_back(index);
    if (log_ != nullptr)
      log_->push_back(name_ + ":" + std::to_string(index));
  }

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

// A sheet whose styles object is a RecordingStyles.
class RecordingSheet : public TlxCustomStyleSheet {
 public:
  static constexpr TClass kClass{"RecordingSheet", &TlxCustomStyleSheet::kClass, &ConstructInstance<RecordingSheet>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RecordingSheet(TComponent* owner) : TlxCustomStyleSheet(owner) {}
  const TClass* StylesObjectClass() const override { return &RecordingStyles::kClass; }
};

class StylesTest : public ::testing::Test {
 protected:
  TlxStyle* NewStyle() { return static_cast<TlxStyle*>(repository_->AddStyleOfClass(&TlxStyle::kClass)); }

  std::unique_ptr<TlxStyleRepository> repository_ = std::make_unique<TlxStyleRepository>(nullptr);
};

TEST_F(StylesTest, SettingValuesSetsAndClearsTheirFlags) {
  TlxStyle* style = NewStyle();
  EXPECT_TRUE(style->AssignedValues().Empty());
  style->SetColor(clRed);
  style->SetTextColor(clBlue);
  EXPECT_EQ(style->AssignedValues(), (TlxStyleValues{svColor, svTextColor}));
  style->SetColor(clDefault);
  EXPECT_FALSE(style->IsValueAssigned(svColor));
  TFont font;
  font.SetHeight(-20);
  style->SetFont(&font);
  EXPECT_TRUE(style->IsValueAssigned(svFont));
  TBitmap bitmap(4, 4, pf32bit);
  style->SetBitmap(&bitmap);
  EXPECT_TRUE(style->IsValueAssigned(svBitmap));
  style->SetBitmap(nullptr);
  EXPECT_FALSE(style->IsValueAssigned(svBitmap));
  style->ResetToDefaults();
  EXPECT_TRUE(style->AssignedValues().Empty());
  EXPECT_EQ(style->TextColor(), clDefault);
  EXPECT_EQ(style->Font()->Height(), -20);  // the font keeps its values
}

TEST_F(StylesTest, CopyingAStyleTakesItsFlagsLast) {
  TlxStyle* source = NewStyle();
  source->SetColor(clRed);
  source->SetAssignedValues({});  // the colour is there but not set
  TlxStyle* target = NewStyle();
  target->Assign(source);
  EXPECT_EQ(target->Color(), clRed);
  EXPECT_TRUE(target->AssignedValues().Empty());
}

TEST_F(StylesTest, ViewParamsComeFromTheExplicitStyleThenTheIndexedOneThenTheDefaults) {
  RecordingStyles styles;
  TlxStyle* indexed = NewStyle();
  TFont font;
  font.SetHeight(-17);
  indexed->SetFont(&font);
  indexed->SetColor(clGreen);
  styles.SetIndexedStyle(3, indexed);
  TlxStyle* given = NewStyle();
  given->SetColor(clRed);

  TlxPaintParams params;
  styles.GetViewParams(3, nullptr, given, params);
  EXPECT_EQ(params.Color, clRed);
  EXPECT_EQ(params.Font, indexed->Font());
  EXPECT_EQ(params.TextColor, clWindowText);
  EXPECT_EQ(params.Bitmap, nullptr);

  // A colour set back to clDefault is no longer set: the default shows.
  given->SetColor(clDefault);
  indexed->SetColor(clDefault);
  styles.GetViewParams(3, nullptr, given, params);
  EXPECT_EQ(params.Color, clWindow);
  // Nothing stored for an index: all defaults.
  styles.GetViewParams(5, nullptr, nullptr, params);
  EXPECT_EQ(params.Font, &styles.default_font);
  EXPECT_EQ(styles.HighestDefaultIndex(), 5);
}

TEST_F(StylesTest, ACollectionHearsOfItsStylesChangesAndRemoval) {
  RecordingStyles first;
  RecordingStyles second;
  TlxStyle* style = NewStyle();
  first.SetStyle(1, style);
  first.SetStyle(4, style);
  second.SetStyle(2, style);
  first.changed.clear();
  second.changed.clear();

  style->SetColor(clRed);
  EXPECT_EQ(first.changed, (std::vector<int32_t>{1, 4}));
  EXPECT_EQ(second.changed, (std::vector<int32_t>{2}));

  first.changed.clear();
  second.changed.clear();
  delete style;
  EXPECT_EQ(first.ItemCount(), 0);
  EXPECT_EQ(second.ItemCount(), 0);
  EXPECT_EQ(first.changed, (std::vector<int32_t>{4, 1}));
  EXPECT_EQ(second.changed, (std::vector<int32_t>{2}));
  EXPECT_EQ(repository_->StyleCount(), 0);
}

TEST_F(StylesTest, AControlFontChangeReachesTheIndexesThatUseIt) {
  RecordingStyles styles;
  TlxStyle* with_font = NewStyle();
  TFont font;
  with_font->SetFont(&font);
  styles.SetStyle(1, with_font);
  TlxPaintParams params;
  styles.GetViewParams(2, nullptr, nullptr, params);
  styles.changed.clear();
  styles.FontChanged(nullptr, &styles.default_font);
  EXPECT_EQ(styles.changed, (std::vector<int32_t>{0, 2}));
  styles.changed.clear();
  TFont other;
  styles.FontChanged(nullptr, &other);
  EXPECT_TRUE(styles.changed.empty());
}

TEST_F(StylesTest, StyleObserversHearOfChangesLastFirst) {
  std::vector<std::string> log;
  RecordingStyles first(nullptr, &log, "first");
  RecordingStyles second(nullptr, &log, "second");
  TlxStyle* style = NewStyle();
  first.SetStyle(0, style);
  second.SetStyle(0, style);
  log.clear();
  style->SetTextColor(clRed);
  EXPECT_EQ(log, (std::vector<std::string>{"second:0", "first:0"}));
}

TEST_F(StylesTest, ItemsStaySortedByIndexAndCanBeRemoved) {
  RecordingStyles styles;
  TlxStyle* style = NewStyle();
  for (int32_t index : {7, 2, 9, 4})
    styles.SetStyle(index, style);
  ASSERT_EQ(styles.ItemCount(), 4);
  for (int32_t i = 0; i + 1 < styles.ItemCount(); ++i)
    EXPECT_LT(styles.ItemAt(i).Index, styles.ItemAt(i + 1).Index);
  int32_t position = -1;
  EXPECT_FALSE(styles.FindIndex(5, position));
  EXPECT_EQ(position, 2);
  styles.changed.clear();
  styles.SetStyle(4, nullptr);
  EXPECT_EQ(styles.ItemCount(), 3);
  EXPECT_EQ(styles.changed, (std::vector<int32_t>{4}));
  styles.Clear();
  EXPECT_EQ(styles.ItemCount(), 0);
  EXPECT_EQ(style->ObserverCount(), 0);
}

TEST_F(StylesTest, ASheetGivesItsStylesAndWhatItAlreadyGivesIsNotStoredAgain) {
  auto* sheet = static_cast<RecordingSheet*>(repository_->CreateStyleSheet(&RecordingSheet::kClass));
  TlxStyle* style = NewStyle();
  sheet->StylesObject()->SetStyle(6, style);
  RecordingStyles styles;
  styles.SetStyleSheet(sheet);
  EXPECT_EQ(styles.changed, (std::vector<int32_t>{6}));
  EXPECT_EQ(styles.GetStyle(6), style);

  styles.changed.clear();
  styles.SetStyle(6, style);
  EXPECT_EQ(styles.ItemCount(), 0);
  EXPECT_TRUE(styles.changed.empty());

  // A change in the sheet reaches the collection through the sheet.
  style->SetColor(clLime);
  EXPECT_EQ(styles.changed, (std::vector<int32_t>{6}));
  // The sheet goes: the collection is left without it.
  delete sheet;
  EXPECT_EQ(styles.StyleSheet(), nullptr);
  EXPECT_EQ(styles.GetStyle(6), nullptr);
}

TEST_F(StylesTest, SheetsOfAnotherClassOrThatWouldFormACycleAreRefused) {
  auto* plain = repository_->CreateStyleSheet(&TlxCustomStyleSheet::kClass);
  RecordingStyles styles;
  styles.SetStyleSheet(plain);  // its styles object is no RecordingStyles
  EXPECT_EQ(styles.StyleSheet(), nullptr);

  auto* a = repository_->CreateStyleSheet(&RecordingSheet::kClass);
  auto* b = repository_->CreateStyleSheet(&RecordingSheet::kClass);
  auto* c = repository_->CreateStyleSheet(&RecordingSheet::kClass);
  a->StylesObject()->SetStyleSheet(b);
  b->StylesObject()->SetStyleSheet(c);
  EXPECT_EQ(b->StylesObject()->StyleSheet(), c);
  c->StylesObject()->SetStyleSheet(a);  // a -> b -> c -> a
  EXPECT_EQ(c->StylesObject()->StyleSheet(), nullptr);
  a->StylesObject()->SetStyleSheet(a);  // itself
  EXPECT_EQ(a->StylesObject()->StyleSheet(), b);

  // A collection along a legal chain still finds the styles at its end.
  TlxStyle* style = NewStyle();
  c->StylesObject()->SetStyle(1, style);
  styles.SetStyleSheet(a);
  EXPECT_EQ(styles.GetStyle(1), style);
  EXPECT_EQ(styles.changed, (std::vector<int32_t>{1}));
}

TEST_F(StylesTest, ACaptionEqualToTheNameIsNotStored) {
  TlxCustomStyleSheet* sheet = repository_->CreateStyleSheet(&TlxCustomStyleSheet::kClass);
  sheet->SetName("GridSheet");
  sheet->SetCaption("GRIDSHEET");
  EXPECT_FALSE(sheet->IsCaptionStored());
  EXPECT_EQ(sheet->Caption(), "GridSheet");
  sheet->SetCaption("Tabelle");
  EXPECT_EQ(sheet->Caption(), "Tabelle");
  EXPECT_FALSE(sheet->BuiltIn());
}

// A repository loaded on a screen of 120 pixels per inch.
class LargeScreenRepository : public TlxStyleRepository {
 public:
  using TlxStyleRepository::TlxStyleRepository;

 protected:
  int32_t ScreenPixelsPerInch() const override { return 120; }
};

TEST_F(StylesTest, AScaledLoadScalesOnlyTheFontsThatStylesSet) {
  lxStylesModuleStart();
  TMemoryStream stream;
  {
    TlxStyleRepository stored(nullptr);
    stored.SetName("Repository");
    stored.SetScalable(true);
    auto* with_font = static_cast<TlxStyle*>(stored.AddStyleOfClass(&TlxStyle::kClass));
    with_font->SetName("WithFont");
    with_font->SetAssignedValues({svFont});
    auto* colour_only = static_cast<TlxStyle*>(stored.AddStyleOfClass(&TlxStyle::kClass));
    colour_only->SetName("ColourOnly");
    colour_only->SetColor(clRed);
    stream.WriteComponent(stored);
  }
  stream.SetPosition(0);
  LargeScreenRepository loaded(nullptr);
  stream.ReadComponent(&loaded);
  lxStylesModuleEnd();

  const int32_t stored_ppi = GetDeviceCaps(lxGetScreenCanvas().Handle(), LOGPIXELSY);
  EXPECT_EQ(loaded.PixelsPerInch(), stored_ppi);
  ASSERT_EQ(loaded.StyleCount(), 2);
  auto* with_font = dynamic_cast<TlxStyle*>(loaded.FindComponent("WithFont"));
  auto* colour_only = dynamic_cast<TlxStyle*>(loaded.FindComponent("ColourOnly"));
  ASSERT_NE(with_font, nullptr);
  ASSERT_NE(colour_only, nullptr);
  const TFont plain;
  EXPECT_EQ(with_font->Font()->Height(), MulDiv(plain.Height(), 120, stored_ppi));
  EXPECT_EQ(colour_only->AssignedValues(), (TlxStyleValues{svColor}));
  EXPECT_EQ(colour_only->Font()->Height(), plain.Height());
  EXPECT_EQ(colour_only->Color(), clRed);
}

TEST_F(StylesTest, FontAndBitmapAreStoredOnlyWhenTheStyleSetsThem) {
  lxStylesModuleStart();
  TMemoryStream stream;
  {
    TlxStyleRepository stored(nullptr);
    stored.SetName("Repository");
    auto* with_both = static_cast<TlxStyle*>(stored.AddStyleOfClass(&TlxStyle::kClass));
    with_both->SetName("WithBoth");
    with_both->Font()->SetName("Courier New");
    with_both->Font()->SetStyle({fsItalic});
    with_both->Font()->SetHeight(-17);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 2);
    bitmap.Canvas().SetPixel(2, 1, clRed);
    with_both->SetBitmap(&bitmap);
    auto* colour_only = static_cast<TlxStyle*>(stored.AddStyleOfClass(&TlxStyle::kClass));
    colour_only->SetName("ColourOnly");
    colour_only->SetColor(clBlue);
    // A font changed and then disowned stays out of the stream.
    colour_only->Font()->SetName("Arial");
    colour_only->SetAssignedValues({svColor});
    stream.WriteComponent(stored);
  }
  const std::string written(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  const size_t colour_only_at = written.find("ColourOnly");
  ASSERT_NE(colour_only_at, std::string::npos);
  EXPECT_EQ(written.find("Font.", colour_only_at), std::string::npos);
  EXPECT_EQ(written.find("Bitmap.", colour_only_at), std::string::npos);

  stream.SetPosition(0);
  TlxStyleRepository loaded(nullptr);
  stream.ReadComponent(&loaded);
  lxStylesModuleEnd();

  auto* with_both = dynamic_cast<TlxStyle*>(loaded.FindComponent("WithBoth"));
  auto* colour_only = dynamic_cast<TlxStyle*>(loaded.FindComponent("ColourOnly"));
  ASSERT_NE(with_both, nullptr);
  ASSERT_NE(colour_only, nullptr);
  EXPECT_EQ(with_both->AssignedValues(), (TlxStyleValues{svBitmap, svFont}));
  EXPECT_EQ(with_both->Font()->Name(), "Courier New");
  EXPECT_EQ(with_both->Font()->Style(), (TFontStyles{fsItalic}));
  EXPECT_EQ(with_both->Font()->Height(), -17);
  EXPECT_EQ(with_both->Bitmap()->Width(), 3);
  EXPECT_EQ(with_both->Bitmap()->Height(), 2);
  EXPECT_EQ(with_both->Bitmap()->Canvas().Pixel(2, 1), clRed);
  EXPECT_EQ(with_both->Bitmap()->Canvas().Pixel(0, 0), clWhite);

  const TFont plain;
  EXPECT_EQ(colour_only->AssignedValues(), (TlxStyleValues{svColor}));
  EXPECT_EQ(colour_only->Color(), clBlue);
  EXPECT_TRUE(colour_only->Font()->SameAs(plain));
  EXPECT_TRUE(colour_only->Bitmap()->Empty());
}

TEST_F(StylesTest, ScaleSizeRoundsToNearest) {
  class Stored96 : public LargeScreenRepository {
   public:
    Stored96() : LargeScreenRepository(nullptr) {
      TMemoryStream stream;
      {
        TlxStyleRepository plain(nullptr);
        stream.WriteComponent(plain);
      }
      stream.SetPosition(0);
      stream.ReadComponent(this);
    }
  };
  Stored96 repository;
  if (repository.PixelsPerInch() != 96)
    GTEST_SKIP() << "the screen is not at 96 pixels per inch";
  EXPECT_EQ(repository.ScaleSize(-11), -11);  // not scalable
  repository.SetScalable(true);
  EXPECT_EQ(repository.ScaleSize(-11), -14);
  EXPECT_EQ(repository.ScaleSize(8), 10);
}

}  // namespace
