#include <gtest/gtest.h>

#include "platform/db/db_errors.h"
#include "platform/db/params.h"

namespace {

TEST(ParamsTest, ParametersAreFoundByNameWhateverTheLetterCase) {
  TParams params;
  params.CreateParam("Sortkey");
  params.CreateParam("Datei");
  ASSERT_EQ(params.Count(), 2);
  EXPECT_EQ(params.FindParam("SORTKEY"), params.Items(0));
  EXPECT_EQ(params.FindParam("Fehlt"), nullptr);
  EXPECT_TRUE(params.Items(1)->IsNull());
  try {
    params.ParamByName("Fehlt");
    FAIL() << "no error";
  } catch (const EDatabaseError& error) {
    EXPECT_STREQ(error.what(), "Parameter 'Fehlt' not found");
  }
}

TEST(ParamsTest, SeveralNamesReadAndWriteVariantArrays) {
  TParams params;
  params.CreateParam("Sortkey");
  params.CreateParam("Datei");

  params.SetParamValues("Sortkey", Variant(3));
  EXPECT_EQ(params.ParamValues("Sortkey").AsInteger(), 3);
  params.SetParamValues("Datei;Sortkey", VarArrayOf({Variant("C:\\a.pdf"), Variant(7)}));
  EXPECT_EQ(params.ParamByName("Datei")->Value().AsString(), "C:\\a.pdf");
  const Variant both = params.ParamValues("Sortkey;Datei");
  ASSERT_TRUE(both.IsArray());
  EXPECT_EQ(VarArrayGet(both, 0).AsInteger(), 7);
  EXPECT_EQ(VarArrayGet(both, 1).AsString(), "C:\\a.pdf");
  EXPECT_THROW(params.SetParamValues("Datei;Fehlt", VarArrayOf({Variant(1), Variant(2)})), EDatabaseError);
}

TEST(ParamsTest, AssigningCopiesNamesAndValues) {
  TParams from;
  from.CreateParam("Sortkey")->SetValue(Variant(5));
  TParams to;
  to.Assign(&from);
  ASSERT_EQ(to.Count(), 1);
  EXPECT_EQ(to.Items(0)->Name(), "Sortkey");
  EXPECT_EQ(to.Items(0)->Value().AsInteger(), 5);
}

}  // namespace
