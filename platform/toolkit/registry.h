#pragma once
// TRegistry: one open key of the system registry at a time, below a root key
// (HKEY_CURRENT_USER unless set), with reading and writing of string and
// integer values. Key paths and value names are UTF-8; a path that starts
// with "\" is taken from the root key, any other from the open key.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

// A value that could not be read or written ("Failed to set data for 'x'",
// "Invalid data type for 'x'").
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ERegistryException"; }
};

enum TRegDataType : uint8_t { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
 public:
  static constexpr TClass kClass{"TRegistry", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry() override;

  HKEY RootKey() const { return root_key_; }
  // Closes the open key first.
  void SetRootKey(HKEY root);
  REGSAM Access() const { return access_; }
  // The rights asked for by the next OpenKey.
  void SetAccess(REGSAM access) { access_ = access; }

  // The open key (null when none) and its path below the root key.
  HKEY CurrentKey() const { return current_key_; }
  const std::string& CurrentPath() const { return current_path_; }

  // Opens the key, creating it when asked; the key opened before is closed
  // only when the new one opened. False when the key is missing (and not to
  // be created) or the rights are refused.
  bool OpenKey(const std::string& key, bool can_create);
  // Opens with reading rights only, trying smaller rights when the full
  // reading rights are refused; Access tells which were granted.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();

  bool KeyExists(const std::string& key);
  // Deletes the key with all its subkeys and values.
  bool DeleteKey(const std::string& key);

  // About values of the open key; false without one.
  bool ValueExists(const std::string& name) const;
  TRegDataType GetDataType(const std::string& name) const;
  bool DeleteValue(const std::string& name);

  // The text of a string value up to its first null character; empty when
  // the value does not exist. ERegistryException for a value of another
  // type.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  // ERegistryException when the value is missing or not a 32-bit integer.
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

 private:
  // The key a path is relative to, and the path without its leading "\".
  HKEY BaseKeyFor(const std::string& key, std::string& relative) const;
  std::string PathAfterOpening(const std::string& key, const std::string& relative) const;
  void ChangeKey(HKEY key, std::string path);
  void WriteText(const std::string& name, const std::string& value, DWORD type);

  HKEY root_key_ = HKEY_CURRENT_USER;
  REGSAM access_ = KEY_ALL_ACCESS;
  HKEY current_key_ = nullptr;
  std::string current_path_;
};
