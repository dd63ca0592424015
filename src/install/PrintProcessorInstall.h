#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "install/StepResult.h"
#include "platform/Machine.h"

namespace kv {

// The processor's key under HKEY_LOCAL_MACHINE in the family's environment
// (RecordsEnvironment).
std::string PrintProcessorKeyPath(const Spooler& spooler, OsFamily family,
                                  std::string_view processorName);

// Registers the model's print processor when the spooler lacks it (copying
// its DLL first), or compares the installed one with the configured version
// of setup.ini. The system's "WinPrint" is left alone. Only a refused
// registration writes `message`.
ComponentCheck InstallPrintProcessor(Machine& machine, OsFamily family,
                                     std::string_view processorName, std::string_view dllName,
                                     std::string& message);

// What InstallPrintProcessor would find, changing nothing: a processor that
// is missing counts as outdated too.
ComponentCheck TestPrintProcessor(Machine& machine, OsFamily family,
                                  std::string_view processorName);

}  // namespace kv
