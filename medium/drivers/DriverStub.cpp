// Stand-in for the printer driver DLLs and their configuration DLLs. The
// spooler loads a driver's configuration DLL when the driver is added, tells
// it about driver and printer events, and asks it for the default device
// mode of every printer it adds. The stand-in accepts every event and gives a
// plain device mode for a 203 dpi roll-paper printer. It renders nothing: the
// stand-in printers print through the port monitors' capture files.
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

// The spooler's request for a device mode, as the printer interface DLL
// receives it when it is called without a property sheet.
struct DocumentPropertyHeader {
  WORD cbSize;
  WORD reserved;
  HANDLE printer;
  LPWSTR printerName;
  PDEVMODEW in;
  PDEVMODEW out;
  DWORD outSize;
  DWORD mode;
};

constexpr LONG kCpsuiOk = 1;
constexpr LONG kCpsuiGetLastError = -1;
constexpr short kDotsPerInch = 203;

void FillDefaultDevMode(LPCWSTR printerName, DEVMODEW* mode) {
  std::memset(mode, 0, sizeof(*mode));
  for (int i = 0; printerName != nullptr && i < CCHDEVICENAME - 1 && printerName[i] != 0; ++i) {
    mode->dmDeviceName[i] = printerName[i];
  }
  mode->dmSpecVersion = DM_SPECVERSION;
  mode->dmDriverVersion = 0x0100;
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmFields = DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION;
  mode->dmOrientation = DMORIENT_PORTRAIT;
  mode->dmCopies = 1;
  mode->dmPrintQuality = kDotsPerInch;
  mode->dmYResolution = kDotsPerInch;
}

// Takes over the settings the stand-in knows from the caller's device mode.
void MergeDevMode(const DEVMODEW& in, DEVMODEW* out) {
  if (in.dmSize < offsetof(DEVMODEW, dmPrintQuality) + sizeof(in.dmPrintQuality)) return;
  if ((in.dmFields & DM_ORIENTATION) &&
      (in.dmOrientation == DMORIENT_PORTRAIT || in.dmOrientation == DMORIENT_LANDSCAPE)) {
    out->dmOrientation = in.dmOrientation;
  }
  if ((in.dmFields & DM_COPIES) && in.dmCopies > 0) out->dmCopies = in.dmCopies;
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI DrvDriverEvent(DWORD, DWORD, LPBYTE, LPARAM) {
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) {
  return TRUE;
}

// Without a property sheet: the size of the device mode, or the device mode
// itself when the caller asks for an output buffer. Property sheets are not
// offered by the stand-in.
__declspec(dllexport) LONG WINAPI DrvDocumentPropertySheets(void* propertySheet, LPARAM lParam) {
  auto* header = reinterpret_cast<DocumentPropertyHeader*>(lParam);
  if (propertySheet != nullptr) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return kCpsuiGetLastError;
  }
  if (header == nullptr || header->cbSize < sizeof(DocumentPropertyHeader)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return kCpsuiGetLastError;
  }
  if (header->mode == 0 || header->out == nullptr) return sizeof(DEVMODEW);
  if (header->outSize < sizeof(DEVMODEW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return kCpsuiGetLastError;
  }
  DEVMODEW mode;
  FillDefaultDevMode(header->printerName, &mode);
  if ((header->mode & DM_IN_BUFFER) && header->in != nullptr) MergeDevMode(*header->in, &mode);
  std::memcpy(header->out, &mode, sizeof(mode));
  return kCpsuiOk;
}

__declspec(dllexport) LONG WINAPI DrvDevicePropertySheets(void*, LPARAM) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return kCpsuiGetLastError;
}

__declspec(dllexport) DWORD WINAPI
    DrvDeviceCapabilities(HANDLE, PWSTR, WORD capability, void*, PDEVMODEW) {
  switch (capability) {
    case DC_FIELDS:
      return DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION;
    case DC_SIZE:
      return sizeof(DEVMODEW);
    case DC_EXTRA:
      return 0;
    case DC_VERSION:
      return DM_SPECVERSION;
    case DC_DRIVER:
      return 0x0100;
    case DC_COPIES:
      return 999;
    default:
      return static_cast<DWORD>(GDI_ERROR);
  }
}

}  // extern "C"
