#pragma once
// A folder of its own per test with one settings file in it, and the file's
// bytes read and written whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/rtl/ini_file.h"
#include "platform/rtl/strings.h"

class IniFileFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("lx_ini_" + std::string(test->test_suite_name()) + "_" + std::string(test->name()));
    RemoveFolder();
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "Setting.Ini").string();
  }
  void TearDown() override { RemoveFolder(); }

  void WriteFile(const std::string& content) const { std::ofstream(path_, std::ios::binary) << content; }
  std::string ReadFile() const {
    std::ifstream file(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  std::string HelperFile() const { return path_ + ".~new"; }

  static std::vector<std::string> SectionValues(const TMemIniFile& ini, const char* section) {
    TStringList lines;
    ini.ReadSectionValues(section, lines);
    std::vector<std::string> values;
    for (int32_t i = 0; i < lines.Count(); ++i)
      values.push_back(lines[i]);
    return values;
  }

  std::filesystem::path folder_;
  std::string path_;

 private:
  // Read-only marks left by a test would keep the folder from going.
  void RemoveFolder() const {
    std::error_code ignored;
    if (!std::filesystem::exists(folder_, ignored))
      return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
};
