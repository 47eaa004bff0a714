#include "platform/toolkit/clipboard.h"

#include <cstring>
#include <memory>
#include <vector>

#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/system_error.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/picture.h"

const uint32_t CF_PICTURE = RegisterClipboardFormatW(L"Toolkit Picture");

namespace {

// Another program may hold the clipboard for a moment; a few short waits
// ride that out without risking a hang.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMilliseconds = 20;

constexpr uint16_t kBmpMagic = 0x4D42;  // "BM"

// Locks a global memory block for the scope.
class LockedGlobal {
 public:
  explicit LockedGlobal(HANDLE block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedGlobal() {
    if (data_ != nullptr)
      GlobalUnlock(block_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  void* data() const { return data_; }
  size_t size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HANDLE block_;
  void* data_;
};

// Colour-table entries that follow a DIB header.
size_t PaletteEntries(const BITMAPINFOHEADER& header) {
  if (header.biBitCount > 8)
    return 0;
  return header.biClrUsed != 0 ? header.biClrUsed : size_t{1} << header.biBitCount;
}

// Where the pixels of a packed DIB begin, counted from its header.
size_t PixelOffset(const BITMAPINFOHEADER& header) {
  size_t offset = header.biSize;
  if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
    offset += 3 * sizeof(DWORD);
  return offset + PaletteEntries(header) * sizeof(RGBQUAD);
}

std::unique_ptr<TClipboard>& ClipboardInstance() {
  static std::unique_ptr<TClipboard> instance;
  return instance;
}

}  // namespace

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() {
  if (open_count_ > 0)
    CloseClipboard();
  if (owner_window_ != nullptr)
    DestroyWindow(owner_window_);
}

HWND TClipboard::OwnerWindow() {
  // Data set by a clipboard opened without a window would be dropped at
  // once, so the clipboard gets a message-only window of its own.
  if (owner_window_ == nullptr)
    owner_window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  return owner_window_;
}

void TClipboard::Open() {
  if (open_count_ == 0) {
    const HWND owner = OwnerWindow();
    bool opened = false;
    int32_t error = 0;
    for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
      opened = OpenClipboard(owner) != FALSE;
      if (!opened) {
        error = LastSystemError();
        Sleep(kOpenRetryMilliseconds);
      }
    }
    if (!opened)
      throw EClipboardException("Cannot open clipboard: " + SystemErrorText(error));
    emptied_ = false;
  }
  ++open_count_;
}

void TClipboard::Close() {
  if (open_count_ == 0)
    return;
  if (--open_count_ == 0)
    CloseClipboard();
}

void TClipboard::Clear() {
  Open();
  EmptyClipboard();
  emptied_ = true;
  Close();
}

bool TClipboard::HasFormat(uint32_t format) const {
  if (format == CF_PICTURE)
    return IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP) ||
           IsClipboardFormatAvailable(CF_DIBV5);
  return IsClipboardFormatAvailable(format) != FALSE;
}

int32_t TClipboard::FormatCount() const { return CountClipboardFormats(); }

uint32_t TClipboard::Formats(int32_t index) {
  if (index < 0)
    throw EListError::IndexOutOfBounds(index);
  Open();
  uint32_t format = 0;
  for (int32_t i = 0; i <= index; ++i) {
    format = EnumClipboardFormats(format);
    if (format == 0)
      break;
  }
  Close();
  if (format == 0)
    throw EListError::IndexOutOfBounds(index);
  return format;
}

void TClipboard::PutGlobal(uint32_t format, const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr)
    throw EClipboardException("Out of system resources");
  {
    LockedGlobal lock(block);
    std::memcpy(lock.data(), data, size);
  }
  // The clipboard owns the block once it took it.
  TScopeFail free_block([block] { GlobalFree(block); });
  SetAsHandle(format, block);
}

void TClipboard::SetAsHandle(uint32_t format, HANDLE data) {
  Open();
  // The first data of a session replaces whatever the clipboard held;
  // later data of the same session is offered beside it.
  if (!emptied_) {
    EmptyClipboard();
    emptied_ = true;
  }
  const bool taken = SetClipboardData(format, data) != nullptr;
  const int32_t error = LastSystemError();
  Close();
  if (!taken)
    throw EClipboardException("Cannot set clipboard data: " + SystemErrorText(error));
}

HANDLE TClipboard::GetAsHandle(uint32_t format) {
  Open();
  HANDLE data = GetClipboardData(format);
  Close();
  return data;
}

std::u16string TClipboard::AsWideText() {
  Open();
  std::u16string text;
  // The system converts text that another program put there in 8 bits.
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    LockedGlobal lock(data);
    const auto* units = static_cast<const char16_t*>(lock.data());
    const size_t capacity = lock.size() / sizeof(char16_t);
    size_t length = 0;
    while (units != nullptr && length < capacity && units[length] != u'\0')
      ++length;
    if (units != nullptr)
      text.assign(units, length);
  }
  Close();
  return text;
}

std::string TClipboard::AsText() { return Utf16ToUtf8(AsWideText()); }

void TClipboard::SetAsWideText(std::u16string_view text) {
  std::u16string terminated(text);
  PutGlobal(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(char16_t));
}

void TClipboard::SetAsText(std::string_view text) { SetAsWideText(Utf8ToUtf16(text)); }

void TClipboard::PutBitmap(const TBitmap& bitmap) {
  // The BMP form of the bitmap without its file header is a packed DIB.
  TMemoryStream stream;
  const_cast<TBitmap&>(bitmap).SaveToStream(stream);
  constexpr size_t kFileHeader = sizeof(BITMAPFILEHEADER);
  if (stream.Size() <= static_cast<int64_t>(kFileHeader))
    throw EClipboardException("Cannot put an empty bitmap on the clipboard");
  PutGlobal(CF_DIB, stream.Memory() + kFileHeader, static_cast<size_t>(stream.Size()) - kFileHeader);
}

void TClipboard::Assign(const TPersistent* source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(source))
    source = picture->Graphic();
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    PutBitmap(*bitmap);
    return;
  }
  TPersistent::Assign(source);
}

void TClipboard::ReadBitmap(TBitmap& bitmap) {
  Open();
  // CF_DIB is there whenever any bitmap form is: the system converts.
  std::vector<uint8_t> file;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    LockedGlobal lock(data);
    const size_t size = lock.size();
    if (lock.data() != nullptr && size >= sizeof(BITMAPINFOHEADER)) {
      BITMAPINFOHEADER header;
      std::memcpy(&header, lock.data(), sizeof(header));
      BITMAPFILEHEADER file_header{};
      file_header.bfType = kBmpMagic;
      file_header.bfSize = static_cast<DWORD>(sizeof(file_header) + size);
      file_header.bfOffBits = static_cast<DWORD>(sizeof(file_header) + PixelOffset(header));
      file.resize(sizeof(file_header) + size);
      std::memcpy(file.data(), &file_header, sizeof(file_header));
      std::memcpy(file.data() + sizeof(file_header), lock.data(), size);
    }
  }
  Close();
  if (file.empty())
    throw EClipboardException("Clipboard does not support bitmaps");
  TMemoryStream stream;
  stream.Write(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

void TClipboard::AssignTo(TPersistent& destination) const {
  // Reading opens the system clipboard, which the object's state tracks.
  if (auto* bitmap = dynamic_cast<TBitmap*>(&destination)) {
    const_cast<TClipboard*>(this)->ReadBitmap(*bitmap);
    return;
  }
  if (auto* picture = dynamic_cast<TPicture*>(&destination)) {
    TBitmap bitmap;
    const_cast<TClipboard*>(this)->ReadBitmap(bitmap);
    picture->SetGraphic(&bitmap);
    return;
  }
  TPersistent::AssignTo(destination);
}

TClipboard* Clipboard() {
  auto& instance = ClipboardInstance();
  if (!instance)
    instance = std::make_unique<TClipboard>();
  return instance.get();
}

TClipboard* SetClipboard(TClipboard* clipboard) {
  auto& instance = ClipboardInstance();
  TClipboard* old = instance.release();
  instance.reset(clipboard);
  return old;
}
