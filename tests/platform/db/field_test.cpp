#include "platform/db/field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/aggregate_field.h"
#include "platform/db/blob_fields.h"
#include "platform/db/boolean_field.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/property.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

// One record of every field type the dataset family offers.
struct TAllTypes {
  TAllTypes() {
    const std::pair<const char*, TFieldType> defs[] = {
        {"Text", ftString},       {"Wide", ftWideString}, {"Small", ftSmallint},   {"Int", ftInteger},
        {"Word", ftWord},         {"Auto", ftAutoInc},    {"Large", ftLargeint},   {"Float", ftFloat},
        {"Money", ftCurrency},    {"Bcd", ftBCD},         {"FmtBcd", ftFMTBcd},    {"Flag", ftBoolean},
        {"Day", ftDate},          {"Clock", ftTime},      {"Moment", ftDateTime},  {"Stamp", ftTimeStamp},
        {"Memo", ftMemo},         {"Blob", ftBlob},       {"Picture", ftGraphic},  {"Bytes", ftBytes},
        {"VarBytes", ftVarBytes}, {"Fixed", ftFixedChar},
    };
    for (const auto& [name, type] : defs)
      cds.FieldDefs().Add(name, type, type == ftString || type == ftFixedChar || type == ftWideString ? 5 : 0);
    cds.CreateDataSet();
    cds.Append();
  }
  TField* operator[](const char* name) const { return cds.FieldByName(name); }

  TScopedLocale locale{"de-DE"};
  TClientDataSet cds{nullptr};
};

TEST(FieldClasses, MatchTheTypes) {
  TAllTypes all;
  const std::pair<const char*, const char*> classes[] = {
      {"Text", "TStringField"},     {"Wide", "TWideStringField"}, {"Small", "TSmallintField"},
      {"Int", "TIntegerField"},     {"Word", "TWordField"},       {"Auto", "TAutoIncField"},
      {"Large", "TLargeintField"},  {"Float", "TFloatField"},     {"Money", "TCurrencyField"},
      {"Bcd", "TBCDField"},         {"FmtBcd", "TFMTBCDField"},   {"Flag", "TBooleanField"},
      {"Day", "TDateField"},        {"Clock", "TTimeField"},      {"Moment", "TDateTimeField"},
      {"Stamp", "TSQLTimeStampField"}, {"Memo", "TMemoField"},    {"Blob", "TBlobField"},
      {"Picture", "TGraphicField"}, {"Bytes", "TBytesField"},     {"VarBytes", "TVarBytesField"},
      {"Fixed", "TStringField"},
  };
  for (const auto& [name, class_name] : classes)
    EXPECT_EQ(all[name]->ClassName(), class_name) << name;
  EXPECT_TRUE(all["Money"]->Is(TFloatField::kClass));
  EXPECT_TRUE(all["Small"]->Is(TNumericField::kClass));
  EXPECT_FALSE(all["Large"]->Is(TIntegerField::kClass));
  EXPECT_TRUE(all["Memo"]->IsBlob());
  EXPECT_FALSE(all["Bytes"]->IsBlob());
  EXPECT_EQ(all["Int"]->Alignment(), taRightJustify);
  EXPECT_EQ(all["Text"]->Alignment(), taLeftJustify);
  EXPECT_EQ(all["Text"]->DisplayWidth(), 5);
  EXPECT_EQ(all["Flag"]->DisplayWidth(), 5);
  EXPECT_EQ(all["Moment"]->DisplayWidth(), 18);
  // Only the fractional number fields publish a Currency flag.
  EXPECT_NE(all["Float"]->ClassType()->Properties().Find("currency"), nullptr);
  EXPECT_NE(all["Bcd"]->ClassType()->Properties().Find("Currency"), nullptr);
  EXPECT_EQ(all["Int"]->ClassType()->Properties().Find("Currency"), nullptr);
}

TEST(FieldValues, TextConvertsForEveryTypeAndReadsBack) {
  TAllTypes all;
  struct Case {
    const char* field;
    const char* typed;
    const char* read;
  };
  const Case cases[] = {
      {"Text", "Größer als fünf", "Größe"},
      {"Wide", "αβγδεζ", "αβγδε"},
      {"Small", "-32768", "-32768"},
      {"Int", " 42", "42"},
      {"Word", "65535", "65535"},
      {"Large", "-9223372036854775808", "-9223372036854775808"},
      {"Float", "1234,5", "1234,5"},
      {"Money", "2,5", "2,5"},
      {"Bcd", "12,3456", "12,3456"},
      {"FmtBcd", "123456789012345678901234567890,5", "123456789012345678901234567890,5"},
      {"Flag", "false", "False"},
      {"Flag", "T", "True"},
      {"Day", "24.12.2024", "24.12.2024"},
      {"Clock", "13:45:10", "13:45:10"},
      {"Moment", "24.12.2024 13:45:10", "24.12.2024 13:45:10"},
      {"Stamp", "24.12.2024 13:45:10", "24.12.2024 13:45:10"},
      {"Memo", "Zeile 1\r\nZeile 2", "Zeile 1\r\nZeile 2"},
      {"Fixed", "ab   ", "ab"},
  };
  for (const Case& c : cases) {
    all[c.field]->SetAsString(c.typed);
    EXPECT_EQ(all[c.field]->AsString(), c.read) << c.field;
    EXPECT_FALSE(all[c.field]->IsNull()) << c.field;
  }
  for (const char* name : {"Int", "Float", "Day", "Flag", "Bcd"}) {
    all[name]->SetAsString("");
    EXPECT_TRUE(all[name]->IsNull()) << name;
    EXPECT_EQ(all[name]->AsString(), "") << name;
  }
}

TEST(FieldValues, TextThatDoesNotConvertRaisesAndLeavesTheValue) {
  TAllTypes all;
  struct Case {
    const char* field;
    const char* good;
    const char* bad;
    const char* message;
  };
  const Case cases[] = {
      {"Int", "7", "sieben", "'sieben' is not a valid integer value"},
      {"Int", "7", "1,5", "'1,5' is not a valid integer value"},
      {"Float", "1,5", "1.5x", "'1.5x' is not a valid floating point value"},
      {"Flag", "True", "vielleicht", "'vielleicht' is not a valid boolean value for field 'Flag'"},
      {"Moment", "01.02.2024", "32.13.2024", "'32.13.2024' is not a valid date and time"},
      {"Day", "01.02.2024", "gestern", "'gestern' is not a valid date"},
      {"Clock", "10:00:00", "25:99", "'25:99' is not a valid time"},
  };
  for (const Case& c : cases) {
    TField* field = all[c.field];
    field->SetAsString(c.good);
    const std::string before = field->AsString();
    try {
      field->SetAsString(c.bad);
      ADD_FAILURE() << c.field << " took " << c.bad;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), c.message) << c.field;
    }
    EXPECT_EQ(field->AsString(), before) << c.field;
  }
}

TEST(FieldValues, RangesAreChecked) {
  TAllTypes all;
  EXPECT_THROW(all["Small"]->SetAsInteger(40000), EDatabaseError);
  EXPECT_THROW(all["Word"]->SetAsInteger(-1), EDatabaseError);
  EXPECT_THROW(all["Int"]->SetAsLargeInt(int64_t{1} << 40), EDatabaseError);
  EXPECT_THROW(all["Int"]->SetAsFloat(1e300), EDatabaseError);
  auto* integer = static_cast<TIntegerField*>(all["Int"]);
  integer->SetMinValue(1);
  integer->SetMaxValue(10);
  integer->SetAsInteger(10);
  try {
    integer->SetAsInteger(11);
    FAIL() << "took a value above MaxValue";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "11 is not a valid value for field 'Int'. The allowed range is 1 to 10");
  }
  EXPECT_EQ(integer->AsInteger(), 10);
  auto* real = static_cast<TFloatField*>(all["Float"]);
  real->SetMaxValue(100);
  EXPECT_THROW(real->SetAsFloat(100.5), EDatabaseError);
  // Floats round half to even into integers.
  all["Int"]->SetAsFloat(2.5);
  EXPECT_EQ(all["Int"]->AsInteger(), 2);
  all["Float"]->SetAsFloat(3.5);
  EXPECT_EQ(all["Float"]->AsInteger(), 4);
}

TEST(FieldValues, AccessThatMakesNoSenseForTheTypeRaises) {
  TAllTypes all;
  try {
    (void)all["Float"]->AsBoolean();
    FAIL() << "read a float as a Boolean";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Cannot access field 'Float' as type Boolean");
  }
  EXPECT_THROW(all["Flag"]->SetAsInteger(1), EDatabaseError);
  EXPECT_THROW((void)all["Day"]->AsCurrency(), EDatabaseError);
  EXPECT_THROW(all["Memo"]->SetAsDateTime(0), EDatabaseError);
}

TEST(FieldValues, VariantsCarryTheNaturalTypeAndNull) {
  TAllTypes all;
  for (int i = 0; i < all.cds.FieldCount(); ++i)
    EXPECT_TRUE(all.cds.Fields()[i]->Value().IsNull()) << all.cds.Fields()[i]->FieldName();
  all["Int"]->SetValue(Variant(3.6));
  EXPECT_EQ(all["Int"]->Value().Type(), varInteger);
  EXPECT_EQ(all["Int"]->AsInteger(), 4);
  all["Small"]->SetValue(Variant("12"));
  EXPECT_EQ(all["Small"]->Value().Type(), varSmallint);
  all["Large"]->SetValue(Variant(int64_t{1} << 40));
  EXPECT_EQ(all["Large"]->Value().Type(), varInt64);
  all["Float"]->SetValue(Variant(2));
  EXPECT_EQ(all["Float"]->Value().Type(), varDouble);
  all["Bcd"]->SetValue(Variant(1.25));
  EXPECT_EQ(all["Bcd"]->Value().Type(), varCurrency);
  EXPECT_EQ(all["Bcd"]->AsCurrency(), Currency::FromRaw(12500));
  all["FmtBcd"]->SetValue(Variant("0,1"));
  EXPECT_TRUE(VarIsFMTBcd(all["FmtBcd"]->Value()));
  all["Moment"]->SetValue(Variant::FromDate(EncodeDate(2024, 5, 6)));
  EXPECT_EQ(all["Moment"]->Value().Type(), varDate);
  all["Stamp"]->SetAsDateTime(EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9, 10));
  EXPECT_TRUE(VarIsSQLTimeStamp(all["Stamp"]->Value()));
  EXPECT_EQ(all["Stamp"]->AsSQLTimeStamp().Fractions, 10u);
  all["Flag"]->SetValue(Variant(true));
  EXPECT_EQ(all["Flag"]->Value().Type(), varBoolean);
  all["Wide"]->SetValue(Variant(u"Weiß"));
  EXPECT_EQ(all["Wide"]->Value().Type(), varOleStr);
  EXPECT_EQ(all["Wide"]->AsWideString(), u"Weiß");
  all["Bytes"]->SetValue(VarArrayOf({Variant(1), Variant(255)}));
  const Variant bytes = all["Bytes"]->Value();
  ASSERT_TRUE(bytes.IsArray());
  EXPECT_EQ(VarArrayHighBound(bytes), 15);
  EXPECT_EQ(VarArrayGet(bytes, 1).AsInteger(), 255);
  EXPECT_EQ(VarArrayGet(bytes, 2).AsInteger(), 0);
  EXPECT_THROW(all["Bytes"]->SetValue(VarArrayOf({Variant(256)})), EConvertError);
  all["VarBytes"]->SetAsString(std::string("\x01\x02", 2));
  EXPECT_EQ(all["VarBytes"]->AsString().size(), 2u);
  all["Int"]->SetValue(Variant::Null());
  EXPECT_TRUE(all["Int"]->IsNull());
}

TEST(FieldValues, DatesKeepTheirOwnPartAndRefuseImpossibleValues) {
  TAllTypes all;
  const TDateTime moment = EncodeDate(2024, 3, 4) + EncodeTime(5, 6, 7, 0);
  all["Day"]->SetAsDateTime(moment);
  all["Clock"]->SetAsDateTime(moment);
  EXPECT_DOUBLE_EQ(all["Day"]->AsDateTime(), EncodeDate(2024, 3, 4));
  EXPECT_DOUBLE_EQ(all["Clock"]->AsDateTime(), EncodeTime(5, 6, 7, 0));
  EXPECT_THROW(all["Moment"]->SetAsDateTime(1e12), EConvertError);
  EXPECT_THROW(all["Moment"]->SetAsFloat(std::numeric_limits<double>::quiet_NaN()), EConvertError);
  TSQLTimeStamp impossible;
  impossible.Year = 2024;
  impossible.Month = 13;
  impossible.Day = 1;
  EXPECT_THROW(all["Stamp"]->SetAsSQLTimeStamp(impossible), EConvertError);
}

TEST(FieldTexts, FormatsShapeDisplayAndEditTexts) {
  TFileList list;
  list.Add("C:\\a.pdf", 1234567.891, EncodeDate(2024, 12, 24) + EncodeTime(8, 5, 0, 0), 1);
  list.cds->Edit();
  EXPECT_EQ(list.groesse->DisplayText(), "1234567,891");
  list.groesse->SetDisplayFormat("0,.###");
  EXPECT_EQ(list.groesse->DisplayText(), "1.234.567,891");
  EXPECT_EQ(list.groesse->Text(), "1234567,891");
  list.groesse->SetEditFormat("0.0");
  EXPECT_EQ(list.groesse->Text(), "1234567,9");
  list.groesse->SetDisplayFormat("");
  list.groesse->SetCurrency(true);
  EXPECT_EQ(list.groesse->DisplayText(), "1.234.567,89 €");
  EXPECT_EQ(list.datum->DisplayText(), "24.12.2024 08:05:00");
  list.datum->SetDisplayFormat("dd.mm.yy");
  EXPECT_EQ(list.datum->DisplayText(), "24.12.24");
  EXPECT_EQ(list.datum->Text(), "24.12.2024 08:05:00");
  list.sortkey->SetDisplayFormat("000");
  EXPECT_EQ(list.sortkey->DisplayText(), "001");
  list.sortkey->Clear();
  EXPECT_EQ(list.sortkey->DisplayText(), "");
}

TEST(FieldTexts, GetAndSetTextHandlersReplaceTheDefaults) {
  TFileList list;
  list.AddRows(1);
  std::vector<bool> asked;
  list.sortkey->OnGetText = [&asked](TField* field, std::string& text, bool display_text) {
    asked.push_back(display_text);
    text = field->IsNull() ? "-" : "Nr. " + field->AsString();
  };
  list.sortkey->OnSetText = [](TField* field, const std::string& text) {
    field->SetAsString(text.substr(text.find(' ') + 1));
  };
  EXPECT_EQ(list.sortkey->DisplayText(), "Nr. 1");
  EXPECT_EQ(list.sortkey->Text(), "Nr. 1");
  EXPECT_EQ(asked, (std::vector<bool>{true, false}));
  list.cds->Edit();
  list.sortkey->SetText("Nr. 12");
  EXPECT_EQ(list.sortkey->AsInteger(), 12);
  list.sortkey->Clear();
  EXPECT_EQ(list.sortkey->DisplayText(), "-");
}

TEST(FieldEvents, OnValidateFailureRestoresTheOldValue) {
  TFileList list;
  list.AddRows(1);
  std::vector<std::string> changes;
  list.sortkey->OnValidate = [](TField* field) {
    if (field->AsInteger() < 0)
      throw EDatabaseError("Sortkey must not be negative");
  };
  list.sortkey->OnChange = [&changes](TField* field) { changes.push_back(field->AsString()); };
  list.cds->Edit();
  list.sortkey->SetAsInteger(5);
  EXPECT_THROW(list.sortkey->SetAsInteger(-5), EDatabaseError);
  EXPECT_EQ(list.sortkey->AsInteger(), 5);
  EXPECT_EQ(changes, std::vector<std::string>{"5"});
}

TEST(FieldTexts, BlobsAndBytesNameTheirKind) {
  TAllTypes all;
  EXPECT_EQ(all["Memo"]->DisplayText(), "(Memo)");
  EXPECT_EQ(all["Picture"]->DisplayText(), "(Graphic)");
  all["Memo"]->SetAsString("x");
  EXPECT_EQ(all["Memo"]->DisplayText(), "(MEMO)");
  auto* blob = static_cast<TBlobField*>(all["Blob"]);
  TMemoryStream in;
  const std::string bytes("\0\x01\x02zz", 5);
  in.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  in.SetPosition(0);
  blob->LoadFromStream(in);
  EXPECT_EQ(blob->BlobSize(), 5);
  TMemoryStream out;
  blob->SaveToStream(out);
  EXPECT_EQ(out.Size(), 5);
  EXPECT_EQ(all["Bytes"]->DisplayText(), "(Bytes)");
}

TEST(FieldTexts, BooleanDisplayValuesAreTypedAndShown) {
  TAllTypes all;
  auto* flag = static_cast<TBooleanField*>(all["Flag"]);
  flag->SetDisplayValues("Ja;Nein");
  flag->SetAsString("j");
  EXPECT_TRUE(flag->AsBoolean());
  EXPECT_EQ(flag->DisplayText(), "Ja");
  flag->SetAsString("NEIN");
  EXPECT_EQ(flag->AsString(), "Nein");
  EXPECT_THROW(flag->SetAsString("True"), EConvertError);
  EXPECT_THROW(flag->SetDisplayValues(";"), EDatabaseError);
}

TEST(FieldCharacters, NumericFieldsTakeDigitsSignsAndTheirSeparators) {
  TAllTypes all;
  EXPECT_TRUE(all["Int"]->IsValidChar(U'7'));
  EXPECT_TRUE(all["Int"]->IsValidChar(U'-'));
  EXPECT_FALSE(all["Int"]->IsValidChar(U','));
  EXPECT_TRUE(all["Float"]->IsValidChar(U','));
  EXPECT_TRUE(all["Float"]->IsValidChar(U'E'));
  EXPECT_FALSE(all["Float"]->IsValidChar(U'x'));
  EXPECT_TRUE(all["Text"]->IsValidChar(U'ß'));
  EXPECT_FALSE(all["Text"]->IsValidChar(U'\x01'));
}

TEST(AggregateFields, AreListedApartAndHoldTheirValue) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.FieldDefs().Add("Groesse", ftFloat);
  auto* total = new TAggregateField(&cds);
  total->SetFieldName("Summe");
  total->SetDataSet(&cds);
  cds.CreateDataSet();
  EXPECT_EQ(cds.FieldCount(), 1);
  EXPECT_EQ(cds.AggFields().FindField("summe"), total);
  EXPECT_EQ(cds.FindField("Summe"), nullptr);
  EXPECT_TRUE(total->IsNull());
  total->SetValue(Variant(1234.5));
  total->SetDisplayFormat("0,.00");
  EXPECT_EQ(total->DisplayText(), "1.234,50");
  EXPECT_FALSE(total->CanModify());
}

}  // namespace
