#pragma once

#include "platform/Spooler.h"

namespace kv {

// The local print spooler through winspool.drv's ANSI functions.
class Win32Spooler : public Spooler {
 public:
  std::string NtEnvironment() const override;
  uint32_t AddPrinter(const PrinterInfo2& info) override;
  uint32_t DeletePrinter(std::string_view printerName) override;
  uint32_t GetPrinter(std::string_view printerName, PrinterInfo2* info) override;
  uint32_t SetPrinter(std::string_view printerName, const PrinterInfo2& info) override;
  uint32_t EnumPrinters(std::vector<PrinterInfo2>* printers) override;
  uint32_t EnumPrinters(std::vector<PrinterInfo5>* printers) override;
  uint32_t OpenPrinterAllAccess(std::string_view printerName, OpenPrinterHandle* printer) override;
  uint32_t QueryPrinter(OpenPrinterHandle printer, PrinterInfo2* info) override;
  uint32_t DeleteOpenPrinter(OpenPrinterHandle printer) override;
  uint32_t ClosePrinter(OpenPrinterHandle printer) override;

  uint32_t AddPrinterDriver(const DriverInfo3& info) override;
  uint32_t DeletePrinterDriverAndUnusedFiles(const std::optional<std::string>& environment,
                                             std::string_view driverName) override;
  uint32_t EnumPrinterDrivers(const std::optional<std::string>& environment,
                              std::vector<DriverEntry>* drivers) override;

  uint32_t AddMonitor(const MonitorInfo2& info) override;
  uint32_t DeleteMonitor(const std::optional<std::string>& environment,
                         std::string_view monitorName) override;
  uint32_t EnumMonitors(std::vector<std::string>* monitorNames) override;

  uint32_t AddPrintProcessor(const std::optional<std::string>& environment,
                             std::string_view dllName, std::string_view processorName) override;
  uint32_t DeletePrintProcessor(const std::optional<std::string>& environment,
                                std::string_view processorName) override;
  uint32_t EnumPrintProcessors(const std::optional<std::string>& environment,
                               std::vector<std::string>* processorNames) override;

  uint32_t EnumPorts(std::vector<std::string>* portNames) override;

  uint32_t GetPrinterDriverDirectory(std::string* directory) override;
  uint32_t GetPrintProcessorDirectory(std::string* directory) override;

  uint32_t SetDefaultPrinter(std::string_view printerName) override;
};

}  // namespace kv
