#include "platform/toolkit/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every test works below its own key of the current user, removed afterwards.
class RegistryTest : public ::testing::Test {
 protected:
  static constexpr const char* kTestKey = "Software\\LxToolkitTests\\Registry";

  void TearDown() override {
    TRegistry cleanup;
    cleanup.DeleteKey("Software\\LxToolkitTests");
  }
};

TEST_F(RegistryTest, WritesAndReadsStringsInUtf8) {
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kTestKey, true));
    registry.WriteString("Größe", "Maße \xE2\x82\xAC und 日本");
    registry.WriteString("Empty", "");
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(registry.CurrentPath(), kTestKey);
  EXPECT_TRUE(registry.ValueExists("Größe"));
  EXPECT_EQ(registry.ReadString("Größe"), "Maße \xE2\x82\xAC und 日本");
  EXPECT_EQ(registry.ReadString("Empty"), "");
  EXPECT_EQ(registry.GetDataType("Größe"), rdString);
}

TEST_F(RegistryTest, MissingValuesAndKeys) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(kTestKey, false));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  // Without an open key nothing exists and nothing can be written.
  EXPECT_FALSE(registry.ValueExists("Anything"));
  EXPECT_EQ(registry.ReadString("Anything"), "");
  EXPECT_THROW(registry.WriteString("Anything", "x"), ERegistryException);

  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  EXPECT_FALSE(registry.ValueExists("Missing"));
  EXPECT_EQ(registry.ReadString("Missing"), "");
  EXPECT_EQ(registry.GetDataType("Missing"), rdUnknown);
  try {
    registry.ReadInteger("Missing");
    FAIL() << "a missing integer must not read as a number";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Failed to get data for 'Missing'");
  }
}

TEST_F(RegistryTest, TypesAreChecked) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  registry.WriteInteger("Count", -17);
  registry.WriteString("Text", "17");
  registry.WriteExpandString("Path", "%WINDIR%\\x");
  EXPECT_EQ(registry.ReadInteger("Count"), -17);
  EXPECT_EQ(registry.GetDataType("Count"), rdInteger);
  EXPECT_EQ(registry.GetDataType("Path"), rdExpandString);
  EXPECT_EQ(registry.ReadString("Path"), "%WINDIR%\\x");
  try {
    registry.ReadString("Count");
    FAIL() << "an integer must not read as text";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Invalid data type for 'Count'");
  }
  EXPECT_THROW(registry.ReadInteger("Text"), ERegistryException);
  registry.WriteBool("Flag", true);
  EXPECT_TRUE(registry.ReadBool("Flag"));
}

TEST_F(RegistryTest, StringsWithoutTerminatorOrWithEmbeddedNulls) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  // Raw values as other programs may leave them: no terminating null, an
  // odd byte count, text after a null.
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  ASSERT_EQ(RegSetValueExW(registry.CurrentKey(), L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                           sizeof(unterminated)),
            ERROR_SUCCESS);
  EXPECT_EQ(registry.ReadString("Raw"), "abc");
  ASSERT_EQ(RegSetValueExW(registry.CurrentKey(), L"Odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"xy"), 3),
            ERROR_SUCCESS);
  EXPECT_EQ(registry.ReadString("Odd"), "x");
  const wchar_t embedded[] = L"one\0two";
  ASSERT_EQ(RegSetValueExW(registry.CurrentKey(), L"Embedded", 0, REG_SZ, reinterpret_cast<const BYTE*>(embedded),
                           sizeof(embedded)),
            ERROR_SUCCESS);
  EXPECT_EQ(registry.ReadString("Embedded"), "one");
}

TEST_F(RegistryTest, RelativeAndAbsolutePaths) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(std::string(kTestKey) + "\\", true));
  EXPECT_EQ(registry.CurrentPath(), kTestKey);
  ASSERT_TRUE(registry.OpenKey("Inner", true));
  EXPECT_EQ(registry.CurrentPath(), std::string(kTestKey) + "\\Inner");
  registry.WriteString("Where", "inner");

  // A leading separator starts again from the root key.
  ASSERT_TRUE(registry.OpenKey(std::string("\\") + kTestKey, false));
  EXPECT_EQ(registry.CurrentPath(), kTestKey);
  EXPECT_TRUE(registry.KeyExists("Inner"));
  EXPECT_FALSE(registry.KeyExists("Outer"));

  // A failed opening keeps the key that was open.
  EXPECT_FALSE(registry.OpenKey("Nowhere", false));
  EXPECT_EQ(registry.CurrentPath(), kTestKey);

  ASSERT_TRUE(registry.OpenKey("Inner", false));
  EXPECT_EQ(registry.ReadString("Where"), "inner");
  registry.CloseKey();
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.CurrentPath(), "");
}

TEST_F(RegistryTest, ReadOnlyKeysRefuseWrites) {
  {
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(kTestKey, true));
    writer.WriteString("Value", "before");
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(kTestKey));
  EXPECT_EQ(registry.Access() & KEY_SET_VALUE, 0u);
  try {
    registry.WriteString("Value", "after");
    FAIL() << "a read-only key must refuse writing";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Failed to set data for 'Value'");
  }
  EXPECT_EQ(registry.ReadString("Value"), "before");
  EXPECT_FALSE(registry.DeleteValue("Value"));
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(std::string(kTestKey) + "\\A\\B", true));
  registry.WriteString("Deep", "x");
  ASSERT_TRUE(registry.OpenKey(std::string("\\") + kTestKey, false));
  registry.WriteString("Top", "y");
  EXPECT_TRUE(registry.DeleteValue("Top"));
  EXPECT_FALSE(registry.ValueExists("Top"));
  EXPECT_FALSE(registry.DeleteValue("Top"));
  EXPECT_TRUE(registry.DeleteKey("A"));
  EXPECT_FALSE(registry.KeyExists("A"));
  EXPECT_FALSE(registry.DeleteKey(""));
}

TEST_F(RegistryTest, ChangingTheRootClosesTheKey) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTestKey, true));
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
  EXPECT_TRUE(registry.OpenKeyReadOnly("Software"));
}

}  // namespace
