#pragma once
// TClipboard: the system clipboard for this program. Text goes in as UTF-16
// (the system offers it to 8-bit readers too) and comes out of either form;
// bitmaps go in and out as device-independent bitmaps. Open and Close
// bracket several operations into one clipboard session; every single
// operation opens its own when none is open.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/persistent.h"

// The clipboard could not be opened or did not take the data.
class EClipboardException : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EClipboardException"; }
};

// The toolkit's picture format: HasFormat(CF_PICTURE) tells whether any
// format that a picture can be read from is on the clipboard.
extern const uint32_t CF_PICTURE;

class TClipboard : public TPersistent {
 public:
  static constexpr TClass kClass{"TClipboard", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClipboard();
  ~TClipboard() override;

  // Nested: only the outermost pair opens and closes the system clipboard.
  // Open raises EClipboardException when another program keeps it open.
  void Open();
  void Close();
  int32_t OpenCount() const { return open_count_; }

  void Clear();
  bool HasFormat(uint32_t format) const;
  int32_t FormatCount() const;
  // The formats on the clipboard in the order the system lists them.
  uint32_t Formats(int32_t index);

  // Text as UTF-8 or UTF-16, up to its first null character; empty when
  // there is none.
  std::string AsText();
  void SetAsText(std::string_view text);
  std::u16string AsWideText();
  void SetAsWideText(std::u16string_view text);

  // Raw data: the handle stays the system's (GetAsHandle) or becomes the
  // system's (SetAsHandle; when the clipboard refuses it, it stays the
  // caller's and EClipboardException is raised).
  HANDLE GetAsHandle(uint32_t format);
  void SetAsHandle(uint32_t format, HANDLE data);

  // Puts a bitmap (TBitmap, or a TPicture holding one) on the clipboard.
  // Other sources raise EConvertError.
  void Assign(const TPersistent* source) override;

 protected:
  // Reads the clipboard's bitmap into a TBitmap or a TPicture.
  void AssignTo(TPersistent& destination) const override;

 private:
  // Sets data inside an opened clipboard that was emptied for it.
  void PutGlobal(uint32_t format, const void* data, size_t size);
  void PutBitmap(const class TBitmap& bitmap);
  void ReadBitmap(class TBitmap& bitmap);
  HWND OwnerWindow();

  HWND owner_window_ = nullptr;
  int32_t open_count_ = 0;
  bool emptied_ = false;
};

// The process's clipboard object, created on first use.
TClipboard* Clipboard();
// Installs another clipboard object (the old one is returned, no longer
// owned); null returns to the default one on next use.
TClipboard* SetClipboard(TClipboard* clipboard);
