#include "platform/toolkit/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/text.h"

namespace {

// Room for many file names of a multiple selection.
constexpr size_t kFileBufferUnits = 65536;

constexpr std::array<std::pair<TOpenOption, DWORD>, 21> kOptionFlags{{
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
}};

DWORD FlagsOf(TOpenOptions options) {
  DWORD flags = options.Contains(ofOldStyleDialog) ? 0 : OFN_EXPLORER;
  for (const auto& [option, flag] : kOptionFlags)
    if (options.Contains(option))
      flags |= flag;
  return flags;
}

// The "description|pattern|..." form as the system wants it: entries
// separated by null characters, the list ended by two.
std::u16string SystemFilter(const std::string& filter) {
  std::u16string result = Utf8ToUtf16(filter);
  for (char16_t& unit : result)
    if (unit == u'|')
      unit = u'\0';
  result.append(2, u'\0');
  return result;
}

const wchar_t* WideOrNull(const std::u16string& text) {
  return text.empty() ? nullptr : reinterpret_cast<const wchar_t*>(text.c_str());
}

// The null-separated names the dialog returned: one full path, or (for a
// multiple selection) the folder followed by the names in it.
std::vector<std::string> ChosenFiles(const std::u16string& buffer) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start < buffer.size() && buffer[start] != u'\0') {
    size_t end = buffer.find(u'\0', start);
    if (end == std::u16string::npos)
      end = buffer.size();
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> files;
  if (parts.size() == 1) {
    files.push_back(Utf16ToUtf8(parts[0]));
    return files;
  }
  std::u16string folder = parts.empty() ? std::u16string() : parts[0];
  if (!folder.empty() && folder.back() != u'\\')
    folder.push_back(u'\\');
  for (size_t i = 1; i < parts.size(); ++i)
    files.push_back(Utf16ToUtf8(folder + parts[i]));
  return files;
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() { return DoExecute(Kind::kOpen); }

bool TOpenDialog::DoExecute(Kind kind) {
  std::u16string buffer(kFileBufferUnits, u'\0');
  const std::u16string proposed = Utf8ToUtf16(file_name_);
  // A proposed name longer than the buffer is cut; the buffer keeps its
  // final null characters.
  std::copy_n(proposed.begin(), std::min(proposed.size(), kFileBufferUnits - 2), buffer.begin());
  const std::u16string filter = filter_.empty() ? std::u16string() : SystemFilter(filter_);
  const std::u16string initial_dir = Utf8ToUtf16(initial_dir_);
  const std::u16string title = Utf8ToUtf16(title_);
  const std::u16string default_ext = Utf8ToUtf16(default_ext_);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = WideOrNull(filter);
  dialog.nFilterIndex = static_cast<DWORD>(std::max(filter_index_, 0));
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(buffer.data());
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrInitialDir = WideOrNull(initial_dir);
  dialog.lpstrTitle = WideOrNull(title);
  dialog.lpstrDefExt = WideOrNull(default_ext);
  dialog.Flags = FlagsOf(options_);

  const BOOL chosen = kind == Kind::kSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) {
    // A refusal of the settings themselves (an invalid proposed name, a
    // filter the system cannot read) must not look like a cancel.
    if (const DWORD error = CommDlgExtendedError(); error != 0)
      throw EInvalidOperation("The file dialog could not be shown (error " + std::to_string(error) + ")");
    return false;
  }

  options_.Set(ofReadOnly, (dialog.Flags & OFN_READONLY) != 0);
  options_.Set(ofExtensionDifferent, (dialog.Flags & OFN_EXTENSIONDIFFERENT) != 0);
  filter_index_ = static_cast<int32_t>(dialog.nFilterIndex);
  {
    TUpdateScope update(*files_);
    files_->Clear();
    for (const std::string& file : ChosenFiles(buffer))
      files_->Add(file);
  }
  file_name_ = files_->Count() > 0 ? files_->Get(0) : std::string();
  return true;
}

bool TSaveDialog::Execute() { return DoExecute(Kind::kSave); }
