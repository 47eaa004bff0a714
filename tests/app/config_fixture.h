#pragma once
// A settings module over real files in a fresh folder: a program folder and
// a start directory, and the messages the module shows, collected.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/config.h"

class ConfigFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("lx-config-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             std::to_string(++counter) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(ProgramDir());
    std::filesystem::create_directories(StartDir());
    std::filesystem::create_directories(WindowsDir());
    Initialize();
  }

  void TearDown() override {
    CloseConfig();
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }

  // The test's desktop: folders below the fixture's root, message boxes
  // and logging switches noted in the fixture.
  class TTestDesktop final : public IConfigDesktop {
   public:
    explicit TTestDesktop(ConfigFixture& fixture) : fixture_(fixture) {}
    std::string ProgramFileName() override { return (fixture_.ProgramDir() / "LumarPdfPrinter.exe").string(); }
    std::string CurrentDirectory() override { return fixture_.StartDir().string(); }
    bool ApplicationDestroying() override { return fixture_.destroying_; }
    void ShowWarning(const std::string& text) override { fixture_.warnings_.push_back(text); }
    void ShowError(const std::string& text) override { fixture_.errors_.push_back(text); }
    std::string WindowsFolder() override { return fixture_.WindowsDir().string(); }
    void ConfigureLogging(const LogWireSettings& settings) override { fixture_.logging_.push_back(settings); }

   private:
    ConfigFixture& fixture_;
  };

  void Initialize() { uConfigInitialize(std::make_unique<TTestDesktop>(*this)); }

  std::filesystem::path ProgramDir() const { return root_ / "program"; }
  std::filesystem::path StartDir() const { return root_ / "start"; }
  std::filesystem::path WindowsDir() const { return root_ / "windows"; }
  std::filesystem::path SettingIni() const { return ProgramDir() / "Setting.Ini"; }
  std::filesystem::path AppIni() const { return ProgramDir() / "LumarPdfPrinter.ini"; }

  static void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    file << content;
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
  }

  // Both files present; "Global" names the program folder.
  void WriteBothFiles(const std::string& setting_extra = {}, const std::string& app_content = {}) {
    WriteFile(SettingIni(), "[INI-DATEI]\r\nGlobal=" + ProgramDir().string() + "\r\n" + setting_extra);
    WriteFile(AppIni(), app_content);
  }

  std::filesystem::path root_;
  bool destroying_ = false;
  std::vector<std::string> warnings_;
  std::vector<std::string> errors_;
  std::vector<LogWireSettings> logging_;
};
