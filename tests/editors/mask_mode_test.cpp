#include <gtest/gtest.h>

#include <string>

#include "editors/mask_edit_model.h"
#include "editors/mask_mode_regexpr.h"
#include "editors/mask_mode_standard.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace mask_mode_test {

// A mask edit of the given kind and mask, entered with an empty value.
struct MaskedEdit {
  MaskedEdit(TlxEditMaskKind kind, const std::string& mask, bool beep_on_error = true) {
    properties.SetMaskKind(kind);
    properties.SetEditMask(mask);
    properties.SetBeepOnError(beep_on_error);
    edit.PropertiesChanged();
    edit.SetEditValue(Variant(""));
  }
  std::string Text() const { return Utf16ToUtf8(edit.Text()); }

  TlxMaskEditProperties properties{nullptr};
  TlxMaskEditModel edit{properties};
};

// --- standard mode ----------------------------------------------------------

TEST(MaskModeStandardTest, TypingFillsPositionsAndSkipsLiterals) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  EXPECT_EQ(masked.Text(), "__/__");
  EXPECT_EQ(masked.edit.SelStart(), 0);
  EXPECT_EQ(masked.edit.SelLength(), 1) << "the block caret";
  masked.edit.Type(u"12");
  EXPECT_EQ(masked.Text(), "12/__");
  EXPECT_EQ(masked.edit.SelStart(), 3) << "the caret skips the separator";
  masked.edit.Type(u"34");
  EXPECT_EQ(masked.Text(), "12/34");
  EXPECT_EQ(masked.edit.SelStart(), 5);
  std::string error;
  EXPECT_TRUE(masked.edit.Validate(error));
}

TEST(MaskModeStandardTest, ARefusedCharacterChangesNothingAndIsSilent) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  masked.edit.KeyPress(u'a');
  EXPECT_EQ(masked.Text(), "__/__");
  EXPECT_EQ(masked.edit.SelStart(), 0);
  EXPECT_EQ(masked.edit.BeepCount(), 0);
}

TEST(MaskModeStandardTest, DeletingBlanksEditablePositionsOnly) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  masked.edit.Type(u"1234");
  masked.edit.Select(1, 4);  // "2/3"
  masked.edit.KeyDown(kLxMaskKeyDelete);
  EXPECT_EQ(masked.Text(), "1_/_4");
  EXPECT_EQ(masked.edit.SelStart(), 1);
  EXPECT_EQ(masked.edit.SelLength(), 1);
}

TEST(MaskModeStandardTest, BackspaceAtTheFirstPositionBlanksTheDigitUnderTheCaret) {
  MaskedEdit masked(emkStandard, "(000);1;_");
  EXPECT_EQ(masked.Text(), "(___)");
  masked.edit.KeyDown(kLxMaskKeyHome);
  EXPECT_EQ(masked.edit.SelStart(), 1) << "Home skips the leading literal";
  masked.edit.Type(u"7");
  masked.edit.KeyDown(kLxMaskKeyHome);
  masked.edit.KeyPress(kLxMaskBackspace);
  EXPECT_EQ(masked.Text(), "(___)");
  EXPECT_EQ(masked.edit.SelStart(), 1);
}

TEST(MaskModeStandardTest, CaretKeysStepOverLiterals) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  struct Step {
    uint16_t key;
    int32_t start;
  } steps[] = {
      {kLxMaskKeyRight, 1}, {kLxMaskKeyRight, 3}, {kLxMaskKeyRight, 4}, {kLxMaskKeyRight, 5},
      {kLxMaskKeyLeft, 4},  {kLxMaskKeyLeft, 3},  {kLxMaskKeyLeft, 1},  {kLxMaskKeyLeft, 0},
      {kLxMaskKeyLeft, 0},  {kLxMaskKeyEnd, 5},   {kLxMaskKeyHome, 0},
  };
  for (const Step& step : steps) {
    masked.edit.KeyDown(step.key);
    EXPECT_EQ(masked.edit.SelStart(), step.start) << "key " << step.key;
  }
}

TEST(MaskModeStandardTest, IgnoreMaskBlankPassesOnlyTheUntouchedText) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  std::string error;
  EXPECT_FALSE(masked.edit.Validate(error));
  EXPECT_EQ(error, "The edit value is invalid");
  masked.properties.SetIgnoreMaskBlank(true);
  error.clear();
  EXPECT_TRUE(masked.edit.Validate(error));
  masked.edit.Type(u"1");
  EXPECT_EQ(masked.Text(), "1_/__");
  EXPECT_FALSE(masked.edit.Validate(error));
}

TEST(MaskModeStandardTest, PasteOverwritesAsManyPositions) {
  MaskedEdit masked(emkStandard, "00/00;1;_");
  masked.edit.Click(0);
  masked.edit.Paste(u"12");
  EXPECT_EQ(masked.Text(), "12/__");
  EXPECT_EQ(masked.edit.SelStart(), 3) << "a paste ending on a literal moves past it";
}

// --- regular-expression mode --------------------------------------------------

TEST(MaskModeRegExprTest, ARefusedCharacterIsDroppedWithABeep) {
  MaskedEdit masked(emkRegExpr, "\\d{3}-\\d{2}");
  masked.edit.Type(u"12a");
  EXPECT_EQ(masked.Text(), "12");
  EXPECT_EQ(masked.edit.BeepCount(), 1);
  MaskedEdit silent(emkRegExpr, "\\d{3}-\\d{2}", false);
  silent.edit.Type(u"12a");
  EXPECT_EQ(silent.edit.BeepCount(), 0);
}

TEST(MaskModeRegExprTest, TypingBeforeTextThatStillFitsKeepsItAndCutsWhatNoLongerFits) {
  MaskedEdit masked(emkRegExpr, "\\d{3}-\\d{2}");
  // A text the mask would not produce itself, as a program may set it.
  masked.edit.PutDisplayText(u"23-45");
  masked.edit.Click(0);
  masked.edit.KeyPress(u'1');
  EXPECT_EQ(masked.Text(), "123-45");

  masked.edit.SetEditValue(Variant("123-45"));
  masked.edit.Click(2);
  masked.edit.KeyPress(u'9');
  EXPECT_EQ(masked.Text(), "129");
  EXPECT_EQ(masked.edit.SelStart(), 3);
}

TEST(MaskModeRegExprTest, PastedTextKeepsOnlyWhatTheExpressionTakes) {
  MaskedEdit masked(emkRegExpr, "\\d{3}");
  masked.edit.Click(0);
  masked.edit.Paste(u"1234");
  EXPECT_EQ(masked.Text(), "123");
  auto* mode = static_cast<TlxMaskEditRegExprMode*>(masked.edit.MaskMode());
  EXPECT_EQ(Utf16ToUtf8(mode->Head() + mode->Tail()), "123");
}

TEST(MaskModeRegExprTest, BackspaceAndDeleteKeepHeadAndTailOnTheText) {
  MaskedEdit masked(emkRegExpr, "\\d{3}-\\d{2}");
  masked.edit.Type(u"123-45");
  masked.edit.KeyDown(kLxMaskKeyLeft);
  masked.edit.KeyDown(kLxMaskKeyLeft);
  masked.edit.KeyDown(kLxMaskKeyLeft);
  masked.edit.KeyPress(kLxMaskBackspace);  // removes "3": "-45" no longer fits after "12"
  EXPECT_EQ(masked.Text(), "12");
  masked.edit.KeyDown(kLxMaskKeyHome);
  masked.edit.KeyDown(kLxMaskKeyDelete);
  EXPECT_EQ(masked.Text(), "2");
  auto* mode = static_cast<TlxMaskEditRegExprMode*>(masked.edit.MaskMode());
  EXPECT_EQ(Utf16ToUtf8(mode->Head() + mode->Tail()), "2");
}

TEST(MaskModeRegExprTest, ValidationNeedsAFinalState) {
  MaskedEdit masked(emkRegExpr, "\\d{3}");
  std::string error;
  EXPECT_TRUE(masked.edit.Validate(error)) << "an empty text passes";
  masked.edit.Type(u"12");
  EXPECT_FALSE(masked.edit.Validate(error));
  masked.properties.SetIgnoreMaskBlank(true);
  EXPECT_TRUE(masked.edit.Validate(error));
}

TEST(MaskModeRegExprTest, AMaskThatDoesNotCompileIsRefusedWithItsErrors) {
  TlxMaskEditProperties properties(nullptr);
  properties.SetMaskKind(emkRegExpr);
  properties.SetEditMask("\\d+");
  try {
    properties.SetEditMask("(\\d");
    ADD_FAILURE() << "compiled";
  } catch (const ElxMaskEditError& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Regular expression errors:\r\n", 0), 0u) << text;
  }
  EXPECT_EQ(properties.EditMask(), "\\d+") << "the old mask stays";
}

// --- extended mode --------------------------------------------------------------

struct ExtendedCase {
  const char* name;
  const char16_t* typed;
  int backspaces;
  const char* text;
  int beeps;
};

TEST(MaskModeRegExprExTest, ForcedCharactersComeAndGoWithTheirCharacter) {
  const ExtendedCase cases[] = {
      {"empty edit", u"", 0, "(", 0},
      {"three digits close the group", u"123", 0, "(123)", 0},
      {"backspace takes the forced character along", u"123", 1, "(12", 0},
      {"the forced prefix stays", u"", 1, "(", 1},
      {"typing a refused character", u"1a", 0, "(1", 1},
  };
  for (const ExtendedCase& c : cases) {
    MaskedEdit masked(emkRegExprEx, "'(' \\d\\d\\d ')'");
    masked.edit.Click(masked.Text().size());
    masked.edit.Type(c.typed);
    for (int i = 0; i < c.backspaces; ++i)
      masked.edit.KeyPress(kLxMaskBackspace);
    EXPECT_EQ(masked.Text(), c.text) << c.name;
    EXPECT_EQ(masked.edit.BeepCount(), c.beeps) << c.name;
  }
}

TEST(MaskModeRegExprExTest, LeftFromTheEndSkipsTheForcedCharacter) {
  MaskedEdit masked(emkRegExprEx, "'(' \\d\\d\\d ')'");
  masked.edit.Click(1);
  masked.edit.Type(u"123");
  EXPECT_EQ(masked.edit.SelStart(), 5);
  masked.edit.KeyDown(kLxMaskKeyLeft);
  EXPECT_EQ(masked.edit.SelStart(), 3) << "between 2 and 3";
}

TEST(MaskModeRegExprExTest, TheForcedPrefixAloneValidates) {
  MaskedEdit masked(emkRegExprEx, "'(' \\d\\d\\d ')'");
  std::string error;
  EXPECT_TRUE(masked.edit.Validate(error));
  masked.edit.Click(1);
  masked.edit.Type(u"12");
  EXPECT_FALSE(masked.edit.Validate(error));
  masked.edit.Type(u"3");
  EXPECT_TRUE(masked.edit.Validate(error));
}

TEST(MaskModeRegExprExTest, AGermanDateTypesItsSeparators) {
  TScopedLocale locale("de-DE");
  MaskedEdit masked(emkRegExprEx, "\\d\\d/\\d\\d/\\d\\d\\d\\d");
  masked.edit.Type(u"24122026");
  EXPECT_EQ(masked.Text(), "24.12.2026");
  std::string error;
  EXPECT_TRUE(masked.edit.Validate(error));
  for (int i = 0; i < 4; ++i)
    masked.edit.KeyPress(kLxMaskBackspace);
  EXPECT_EQ(masked.Text(), "24.12.");
  masked.edit.KeyPress(kLxMaskBackspace);
  EXPECT_EQ(masked.Text(), "24.1") << "the separator goes with the digit that brought it";
  masked.edit.KeyPress(u'x');
  EXPECT_EQ(masked.Text(), "24.1");
  EXPECT_EQ(masked.edit.BeepCount(), 1);
}

// --- the mask edit's properties -------------------------------------------------------

TEST(MaskEditPropertiesTest, KindChangesAcrossFamiliesEmptyTheMask) {
  TlxMaskEditProperties properties(nullptr);
  TlxMaskEditModel edit(properties);
  properties.SetEditMask("000");
  edit.PropertiesChanged();
  properties.SetMaskKind(emkRegExpr);
  edit.PropertiesChanged();
  EXPECT_EQ(properties.EditMask(), "");
  EXPECT_EQ(edit.MaskMode()->GetEditMaskKind(), 1);

  properties.SetEditMask("\\d+");
  edit.PropertiesChanged();
  properties.SetMaskKind(emkRegExprEx);
  edit.PropertiesChanged();
  EXPECT_EQ(properties.EditMask(), "\\d+");
  EXPECT_EQ(edit.MaskMode()->GetEditMaskKind(), 2);
}

TEST(MaskEditPropertiesTest, AMaskForcesMaxLengthToZero) {
  TlxMaskEditProperties properties(nullptr);
  properties.SetMaxLength(5);
  EXPECT_EQ(properties.MaxLength(), 5);
  properties.SetEditMask("000");
  TlxMaskEditModel edit(properties);
  EXPECT_EQ(properties.MaxLength(), 0);
  properties.SetMaxLength(7);
  EXPECT_EQ(properties.MaxLength(), 0);
}

TEST(MaskEditPropertiesTest, CaseConversionForcesCaseInsensitiveMatching) {
  TlxMaskEditProperties properties(nullptr);
  properties.SetCaseInsensitive(false);
  EXPECT_FALSE(properties.CaseInsensitive());
  properties.SetCharCase(ecUpperCase);
  EXPECT_TRUE(properties.CaseInsensitive());
  properties.SetCaseInsensitive(false);
  EXPECT_TRUE(properties.CaseInsensitive());
}

class MaskProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  using TlxCustomEditDefaultValuesProvider::TlxCustomEditDefaultValuesProvider;
  void SuggestedEditMask(std::string& text) const override { text = "00-00;0;_"; }
};

TEST(MaskEditPropertiesTest, TheDataMaskAppliesToABlankStandardMask) {
  TlxMaskEditProperties properties(nullptr);
  MaskProvider provider(nullptr);
  properties.SetDefaultValuesProvider(&provider);
  EXPECT_EQ(properties.EditMask(), "00-00;0;_");
  Variant display;
  properties.ConvertToDisplayValue(Variant("1234"), display, true);
  EXPECT_EQ(VarToStr(display), "12-34");
  properties.SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties.EditMask(), "");
  EXPECT_FALSE(properties.IsMasked());
}

TEST(MaskEditPropertiesTest, AStoredMaskThatDoesNotCompileShowsPlainTextAndFailsValidation) {
  TlxMaskEditProperties properties(nullptr);
  properties.SetMaskKind(emkRegExpr);
  properties.SetStoredEditMask("(\\d");
  EXPECT_FALSE(properties.IsMaskValid());
  Variant display;
  properties.ConvertToDisplayValue(Variant("abc"), display, false);
  EXPECT_EQ(VarToStr(display), "abc");
  std::string text;
  properties.FormatDisplayText(Variant("abc"), text, true);
  EXPECT_EQ(text, "abc");
  Variant value("abc");
  std::string error_text;
  bool error = false;
  properties.ValidateDisplayValue(value, error_text, error, nullptr);
  EXPECT_TRUE(error);
  EXPECT_EQ(error_text, "The edit value is invalid");

  TlxMaskEditModel edit(properties);
  edit.Type(u"x1");
  EXPECT_EQ(Utf16ToUtf8(edit.Text()), "x1") << "typed plainly, nothing lost";
}

TEST(MaskEditPropertiesTest, DisplayConversionByKindAndFocus) {
  struct Case {
    TlxEditMaskKind kind;
    const char* mask;
    bool always_show;
    bool focused;
    const char* value;
    const char* expected;
  } cases[] = {
      {emkStandard, "00/00;1;_", false, true, "1234", "12/34"},
      {emkStandard, "00/00;0;_", false, false, "12", "12  "},
      {emkStandard, "00/00;0;_", true, false, "12", "12/__"},
      {emkRegExpr, "\\d{3}", false, false, "12a4", "124"},
      {emkRegExprEx, "'(' \\d\\d\\d ')'", false, false, "(12", "(12"},
      {emkRegExprEx, "'(' \\d\\d\\d ')'", false, true, "(123", "(123)"},
  };
  for (const Case& c : cases) {
    TlxMaskEditProperties properties(nullptr);
    properties.SetMaskKind(c.kind);
    properties.SetEditMask(c.mask);
    properties.SetAlwaysShowBlanksAndLiterals(c.always_show);
    Variant display;
    properties.ConvertToDisplayValue(Variant(c.value), display, c.focused);
    EXPECT_EQ(VarToStr(display), c.expected) << c.mask << " " << c.value;
  }
}

TEST(MaskEditPropertiesTest, ShiftDeleteWithoutASelectionIsABackspace) {
  MaskedEdit masked(emkRegExpr, "\\d+");
  masked.edit.Type(u"123");
  masked.edit.KeyDown(kLxMaskKeyDelete, true);
  EXPECT_EQ(masked.Text(), "12");
}

}  // namespace mask_mode_test
