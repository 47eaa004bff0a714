#include "editors/kinds/gdi_plus_win.h"

#include <bit>
#include <memory>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

const std::array<const char*, lxGdiPlusEntryPointCount> lxGdiPlusEntryPointNames{
    "GdipAlloc", "GdipFree", "GdiplusStartup", "GdiplusShutdown", "GdipCloneBrush", "GdipDeleteBrush",
    "GdipGetBrushType", "GdipCreateSolidFill", "GdipSetSolidFillColor", "GdipGetSolidFillColor",
    "GdipCreateLineBrushFromRectI", "GdipGetLineRectI", "GdipSetLineColors", "GdipGetLineColors",
    "GdipSetLineWrapMode", "GdipGetLineWrapMode", "GdipCreateHatchBrush", "GdipGetHatchStyle",
    "GdipGetHatchForegroundColor", "GdipGetHatchBackgroundColor", "GdipCreatePen1", "GdipCreatePen2",
    "GdipClonePen", "GdipDeletePen", "GdipGetPenFillType", "GdipSetPenBrushFill", "GdipGetPenBrushFill",
    "GdipSetPenColor", "GdipGetPenColor", "GdipSetPenMode", "GdipGetPenMode", "GdipSetPenWidth",
    "GdipGetPenWidth", "GdipCreateFromHDC", "GdipDeleteGraphics", "GdipGetDC", "GdipReleaseDC",
    "GdipGraphicsClear", "GdipDrawLineI", "GdipFillRectangleI", "GdipDrawArcI", "GdipDrawBezierI",
    "GdipDrawRectangleI", "GdipDrawEllipseI", "GdipDrawPieI", "GdipDrawPolygonI", "GdipDrawCurve2I",
    "GdipDrawClosedCurve2I", "GdipFillPolygonI", "GdipFillEllipseI", "GdipFillPieI", "GdipFillClosedCurveI",
    "GdipLoadImageFromStream", "GdipCreateBitmapFromFile", "GdipCreateBitmapFromStream",
    "GdipCreateBitmapFromStreamICM", "GdipCreateHBITMAPFromBitmap", "GdipLoadImageFromFile",
    "GdipGetImageDimension", "GdipDrawImageRectI", "GdipDisposeImage", "GdipGetImageEncodersSize",
    "GdipGetImageEncoders", "GdipSaveImageToStream", "GdipCreateBitmapFromHBITMAP",
    "GdipGetEncoderParameterListSize", "GdipGetEncoderParameterList", "GdipCreateBitmapFromGdiDib",
    "GdipCreateBitmapFromScan0", "GdipBitmapLockBits", "GdipBitmapUnlockBits", "GdipDrawImageRectRectI",
    "GdipDrawImageRectRect", "GdipDrawImagePointRect", "GdipCloneImage", "GdipSetInterpolationMode",
    "GdipGetInterpolationMode", "GdipCreateCachedBitmap", "GdipDeleteCachedBitmap", "GdipDrawCachedBitmap",
    "GdipCreateBitmapFromGraphics", "GdipGetImageGraphicsContext", "GdipGetImageWidth", "GdipGetImageHeight",
    "GdipSetCompositingMode", "GdipGetCompositingMode", "GdipSetCompositingQuality",
    "GdipGetCompositingQuality", "GdipSetSmoothingMode", "GdipGetSmoothingMode", "GdipCloneBitmapAreaI"};

namespace {

constexpr UINT kNoOpenFileErrorBox = 0x8000;  // SEM_NOOPENFILEERRORBOX

struct TStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = static_cast<BOOL>(0xFFFFFFFF);
  BOOL SuppressExternalCodecs = FALSE;
};

using TNotificationHook = TlxGpStatus(WINAPI*)(ULONG_PTR* token);
using TNotificationUnhook = void(WINAPI*)(ULONG_PTR token);

struct TStartupOutput {
  TNotificationHook NotificationHook = nullptr;
  TNotificationUnhook NotificationUnhook = nullptr;
};

using TStartup = TlxGpStatus(WINAPI*)(ULONG_PTR* token, const TStartupInput* input, TStartupOutput* output);
using TShutdown = void(WINAPI*)(ULONG_PTR token);

struct TBindingState {
  std::string library_name = "gdiplus.dll";
  HMODULE library = nullptr;
  bool available = false;
  std::array<FARPROC, lxGdiPlusEntryPointCount> entry_points{};
  TlxGdiPlusFunctions functions;
  ULONG_PTR startup_token = 0;
  ULONG_PTR hook_token = 0;
  TStartupOutput startup_output;
  CLSID png_encoder{};
};

TBindingState& Binding() {
  static TBindingState state;
  return state;
}

constexpr size_t EntryIndex(std::string_view name) {
  for (size_t index = 0; index < lxGdiPlusEntryPointNames.size(); ++index)
    if (std::string_view(lxGdiPlusEntryPointNames[index]) == name)
      return index;
  return lxGdiPlusEntryPointNames.size();
}

template <class Function>
void Take(Function& target, std::string_view name) {
  target = std::bit_cast<Function>(Binding().entry_points[EntryIndex(name)]);
}

void TakeFunctions() {
  TlxGdiPlusFunctions& f = Binding().functions;
  Take(f.GdipAlloc, "GdipAlloc");
  Take(f.GdipFree, "GdipFree");
  Take(f.GdipGetImageEncodersSize, "GdipGetImageEncodersSize");
  Take(f.GdipGetImageEncoders, "GdipGetImageEncoders");
  Take(f.GdipCreateBitmapFromScan0, "GdipCreateBitmapFromScan0");
  Take(f.GdipCreateBitmapFromStream, "GdipCreateBitmapFromStream");
  Take(f.GdipCloneImage, "GdipCloneImage");
  Take(f.GdipDisposeImage, "GdipDisposeImage");
  Take(f.GdipGetImageDimension, "GdipGetImageDimension");
  Take(f.GdipSaveImageToStream, "GdipSaveImageToStream");
  Take(f.GdipCreateHBITMAPFromBitmap, "GdipCreateHBITMAPFromBitmap");
  Take(f.GdipCreateFromHDC, "GdipCreateFromHDC");
  Take(f.GdipDeleteGraphics, "GdipDeleteGraphics");
  Take(f.GdipDrawImageRectRect, "GdipDrawImageRectRect");
}

FARPROC Entry(std::string_view name) { return Binding().entry_points[EntryIndex(name)]; }

bool IsClsidSet(const CLSID& clsid) { return clsid.Data1 != 0 || clsid.Data2 != 0 || clsid.Data3 != 0; }

// Leaves the library: a failed binding must not keep it loaded.
void ReleaseLibrary() {
  TBindingState& state = Binding();
  if (state.library != nullptr)
    FreeLibrary(state.library);
  state.library = nullptr;
}

void StartGdiPlus() {
  TBindingState& state = Binding();
  const auto startup = std::bit_cast<TStartup>(Entry("GdiplusStartup"));
  const TStartupInput input;
  bool started = lxGpIsOk(startup(&state.startup_token, &input, &state.startup_output));
  if (started) {
    if (state.startup_output.NotificationHook == nullptr ||
        !lxGpIsOk(state.startup_output.NotificationHook(&state.hook_token))) {
      std::bit_cast<TShutdown>(Entry("GdiplusShutdown"))(state.startup_token);
      started = false;
    }
  }
  if (!started) {
    state.available = false;
    state.startup_output = TStartupOutput{};
  }
}

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

std::unique_ptr<TlxUnitsLoader>& LoaderInstance() {
  static std::unique_ptr<TlxUnitsLoader> loader;
  return loader;
}

// GDI+ is bound at the first check, not at module start; a binding that
// already exists (and its started GDI+) is kept.
void lxGDIPlusUnitStart() {
  if (Binding().library == nullptr)
    Binding().available = false;
}

void lxGDIPlusUnitEnd() { lxUnloadGdiPlus(); }

}  // namespace

FARPROC lxGetGdiPlusProc(const char* name) {
  TBindingState& state = Binding();
  if (!state.available)
    return nullptr;
  const FARPROC proc = GetProcAddress(state.library, name);
  state.available = proc != nullptr;
  return proc;
}

void lxLoadGdiPlus() {
  TBindingState& state = Binding();
  if (state.available)
    return;
  // The handle of an earlier failed attempt was released with it.
  const UINT previous_mode = SetErrorMode(kNoOpenFileErrorBox);
  state.library = LoadLibraryA(state.library_name.c_str());
  SetErrorMode(previous_mode);
  state.available = state.library != nullptr;
  if (!state.available)
    return;
  for (size_t index = 0; index < lxGdiPlusEntryPointCount; ++index)
    state.entry_points[index] = lxGetGdiPlusProc(lxGdiPlusEntryPointNames[index]);
  TakeFunctions();
  if (state.available)
    StartGdiPlus();
  if (!state.available) {
    state.entry_points.fill(nullptr);
    state.functions = TlxGdiPlusFunctions{};
    ReleaseLibrary();
  }
}

bool lxCheckGdiPlus() {
  if (!Binding().available)
    lxLoadGdiPlus();
  return Binding().available;
}

void lxUnloadGdiPlus() {
  TBindingState& state = Binding();
  if (state.available) {
    if (state.startup_output.NotificationUnhook != nullptr)
      state.startup_output.NotificationUnhook(state.hook_token);
    std::bit_cast<TShutdown>(Entry("GdiplusShutdown"))(state.startup_token);
  }
  ReleaseLibrary();
  state.available = false;
  state.entry_points.fill(nullptr);
  state.functions = TlxGdiPlusFunctions{};
  state.startup_output = TStartupOutput{};
  state.png_encoder = CLSID{};
}

int32_t lxGetImageEncoderClsid(std::string_view mime_type, CLSID& clsid) {
  if (!lxCheckGdiPlus())
    return 1;
  const TlxGdiPlusFunctions& gdip = Binding().functions;
  UINT count = 0;
  UINT size = 0;
  if (!lxGpIsOk(gdip.GdipGetImageEncodersSize(&count, &size)) || size == 0)
    return 1;
  // The table holds the records followed by the texts they point at.
  std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
  auto* encoders = reinterpret_cast<TlxImageCodecInfo*>(buffer.data());
  if (!lxGpIsOk(gdip.GdipGetImageEncoders(count, size, encoders)))
    return 1;
  const std::string wanted = LowerCase(mime_type);
  for (UINT index = 0; index < count; ++index) {
    const WCHAR* mime = encoders[index].MimeType;
    if (mime == nullptr)
      continue;
    if (LowerCase(Utf16ToUtf8(reinterpret_cast<const char16_t*>(mime))) == wanted) {
      clsid = encoders[index].Clsid;
      return 0;
    }
  }
  return 1;
}

void lxCheckPngEncoder() {
  TBindingState& state = Binding();
  if (!IsClsidSet(state.png_encoder))
    lxGetImageEncoderClsid("image/png", state.png_encoder);
}

const CLSID& lxPngEncoderClsid() { return Binding().png_encoder; }

bool lxPngEncoderKnown() { return IsClsidSet(Binding().png_encoder); }

bool lxIsLibraryModule() {
  HMODULE own_module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&lxIsLibraryModule), &own_module);
  return own_module != nullptr && own_module != GetModuleHandleA(nullptr);
}

const TlxGdiPlusFunctions& lxGdiPlus() { return Binding().functions; }

FARPROC lxGdiPlusEntryPoint(size_t index) {
  return index < lxGdiPlusEntryPointCount ? Binding().entry_points[index] : nullptr;
}

HMODULE lxGdiPlusLibrary() { return Binding().library; }

std::string lxSetGdiPlusLibraryName(const std::string& name) {
  std::string previous = Binding().library_name;
  Binding().library_name = name;
  return previous;
}

TlxUnitsLoader& lxUnitsLoader() {
  std::unique_ptr<TlxUnitsLoader>& loader = LoaderInstance();
  if (!loader)
    loader = std::make_unique<TlxUnitsLoader>(lxIsLibraryModule());
  return *loader;
}

void lxGdiPlusInitialize() {
  ModuleStart().Start([] { lxUnitsLoader().AddUnit(&lxGDIPlusUnitStart, &lxGDIPlusUnitEnd); });
}

void lxGdiPlusFinalize() {
  ModuleStart().End([] {
    std::unique_ptr<TlxUnitsLoader>& loader = LoaderInstance();
    if (Binding().available && lxIsLibraryModule() && loader && !loader->EndList().empty())
      throw Exception("Need call lxFinalizeGDIPlus before free library!");
    loader.reset();
  });
}
