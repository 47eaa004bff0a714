#include "editors/kinds/db_edit_default_values_provider.h"

#include <gtest/gtest.h>

#include "platform/db/blob_fields.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"

namespace {

// A file table with one field of each kind the provider tells apart.
struct ProviderFixture {
  ProviderFixture() {
    cds = new TClientDataSet(&owner);
    number = Add<TIntegerField>("Nr");
    number->SetMinValue(-5);
    number->SetMaxValue(99);
    number->SetAlignment(taCenter);
    name = Add<TStringField>("Datei");
    name->SetSize(100);
    name->SetEditMask("!>LL;1;_");
    name->SetRequired(true);
    size = Add<TFloatField>("Größe");
    size->SetPrecision(5);
    size->SetMaxValue(1234.5678);
    size->SetMinValue(-0.000123456);
    size->SetCurrency(true);
    size->SetDisplayFormat("0,.###");
    size->SetEditFormat("0.00");
    date = Add<TDateTimeField>("Datum");
    memo = Add<TMemoField>("Notiz");
    picture = Add<TGraphicField>("Bild");
    price = Add<TBCDField>("Preis");
    price->SetPrecision(12);
    price->SetMaxValue(Currency::FromDouble(500.25));
    source = new TDataSource(&owner);
    source->SetDataSet(cds);
    provider.SetDataSource(source);
  }

  template <class FieldClass>
  FieldClass* Add(const char* field_name) {
    auto* field = new FieldClass(&owner);
    field->SetFieldName(field_name);
    field->SetDataSet(cds);
    return field;
  }

  TComponent owner{nullptr};
  TClientDataSet* cds = nullptr;
  TIntegerField* number = nullptr;
  TStringField* name = nullptr;
  TFloatField* size = nullptr;
  TDateTimeField* date = nullptr;
  TMemoField* memo = nullptr;
  TGraphicField* picture = nullptr;
  TBCDField* price = nullptr;
  TDataSource* source = nullptr;
  TlxCustomDBEditDefaultValuesProvider provider{nullptr};
};

std::string DisplayFormat(const TlxCustomDBEditDefaultValuesProvider& provider) {
  std::string text = "x";
  provider.SuggestedDisplayFormat(text);
  return text;
}

std::string EditMask(const TlxCustomDBEditDefaultValuesProvider& provider) {
  std::string text = "x";
  provider.SuggestedEditMask(text);
  return text;
}

TEST(DBEditDefaultValuesProviderTest, AClosedDataSetGivesTheNeutralAnswersButThePrecision) {
  ProviderFixture f;
  for (TField* field : std::initializer_list<TField*>{f.number, f.name, f.size, f.memo}) {
    f.provider.SetField(field);
    EXPECT_FALSE(f.provider.HasActiveData()) << field->FieldName();
    EXPECT_FALSE(f.provider.SuggestedReadOnly());
    EXPECT_FALSE(f.provider.SuggestedRequired());
    EXPECT_EQ(f.provider.SuggestedMaxLength(), 0);
    EXPECT_EQ(f.provider.SuggestedMaxValue(), 0.0);
    EXPECT_EQ(f.provider.SuggestedMinValue(), 0.0);
    EXPECT_EQ(f.provider.SuggestedAlignment(), taLeftJustify);
    EXPECT_EQ(f.provider.SuggestedBlobKind(), 0);
    EXPECT_FALSE(f.provider.AllowsModification());
    EXPECT_FALSE(f.provider.HoldsCurrencyValue());
    EXPECT_FALSE(f.provider.HoldsBlobData());
    EXPECT_FALSE(f.provider.IsDisplayFormatDefined(true));
    EXPECT_EQ(DisplayFormat(f.provider), "");
    EXPECT_EQ(EditMask(f.provider), "");
    EXPECT_TRUE(f.provider.IsBoundToData());
  }
  f.provider.SetField(f.size);
  EXPECT_EQ(f.provider.SuggestedPrecision(), 5);
  f.provider.SetField(f.name);
  EXPECT_EQ(f.provider.SuggestedPrecision(), 15);
}

TEST(DBEditDefaultValuesProviderTest, AnOpenDataSetAnswersFromTheField) {
  ProviderFixture f;
  f.cds->CreateDataSet();
  f.provider.SetField(f.number);
  EXPECT_TRUE(f.provider.HasActiveData());
  EXPECT_EQ(f.provider.SuggestedAlignment(), taCenter);
  EXPECT_EQ(f.provider.SuggestedMaxValue(), 99.0);
  EXPECT_EQ(f.provider.SuggestedMinValue(), -5.0);
  EXPECT_FALSE(f.provider.HoldsFloatValue());
  EXPECT_EQ(f.provider.SuggestedMaxLength(), 0);
  EXPECT_TRUE(f.provider.AcceptsInputChar(u'7'));
  EXPECT_FALSE(f.provider.AcceptsInputChar(u'x'));

  f.provider.SetField(f.name);
  EXPECT_EQ(f.provider.SuggestedMaxLength(), 100);
  EXPECT_EQ(EditMask(f.provider), "!>LL;1;_");
  EXPECT_TRUE(f.provider.SuggestedRequired());
  EXPECT_EQ(DisplayFormat(f.provider), "");
  EXPECT_TRUE(f.provider.AllowsModification());
  f.name->SetReadOnly(true);
  EXPECT_TRUE(f.provider.SuggestedReadOnly());
  EXPECT_FALSE(f.provider.AllowsModification());

  f.provider.SetField(f.size);
  EXPECT_TRUE(f.provider.HoldsFloatValue());
  EXPECT_TRUE(f.provider.HoldsCurrencyValue());
  EXPECT_EQ(DisplayFormat(f.provider), "0,.###");
  std::string edit_format;
  f.provider.SuggestedEditFormat(edit_format);
  EXPECT_EQ(edit_format, "0.00");
  // Rounded to the field's five significant digits.
  EXPECT_DOUBLE_EQ(f.provider.SuggestedMaxValue(), 1234.6);
  EXPECT_DOUBLE_EQ(f.provider.SuggestedMinValue(), -0.00012346);

  f.provider.SetField(f.price);
  EXPECT_DOUBLE_EQ(f.provider.SuggestedMaxValue(), 500.25);
  EXPECT_EQ(f.provider.SuggestedPrecision(), 12);
  EXPECT_TRUE(f.provider.HoldsFloatValue());
}

TEST(DBEditDefaultValuesProviderTest, BlobKindsFollowTheDataType) {
  ProviderFixture f;
  f.cds->CreateDataSet();
  struct Case {
    TField* field;
    int32_t kind;
    bool blob;
  };
  for (const Case& c : {Case{f.memo, 3, true}, Case{f.picture, 2, true}, Case{f.name, 0, false},
                        Case{f.number, 0, false}}) {
    f.provider.SetField(c.field);
    EXPECT_EQ(f.provider.SuggestedBlobKind(), c.kind) << c.field->FieldName();
    EXPECT_EQ(f.provider.HoldsBlobData(), c.blob) << c.field->FieldName();
  }
}

TEST(DBEditDefaultValuesProviderTest, DisplayFormatsAreDefinedByFormatCurrencyOrHandler) {
  ProviderFixture f;
  f.cds->CreateDataSet();
  f.provider.SetField(f.size);
  EXPECT_TRUE(f.provider.IsDisplayFormatDefined(false));  // its DisplayFormat
  EXPECT_FALSE(f.provider.HasImplicitDisplayFormat());
  f.size->SetDisplayFormat("");
  EXPECT_TRUE(f.provider.IsDisplayFormatDefined(true));  // currency counts
  EXPECT_FALSE(f.provider.IsDisplayFormatDefined(false));
  f.size->SetCurrency(false);
  EXPECT_FALSE(f.provider.IsDisplayFormatDefined(true));

  f.provider.SetField(f.date);
  EXPECT_FALSE(f.provider.IsDisplayFormatDefined(true));
  f.date->SetDisplayFormat("dd.mm.yyyy");
  EXPECT_TRUE(f.provider.IsDisplayFormatDefined(false));
  // A date format is defined but no numeric format is suggested.
  EXPECT_TRUE(f.provider.HasImplicitDisplayFormat());

  f.provider.SetField(f.name);
  EXPECT_FALSE(f.provider.IsDisplayFormatDefined(true));
  EXPECT_FALSE(f.provider.HasSetTextHandler());
  f.name->OnGetText = [](TField*, std::string& text, bool) { text = "x"; };
  f.name->OnSetText = [](TField*, const std::string&) {};
  EXPECT_TRUE(f.provider.IsDisplayFormatDefined(false));
  EXPECT_TRUE(f.provider.HasSetTextHandler());
}

TEST(DBEditDefaultValuesProviderTest, EditModeFollowsAutoEditOrTheSourceState) {
  ProviderFixture f;
  f.name->SetRequired(false);
  f.cds->CreateDataSet();
  f.cds->Append();
  f.cds->Post();
  EXPECT_TRUE(f.provider.AllowsEditMode());
  f.source->SetAutoEdit(false);
  EXPECT_FALSE(f.provider.AllowsEditMode());
  f.cds->Edit();
  EXPECT_TRUE(f.provider.AllowsEditMode());
  f.cds->Cancel();
  f.provider.SetDataSource(nullptr);
  EXPECT_FALSE(f.provider.AllowsEditMode());
}

TEST(DBEditDefaultValuesProviderTest, FreedSourceAndFieldAreForgotten) {
  ProviderFixture f;
  f.provider.SetField(f.name);
  delete f.source;
  EXPECT_EQ(f.provider.DataSource(), nullptr);
  EXPECT_EQ(f.provider.Field(), f.name);
  delete f.name;
  EXPECT_EQ(f.provider.Field(), nullptr);
  EXPECT_FALSE(f.provider.HasActiveData());
}

}  // namespace
