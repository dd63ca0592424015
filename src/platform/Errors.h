#pragma once

#include <cstdint>

namespace kv {

// Windows error numbers, as the platform layer reports them. The core compares
// against these values; the numbers are those of the Windows SDK.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorInvalidFunction = 1;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorInvalidHandle = 6;
inline constexpr uint32_t kErrorNotEnoughMemory = 8;
inline constexpr uint32_t kErrorSharingViolation = 32;
inline constexpr uint32_t kErrorFileExists = 80;
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorCallNotImplemented = 120;
inline constexpr uint32_t kErrorInsufficientBuffer = 122;
inline constexpr uint32_t kErrorInvalidName = 123;
inline constexpr uint32_t kErrorModNotFound = 126;
inline constexpr uint32_t kErrorProcNotFound = 127;
inline constexpr uint32_t kErrorBadPathname = 161;
inline constexpr uint32_t kErrorAlreadyExists = 183;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;
inline constexpr uint32_t kErrorDirectory = 267;
inline constexpr uint32_t kErrorCanNotComplete = 1003;
inline constexpr uint32_t kErrorNoToken = 1008;
inline constexpr uint32_t kErrorKeyDeleted = 1018;
inline constexpr uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr uint32_t kErrorServiceNotActive = 1062;
inline constexpr uint32_t kErrorNotAllAssigned = 1300;
inline constexpr uint32_t kErrorRpcServerUnavailable = 1722;
inline constexpr uint32_t kErrorResourceDataNotFound = 1812;
inline constexpr uint32_t kErrorResourceTypeNotFound = 1813;
inline constexpr uint32_t kErrorUnknownPort = 1796;
inline constexpr uint32_t kErrorUnknownPrinterDriver = 1797;
inline constexpr uint32_t kErrorUnknownPrintProcessor = 1798;
inline constexpr uint32_t kErrorInvalidPrinterName = 1801;
inline constexpr uint32_t kErrorPrinterAlreadyExists = 1802;
inline constexpr uint32_t kErrorInvalidEnvironment = 1805;
inline constexpr uint32_t kErrorUnknownPrintMonitor = 3000;
inline constexpr uint32_t kErrorPrinterDriverInUse = 3001;
inline constexpr uint32_t kErrorPrintProcessorAlreadyInstalled = 3005;
inline constexpr uint32_t kErrorPrintMonitorAlreadyInstalled = 3006;
inline constexpr uint32_t kErrorPrintMonitorInUse = 3008;

}  // namespace kv
