// The print processor stand-in "KvRasterProc": it accepts the RAW data type
// and passes each job's data unchanged to the printer, as the maker's raster
// processor does for data that its driver has already rendered.
#include <windows.h>
#include <winsplp.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <string>

#include "handles/WindowsHandles.h"
#include "monitors/WideText.h"

namespace {

using kv::PrinterHandle;

const wchar_t kRaw[] = L"RAW";

struct Processor {
  std::string printerName;
  DWORD jobId = 0;
  volatile LONG cancelled = 0;
};

Processor* ProcessorOf(HANDLE handle) {
  return static_cast<Processor*>(handle);
}

// The printer (or job) of that name, closed on every path; not valid when
// it cannot be opened.
PrinterHandle OpenPrinterNamed(const std::string& name) {
  PrinterHandle printer;
  if (!OpenPrinterA(const_cast<char*>(name.c_str()), printer.receive(), nullptr)) printer.release();
  return printer;
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI
    EnumPrintProcessorDatatypesW(LPWSTR, LPWSTR, DWORD level, LPBYTE datatypes, DWORD size,
                                 LPDWORD needed, LPDWORD returned) {
  if (needed == nullptr || returned == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *returned = 0;
  if (level != 1) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  *needed = sizeof(DATATYPES_INFO_1W) + sizeof(kRaw);
  if (datatypes == nullptr || size < *needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* info = reinterpret_cast<DATATYPES_INFO_1W*>(datatypes);
  auto* name = reinterpret_cast<wchar_t*>(datatypes + sizeof(DATATYPES_INFO_1W));
  std::memcpy(name, kRaw, sizeof(kRaw));
  info->pName = name;
  *returned = 1;
  return TRUE;
}

__declspec(dllexport) HANDLE WINAPI
    OpenPrintProcessor(LPWSTR printerName, PPRINTPROCESSOROPENDATA openData) {
  if (printerName == nullptr || openData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (openData->pDatatype == nullptr ||
      lstrcmpiA(kv::Narrow(openData->pDatatype).c_str(), "RAW") != 0) {
    SetLastError(ERROR_INVALID_DATATYPE);
    return nullptr;
  }
  auto processor = std::make_unique<Processor>();
  processor->printerName = kv::Narrow(printerName);
  processor->jobId = openData->JobId;
  return processor.release();
}

__declspec(dllexport) BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE handle, LPWSTR) {
  Processor* processor = ProcessorOf(handle);
  if (processor == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The job is read through "<printer>, Job <id>" and written to the printer.
  char jobSuffix[32];
  wsprintfA(jobSuffix, ", Job %lu", processor->jobId);
  const PrinterHandle job = OpenPrinterNamed(processor->printerName + jobSuffix);
  const PrinterHandle printer = OpenPrinterNamed(processor->printerName);
  if (!job || !printer) return FALSE;
  BYTE buffer[4096];
  DWORD read = 0;
  while (processor->cancelled == 0 && ReadPrinter(job.get(), buffer, sizeof(buffer), &read) &&
         read > 0) {
    DWORD written = 0;
    if (!WritePrinter(printer.get(), buffer, read, &written) || written != read) return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI ClosePrintProcessor(HANDLE handle) {
  std::unique_ptr<Processor> processor(ProcessorOf(handle));
  if (!processor) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI ControlPrintProcessor(HANDLE handle, DWORD command) {
  Processor* processor = ProcessorOf(handle);
  if (processor == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (command == JOB_CONTROL_CANCEL) InterlockedExchange(&processor->cancelled, 1);
  return TRUE;
}

__declspec(dllexport) DWORD WINAPI
    GetPrintProcessorCapabilities(LPTSTR, DWORD, LPBYTE, DWORD, LPDWORD needed) {
  if (needed != nullptr) *needed = 0;
  SetLastError(ERROR_NOT_SUPPORTED);
  return ERROR_NOT_SUPPORTED;
}

}  // extern "C"
