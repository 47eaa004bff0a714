#pragma once
// The main window in the test's own process, over the settings files of a
// fresh folder, with the logging client started: creating and freeing the
// window as the application does, drops as the shell delivers them, the
// print button, the message boxes it shows, the name dialog driven through
// its window, the print server's output and the dispatcher stand-in's
// records.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/file_list.h"
#include "app/grid_modules_win.h"
#include "app/main_window_win.h"
#include "app/name_dialog_win.h"
#include "logging/logging_module.h"
#include "platform/db/client_data_set.h"
#include "platform/db/fields.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/speed_button.h"
#include "tests/app/config_fixture.h"
#include "tests/app/message_box_text.h"
#include "tests/support/dispatcher_log.h"
#include "tests/support/drop_handle.h"
#include "tests/support/helper_process.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_pixels.h"
#include "tests/support/window_finder.h"

// The dispatcher stand-in, and the message texts it received, in order.
class DispatcherStandIn {
 public:
  bool Start(const std::string& log_path, const std::string& extra_arguments = {}) {
    log_path_ = log_path;
    return process_.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                          "--log \"" + log_path + "\" " + extra_arguments) &&
           process_.WaitForWindow("LogWire Dispatcher") != nullptr;
  }

  std::vector<std::string> MessageTexts() const { return test_support::DispatcherMessageTexts(log_path_); }

  test_support::HelperProcess& process() { return process_; }

 private:
  std::string log_path_;
  test_support::HelperProcess process_;
};

// What a test saw of the name dialog while it was up.
struct DialogSeen {
  std::string caption;
  std::string ok_caption;
  std::vector<std::string> items;
  // The error message shown for the name, if any.
  std::string refusal;
  // Whether the OK button showed its green check mark and the cancel
  // button its dark red cross.
  bool ok_mark_shown = false;
  bool cancel_mark_shown = false;
  // Runs just before OK is pressed.
  std::function<void()> before_ok;
};

class MainWindowFixture : public ConfigFixture {
 protected:
  void SetUp() override {
    ConfigFixture::SetUp();
    LogWireLoggingInitialize();
    StartFileListGridModules();
    documents_ = test_support::MakeTemporaryFolder("main-window");
  }

  void TearDown() override {
    test_support::StopModalScript();
    FreeMainWindow();
    EndFileListGridModules();
    LogWireLoggingFinalize();
    ConfigFixture::TearDown();
  }

  // Creates and shows the main window as the application does.
  TfmMain& CreateMainWindow() {
    Application->CreateForm(form_);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    return *form_;
  }

  void FreeMainWindow() {
    if (form_ == nullptr)
      return;
    form_->Free();
    form_ = nullptr;
    test_support::PumpMessagesUntilIdle();
  }

  const std::string& Documents() const { return documents_; }

  // A small file of any kind in the test's folder.
  std::string MakeDocument(const std::string& name) {
    const std::string path = documents_ + name;
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << "%PDF-1.4 " << name << "\n";
    return path;
  }

  // A real one-page PDF document under `name`.
  std::string MakePdf(const std::string& name) {
    const std::filesystem::path sample =
        std::filesystem::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_SOURCE_DIR"))) /
        "tests" / "data" / "one-page.pdf";
    const std::string path = documents_ + name;
    std::filesystem::copy_file(sample, std::filesystem::u8path(path));
    return path;
  }

  static void Drop(TfmMain& form, const std::vector<std::string>& paths) {
    PostMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test_support::MakeDropHandle(paths)), 0);
    test_support::PumpMessagesUntilIdle();
  }

  static std::vector<int32_t> SortKeys(TfmMain& form) {
    std::vector<int32_t> keys;
    TClientDataSet* data_set = form.Files().DataSet();
    data_set->First();
    while (!data_set->Eof()) {
      keys.push_back(data_set->FieldByName("Sortkey")->AsInteger());
      data_set->Next();
    }
    return keys;
  }

  // The values of `column` in the grid's rows, in the order it shows them.
  static std::vector<Variant> ShownValues(TfmMain& form, const TlxGridDBColumn& column) {
    std::vector<Variant> values;
    TlxGridViewData* view_data = form.lxGridDBDateien->GetViewData();
    for (int32_t row = 0; row < view_data->RecordCount(); ++row)
      values.push_back(view_data->Records(row)->GetValue(column.Index()));
    return values;
  }

  static std::vector<std::string> ShownPaths(TfmMain& form) {
    std::vector<std::string> paths;
    for (const Variant& value : ShownValues(form, *form.lxGridDBDateienDatei))
      paths.push_back(value.IsNull() ? std::string() : value.AsString());
    return paths;
  }

  static std::vector<int32_t> ShownSortkeys(TfmMain& form) {
    std::vector<int32_t> keys;
    for (const Variant& value : ShownValues(form, *form.lxGridDBDateienSortkey))
      keys.push_back(value.AsInteger());
    return keys;
  }

  static std::vector<std::string> ComboItems(TComboBox& combo) {
    std::vector<std::string> items;
    for (int32_t i = 0; i < combo.Items().Count(); ++i)
      items.push_back(combo.Items()[i]);
    return items;
  }

  // Clicks the print button as the mouse would; the run ends before this
  // returns.
  static void PressPrint(TfmMain& form) {
    test_support::SendClick(form.btDrucken->Handle(), POINT{20, 10});
    test_support::PumpMessagesUntilIdle();
  }

  // Answers the next message box with OK and hands over its text.
  static void AnswerNextMessageBox(std::string* shown) {
    test_support::RunWhileModal([shown] {
      HWND box = test_support::FindThreadDialog();
      if (box == nullptr)
        return false;
      *shown = MessageBoxText(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return true;
    });
  }

  // Chooses `item` of the "&Datei" menu, and in the name dialog that comes
  // up enters `name` (typed when names may be typed, else picked from the
  // list) and presses OK. A refused name is noted, and the dialog is then
  // cancelled.
  static void ChooseInNameDialog(TfmMain& form, TMenuItem& item, const std::string& name, DialogSeen* seen) {
    struct Progress {
      int phase = 0;
      int ticks = 0;
    };
    auto progress = std::make_shared<Progress>();
    test_support::RunWhileModal([progress, seen, name] {
      ++progress->ticks;
      if (progress->phase == 2) {
        // Inside the error box that OK brought up.
        HWND box = test_support::FindThreadDialog();
        if (box == nullptr)
          return false;
        seen->refusal = MessageBoxText(box);
        progress->phase = 3;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return false;
      }
      if (progress->phase != 0)
        return false;
      TfmSpeichernLaden* dialog = OpenNameDialog();
      if (dialog == nullptr)
        return progress->ticks > 250;
      progress->phase = 1;
      seen->caption = test_support::WindowTitle(dialog->Handle());
      seen->ok_caption = dialog->sbOK->Caption();
      seen->items.clear();
      for (int32_t i = 0; i < dialog->cbName->Items().Count(); ++i)
        seen->items.push_back(dialog->cbName->Items()[i]);
      seen->ok_mark_shown = ShowsColor(*dialog, *dialog->sbOK, RGB(0, 128, 0));
      seen->cancel_mark_shown = ShowsColor(*dialog, *dialog->sbCancel, RGB(128, 0, 0));
      EnterName(*dialog, name);
      if (seen->before_ok)
        seen->before_ok();
      progress->phase = 2;
      PressSpeedButton(*dialog, *dialog->sbOK);
      if (progress->phase == 3)
        PressSpeedButton(*dialog, *dialog->sbCancel);
      return true;
    });
    SendMessageA(form.Handle(), WM_COMMAND, item.Command(), 0);
    test_support::PumpMessagesUntilIdle();
  }

  std::vector<std::string> WaitForPrintedJobs(const std::string& stem, size_t count) const {
    const std::filesystem::path folder =
        std::filesystem::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_PRINT_OUTPUT"))) /
        "file";
    std::vector<std::string> jobs;
    const auto collect = [&] {
      jobs.clear();
      std::error_code error;
      for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename().string().find(stem) != std::string::npos)
          jobs.push_back(entry.path().filename().string());
      std::sort(jobs.begin(), jobs.end());  // the job number leads the name
      return jobs.size() >= count;
    };
    test_support::PumpUntil(collect, 60000);
    if (jobs.size() < count)
      ADD_FAILURE() << jobs.size() << " of " << count << " jobs arrived; the print handler's log:\n"
                    << PrintServerLog("printto-lp.log") << "\nthe print server's errors:\n"
                    << PrintServerLog("error_log");
    return jobs;
  }

  // A log of the test print server, or "(none)".
  static std::string PrintServerLog(const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_PRINT_ROOT"))) /
        "log" / name;
    std::ifstream file(path, std::ios::binary);
    if (!file)
      return "(none)";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  TfmMain* form_ = nullptr;

 private:
  static TfmSpeichernLaden* OpenNameDialog() {
    for (int32_t i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* candidate = Screen->Forms(i);
      if (candidate->ClassType() == &TfmSpeichernLaden::kClass && candidate->HandleAllocated() &&
          IsWindowVisible(candidate->Handle()))
        return static_cast<TfmSpeichernLaden*>(candidate);
    }
    return nullptr;
  }

  // Types the name into the combo's edit field, or picks it from the list
  // when the combo takes no typing.
  static void EnterName(TfmSpeichernLaden& dialog, const std::string& name) {
    HWND combo = dialog.cbName->Handle();
    if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) {
      test_support::SendText(edit, name);
      return;
    }
    const int32_t index = dialog.cbName->Items().IndexOf(name);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  // Whether `color` shows anywhere on the button, as drawn on screen.
  static bool ShowsColor(TfmSpeichernLaden& dialog, TSpeedButton& button, COLORREF color) {
    UpdateWindow(dialog.Handle());
    const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(dialog.Handle());
    for (int32_t y = button.Top(); y < button.Top() + button.Height() && y < pixels.height(); ++y)
      for (int32_t x = button.Left(); x < button.Left() + button.Width() && x < pixels.width(); ++x)
        if (test_support::ColorsNear(pixels.At(x, y), color, 8))
          return true;
    return false;
  }

  static void PressSpeedButton(TfmSpeichernLaden& dialog, TSpeedButton& button) {
    test_support::SendClick(dialog.Handle(), POINT{button.Left() + button.Width() / 2, button.Top() + button.Height() / 2});
  }

  std::string documents_;
};
