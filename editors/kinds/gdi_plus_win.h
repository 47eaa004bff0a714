#pragma once
// The binding to the system's GDI+ flat interface. GDI+ is not linked: it
// is loaded by name at the first check, and counts as available only when
// the library and every entry point the binding asks for are there and
// GDI+ has started. A missing GDI+ is no error; the image types that need
// it are simply not offered. GUI thread only.

#include <windows.h>
#include <objidl.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/kinds/gdi_plus_units_loader.h"

using TlxGpStatus = int32_t;
constexpr TlxGpStatus lxGpOk = 0;
constexpr TlxGpStatus lxGpGenericError = 1;

// Opaque GDI+ objects.
struct TlxGpImageHandle;
struct TlxGpGraphicsHandle;
using GpImageHandle = TlxGpImageHandle*;
using GpGraphicsHandle = TlxGpGraphicsHandle*;

constexpr int32_t lxPixelFormat32bppPARGB = 0xE200B;
constexpr int32_t lxGpUnitPixel = 2;

// The platform's image codec information record.
struct TlxImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

// The entry points this system calls, typed; empty while GDI+ is not bound.
struct TlxGdiPlusFunctions {
  void*(WINAPI* GdipAlloc)(size_t size) = nullptr;
  void(WINAPI* GdipFree)(void* block) = nullptr;
  TlxGpStatus(WINAPI* GdipGetImageEncodersSize)(UINT* count, UINT* size) = nullptr;
  TlxGpStatus(WINAPI* GdipGetImageEncoders)(UINT count, UINT size, TlxImageCodecInfo* encoders) = nullptr;
  TlxGpStatus(WINAPI* GdipCreateBitmapFromScan0)(INT width, INT height, INT stride, INT format, BYTE* scan0,
                                                  GpImageHandle* bitmap) = nullptr;
  TlxGpStatus(WINAPI* GdipCreateBitmapFromStream)(IStream* stream, GpImageHandle* bitmap) = nullptr;
  TlxGpStatus(WINAPI* GdipCloneImage)(GpImageHandle image, GpImageHandle* clone) = nullptr;
  TlxGpStatus(WINAPI* GdipDisposeImage)(GpImageHandle image) = nullptr;
  TlxGpStatus(WINAPI* GdipGetImageDimension)(GpImageHandle image, float* width, float* height) = nullptr;
  TlxGpStatus(WINAPI* GdipSaveImageToStream)(GpImageHandle image, IStream* stream, const CLSID* encoder,
                                              const void* parameters) = nullptr;
  TlxGpStatus(WINAPI* GdipCreateHBITMAPFromBitmap)(GpImageHandle bitmap, HBITMAP* result, DWORD background) = nullptr;
  TlxGpStatus(WINAPI* GdipCreateFromHDC)(HDC dc, GpGraphicsHandle* graphics) = nullptr;
  TlxGpStatus(WINAPI* GdipDeleteGraphics)(GpGraphicsHandle graphics) = nullptr;
  TlxGpStatus(WINAPI* GdipDrawImageRectRect)(GpGraphicsHandle graphics, GpImageHandle image, float dst_x,
                                              float dst_y, float dst_width, float dst_height, float src_x,
                                              float src_y, float src_width, float src_height, INT src_unit,
                                              const void* attributes, void* abort_callback,
                                              void* callback_data) = nullptr;
};

// Every entry point the binding asks for, in lookup order.
constexpr size_t lxGdiPlusEntryPointCount = 91;
extern const std::array<const char*, lxGdiPlusEntryPointCount> lxGdiPlusEntryPointNames;

void lxLoadGdiPlus();
// The available flag; binds (again) first when it is False.
bool lxCheckGdiPlus();
void lxUnloadGdiPlus();
// One entry-point lookup: asks the library only while the binding is still
// complete, so the first missing name leaves every later one empty.
FARPROC lxGetGdiPlusProc(const char* name);
// 0 when an encoder for the MIME type exists (the identifier is filled),
// 1 otherwise (the identifier is left as it is).
int32_t lxGetImageEncoderClsid(std::string_view mime_type, CLSID& clsid);
// Looks up the PNG encoder while its identifier is unset.
void lxCheckPngEncoder();
const CLSID& lxPngEncoderClsid();
bool lxPngEncoderKnown();
inline bool lxGpIsOk(TlxGpStatus status) { return status == lxGpOk; }
// True inside a loadable library that is not a package.
bool lxIsLibraryModule();

const TlxGdiPlusFunctions& lxGdiPlus();
// The pointer the last binding found for entry point `index` of the list.
FARPROC lxGdiPlusEntryPoint(size_t index);
// The library handle of the last binding attempt, or null.
HMODULE lxGdiPlusLibrary();

// Which library the binding loads ("gdiplus.dll"); tests point it at
// libraries that lack entry points. Returns the previous name.
std::string lxSetGdiPlusLibraryName(const std::string& name);

// The process-wide units loader, created on first use.
TlxUnitsLoader& lxUnitsLoader();

// Module start and end of the binding (counted). The end raises when GDI+
// is still in use inside a loadable library.
void lxGdiPlusInitialize();
void lxGdiPlusFinalize();
