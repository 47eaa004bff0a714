// The settings file against the system itself: the read-only attribute and
// a helper file the system will not create, the code page as the system
// converts it, and names read as the system's profile functions read them.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/code_page_1252.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/text.h"
#include "tests/platform/rtl/ini_file_fixture.h"

namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(const std::wstring& wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

class IniFileWinTest : public IniFileFixture {
 protected:
  DWORD Attributes(const std::string& path) const { return GetFileAttributesW(Wide(path).c_str()); }
  bool SetAttributes(const std::string& path, DWORD attributes) const {
    return SetFileAttributesW(Wide(path).c_str(), attributes) != 0;
  }
  // The value the system's profile function reads ("<none>" for none).
  std::string SystemRead(const std::string& section, const std::string& key) const {
    wchar_t buffer[1024];
    GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"<none>", buffer, 1024,
                             Wide(path_).c_str());
    return Narrow(buffer);
  }
};

constexpr char kOldContent[] = "[A]\r\nx=old\r\n";

TEST_F(IniFileWinTest, ReadOnlyAttributeKeepsTheFileAndItsAttributes) {
  WriteFile(kOldContent);
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  for (DWORD marks : {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}}) {
    ASSERT_TRUE(SetAttributes(path_, marks));
    const DWORD before = Attributes(path_);
    try {
      ini.UpdateFile();
      ADD_FAILURE() << "a read-only file was replaced";
    } catch (const EFCreateError& error) {
      EXPECT_NE(error.Message().find(path_), std::string::npos) << error.Message();
    }
    EXPECT_EQ(Attributes(path_), before);
    EXPECT_EQ(ReadFile(), kOldContent);
    EXPECT_EQ(Attributes(HelperFile()), INVALID_FILE_ATTRIBUTES);
  }
  ASSERT_TRUE(SetAttributes(path_, FILE_ATTRIBUTE_NORMAL));
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "[A]\r\nx=new\r\n\r\n");
}

TEST_F(IniFileWinTest, HelperFileTheSystemWillNotCreate) {
  struct Blocker {
    const char* name;
    // Puts something in the helper file's place; the handle it keeps open,
    // if any, is closed after the write-back was tried.
    HANDLE (*block)(const std::wstring& helper);
    void (*unblock)(const std::wstring& helper);
  };
  const Blocker blockers[] = {
      {"a folder", [](const std::wstring& helper) -> HANDLE {
         CreateDirectoryW(helper.c_str(), nullptr);
         return INVALID_HANDLE_VALUE;
       },
       [](const std::wstring& helper) { RemoveDirectoryW(helper.c_str()); }},
      {"a file another program holds without sharing", [](const std::wstring& helper) -> HANDLE {
         return CreateFileW(helper.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
       },
       [](const std::wstring& helper) { DeleteFileW(helper.c_str()); }},
  };
  WriteFile(kOldContent);
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  const std::wstring helper = Wide(HelperFile());
  for (const Blocker& blocker : blockers) {
    HANDLE held = blocker.block(helper);
    ASSERT_NE(Attributes(HelperFile()), INVALID_FILE_ATTRIBUTES) << blocker.name;
    EXPECT_THROW(ini.UpdateFile(), EFCreateError) << blocker.name;
    if (held != INVALID_HANDLE_VALUE)
      CloseHandle(held);
    EXPECT_EQ(ReadFile(), kOldContent) << blocker.name;
    blocker.unblock(helper);
    ASSERT_EQ(Attributes(HelperFile()), INVALID_FILE_ATTRIBUTES) << blocker.name;
  }
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "[A]\r\nx=new\r\n\r\n");
}

// Windows refuses to write over a read-only file; the emulation does it and
// the file then keeps the mark. Either way the settings file must not come
// out read-only, and a refusal must leave it whole.
TEST_F(IniFileWinTest, ReadOnlyFileInTheHelperFilesPlaceDoesNotMarkTheSettingsFile) {
  WriteFile(kOldContent);
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  const std::wstring helper = Wide(HelperFile());
  HANDLE file = CreateFileW(helper.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  ASSERT_TRUE(SetAttributes(HelperFile(), FILE_ATTRIBUTE_READONLY));
  try {
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(), "[A]\r\nx=new\r\n\r\n");
  } catch (const EFCreateError&) {
    EXPECT_EQ(ReadFile(), kOldContent);
  }
  EXPECT_EQ(Attributes(path_) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST(CodePage1252Win, BytesBecomeTheCharactersTheSystemMakesOfThem) {
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t system = 0;
    ASSERT_EQ(MultiByteToWideChar(1252, 0, &narrow, 1, &system, 1), 1) << byte;
    EXPECT_EQ(Utf8ToUtf16(Cp1252ToUtf8(std::string(1, narrow))), std::u16string(1, static_cast<char16_t>(system)))
        << byte;
  }
}

TEST(CodePage1252Win, CharactersHaveABytePreciselyWhereTheSystemGivesOneBack) {
  // The system may fit a character to a similar one; only an exact way
  // back counts as a byte of the code page.
  for (char32_t character = 1; character < 0xD800; ++character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    char narrow = 0;
    BOOL used_default = FALSE;
    const int converted =
        WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &wide, 1, &narrow, 1, nullptr, &used_default);
    wchar_t back = 0;
    const bool system_has_byte = converted == 1 && !used_default &&
                                 MultiByteToWideChar(1252, 0, &narrow, 1, &back, 1) == 1 && back == wide;
    std::string utf8;
    AppendUtf8(utf8, character);
    std::string ours;
    const bool we_have_byte = Utf8ToCp1252(utf8, ours);
    ASSERT_EQ(we_have_byte, system_has_byte) << std::hex << static_cast<uint32_t>(character);
    if (we_have_byte) {
      EXPECT_EQ(ours, std::string(1, narrow)) << std::hex << static_cast<uint32_t>(character);
    }
  }
}

TEST_F(IniFileWinTest, NamesReadAsTheSystemsProfileFunctionsReadThem) {
  WriteFile(
      "[GridLayouts]   \r\n"
      "  fmMain = 1,2,3,4 \r\n"
      "\tTab\tKey\t=\tv\tx\t\r\n"
      "[ Spaced ]\r\n"
      "a=1\r\n"
      "[Sec] ;note\r\n"
      "b=2\r\n"
      "[X]y]\r\n"
      "z=1\r\n"
      "  [Ind]\r\n"
      "w = =3\r\n");
  const struct {
    const char* section;
    const char* key;
  } queries[] = {
      {"GridLayouts", "fmMain"}, {"gridlayouts", "Tab\tKey"}, {" GridLayouts ", " fmMain "}, {"Spaced", "a"},
      {"Sec", "b"},              {"X]y", "z"},                {"X", "z"},                    {"Ind", "w"},
      {"GridLayouts", "fmmain "}, {"Missing", "a"},
  };
  TMemIniFile ini(path_);
  for (const auto& query : queries) {
    EXPECT_EQ(ini.ReadString(query.section, query.key, "<none>"), SystemRead(query.section, query.key))
        << "[" << query.section << "] " << query.key;
  }
}

TEST_F(IniFileWinTest, Utf16FilesWrittenBackAreReadByTheSystem) {
  TMemIniFile ini(path_);
  ini.SetEncoding(TIniEncoding::kUtf16LE);
  ini.WriteString("Drucker", "Name", "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xC5\x81\xC3\xB3" "d\xC5\xBA");
  ini.WriteString("Gr\xC3\xB6\xC3\x9F" "e", "Schl\xC3\xBC" "ssel", "1");
  ini.UpdateFile();
  EXPECT_EQ(SystemRead("Drucker", "Name"), ini.ReadString("Drucker", "Name", ""));
  EXPECT_EQ(SystemRead("Gr\xC3\xB6\xC3\x9F" "e", "Schl\xC3\xBC" "ssel"), "1");
}

}  // namespace

#endif  // _WIN32
