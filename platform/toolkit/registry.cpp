#include "platform/toolkit/registry.h"

#include <cstring>
#include <vector>

#include "platform/rtl/text.h"

namespace {

std::wstring Wide(const std::string& text) {
  const std::u16string utf16 = Utf8ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

// A path without trailing backslashes: the system refuses them.
std::string TrimTrailingSeparators(std::string path) {
  while (!path.empty() && path.back() == '\\')
    path.pop_back();
  return path;
}

ERegistryException FailedToSet(const std::string& name) {
  return ERegistryException("Failed to set data for '" + name + "'");
}
ERegistryException FailedToGet(const std::string& name) {
  return ERegistryException("Failed to get data for '" + name + "'");
}
ERegistryException InvalidType(const std::string& name) {
  return ERegistryException("Invalid data type for '" + name + "'");
}

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// Reads a whole value; false when it does not exist. The value may grow
// between asking its size and reading it, so the read is repeated then.
bool QueryValue(HKEY key, const std::string& name, RawValue& value) {
  if (key == nullptr)
    return false;
  const std::wstring wide_name = Wide(name);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
      return false;
    value.bytes.assign(size, 0);
    const LSTATUS status =
        RegQueryValueExW(key, wide_name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    if (status == ERROR_MORE_DATA)
      continue;
    if (status != ERROR_SUCCESS)
      return false;
    value.bytes.resize(size);
    return true;
  }
  return false;
}

TRegDataType DataTypeOf(DWORD type) {
  switch (type) {
    case REG_SZ:
      return rdString;
    case REG_EXPAND_SZ:
      return rdExpandString;
    case REG_DWORD:
      return rdInteger;
    case REG_BINARY:
      return rdBinary;
    default:
      return rdUnknown;
  }
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  if (root == root_key_)
    return;
  CloseKey();
  root_key_ = root;
}

HKEY TRegistry::BaseKeyFor(const std::string& key, std::string& relative) const {
  const bool absolute = !key.empty() && key.front() == '\\';
  relative = TrimTrailingSeparators(absolute ? key.substr(1) : key);
  if (absolute || current_key_ == nullptr)
    return root_key_;
  return current_key_;
}

std::string TRegistry::PathAfterOpening(const std::string& key, const std::string& relative) const {
  const bool absolute = !key.empty() && key.front() == '\\';
  if (absolute || current_key_ == nullptr || current_path_.empty())
    return relative;
  if (relative.empty())
    return current_path_;
  return current_path_ + "\\" + relative;
}

void TRegistry::ChangeKey(HKEY key, std::string path) {
  CloseKey();
  current_key_ = key;
  current_path_ = std::move(path);
}

bool TRegistry::OpenKey(const std::string& key, bool can_create) {
  std::string relative;
  const HKEY base = BaseKeyFor(key, relative);
  const std::wstring wide = Wide(relative);
  HKEY opened = nullptr;
  LSTATUS status;
  if (can_create && !relative.empty()) {
    status = RegCreateKeyExW(base, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                             &opened, nullptr);
  } else {
    status = RegOpenKeyExW(base, wide.c_str(), 0, access_, &opened);
  }
  if (status != ERROR_SUCCESS)
    return false;
  ChangeKey(opened, PathAfterOpening(key, relative));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  // Some keys grant reading values but refuse enumerating or notification;
  // the smaller rights still serve every read of this class.
  for (REGSAM rights : {REGSAM{KEY_READ}, REGSAM{KEY_READ & ~KEY_NOTIFY}, REGSAM{KEY_QUERY_VALUE}}) {
    access_ = rights;
    if (OpenKey(key, false))
      return true;
  }
  return false;
}

void TRegistry::CloseKey() {
  if (current_key_ != nullptr)
    RegCloseKey(current_key_);
  current_key_ = nullptr;
  current_path_.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string relative;
  const HKEY base = BaseKeyFor(key, relative);
  HKEY probe = nullptr;
  if (RegOpenKeyExW(base, Wide(relative).c_str(), 0, KEY_QUERY_VALUE, &probe) != ERROR_SUCCESS)
    return false;
  RegCloseKey(probe);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string relative;
  const HKEY base = BaseKeyFor(key, relative);
  // Deleting the root or the open key itself is refused: the object would
  // keep a handle to a deleted key.
  if (relative.empty())
    return false;
  return RegDeleteTreeW(base, Wide(relative).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (current_key_ == nullptr)
    return false;
  return RegQueryValueExW(current_key_, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  DWORD type = REG_NONE;
  if (current_key_ == nullptr ||
      RegQueryValueExW(current_key_, Wide(name).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return rdUnknown;
  return DataTypeOf(type);
}

bool TRegistry::DeleteValue(const std::string& name) {
  return current_key_ != nullptr && RegDeleteValueW(current_key_, Wide(name).c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
  RawValue value;
  if (!QueryValue(current_key_, name, value))
    return {};
  if (value.type != REG_SZ && value.type != REG_EXPAND_SZ)
    throw InvalidType(name);
  // Stored strings need not end in a null character, nor have an even size.
  const size_t units = value.bytes.size() / sizeof(wchar_t);
  std::wstring text(units, L'\0');
  if (units > 0)
    std::memcpy(text.data(), value.bytes.data(), units * sizeof(wchar_t));
  const size_t end = text.find(L'\0');
  return Narrow(text.data(), end == std::wstring::npos ? units : end);
}

void TRegistry::WriteText(const std::string& name, const std::string& value, DWORD type) {
  const std::wstring wide = Wide(value);
  const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
  if (current_key_ == nullptr ||
      RegSetValueExW(current_key_, Wide(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                     bytes) != ERROR_SUCCESS)
    throw FailedToSet(name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) { WriteText(name, value, REG_SZ); }

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  WriteText(name, value, REG_EXPAND_SZ);
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  RawValue value;
  if (!QueryValue(current_key_, name, value))
    throw FailedToGet(name);
  if (value.type != REG_DWORD || value.bytes.size() != sizeof(DWORD))
    throw InvalidType(name);
  int32_t result = 0;
  std::memcpy(&result, value.bytes.data(), sizeof(result));
  return result;
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  if (current_key_ == nullptr || RegSetValueExW(current_key_, Wide(name).c_str(), 0, REG_DWORD,
                                                reinterpret_cast<const BYTE*>(&value), sizeof(value)) != ERROR_SUCCESS)
    throw FailedToSet(name);
}
