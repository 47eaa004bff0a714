#pragma once
// TOpenDialog and TSaveDialog: the system's common dialogs for choosing a
// file to open or a file name to save under. Settings are kept between
// runs; Execute shows the dialog modally over the active window and, when
// the user confirms, FileName, Files and FilterIndex hold the choice.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/types.h"

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden,
};
using TOpenOptions = TSmallSet<TOpenOption>;

class TOpenDialog : public TComponent {
 public:
  static constexpr TClass kClass{"TOpenDialog", &TComponent::kClass, &ConstructInstance<TOpenDialog>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // Shows the dialog; true when the user chose a file.
  virtual bool Execute();

  // The chosen file (the first of several), or the name proposed next time.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& name) { file_name_ = name; }
  // Every chosen file with its full path.
  TStrings& Files() { return *files_; }
  // Pairs of description and pattern, separated by "|":
  // "Text files (*.txt)|*.txt|All files|*.*". Several patterns of one
  // entry are separated by ";".
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  // The selected filter entry, counted from 1.
  int32_t FilterIndex() const { return filter_index_; }
  void SetFilterIndex(int32_t index) { filter_index_ = index; }
  // Appended (without a dot) to a typed name that has no extension.
  const std::string& DefaultExt() const { return default_ext_; }
  void SetDefaultExt(const std::string& extension) { default_ext_ = extension; }
  const std::string& InitialDir() const { return initial_dir_; }
  void SetInitialDir(const std::string& folder) { initial_dir_ = folder; }
  // The window caption; empty gives the system's.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }

 protected:
  enum class Kind : uint8_t { kOpen, kSave };
  bool DoExecute(Kind kind);

 private:
  std::string file_name_;
  std::unique_ptr<TStringList> files_;
  std::string filter_;
  int32_t filter_index_ = 1;
  std::string default_ext_;
  std::string initial_dir_;
  std::string title_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
 public:
  static constexpr TClass kClass{"TSaveDialog", &TOpenDialog::kClass, &ConstructInstance<TSaveDialog>};
  const TClass* ClassType() const override { return &kClass; }

  using TOpenDialog::TOpenDialog;

  bool Execute() override;
};
