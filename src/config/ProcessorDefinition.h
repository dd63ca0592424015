#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "config/DriverSection.h"
#include "config/SetupConfiguration.h"

namespace kv {

// The system's own print processor; a definition naming it installs nothing.
inline constexpr std::string_view kSystemPrintProcessor = "WinPrint";

// The print processor of a model, family and mode. The name and file come from
// the model's driver section (the printer definition's print processor and the
// file list's ProcessorDLLName); the version is one for every model.
struct ProcessorDefinition {
  std::string name;  // cut to 49 characters
  std::string file;  // cut to 199 characters; '0' first means no file
  int32_t version = 0;
};

// Exact, case-sensitive: "winprint" is a processor of the maker.
bool IsSystemPrintProcessor(std::string_view name);

// "DriverVersion" of section "ProcessorVersion" in setup.ini, 0 when missing.
int32_t ReadProcessorVersion(const SetupConfiguration& configuration);

ProcessorDefinition ReadProcessorDefinition(const SetupConfiguration& configuration,
                                            std::string_view modelName, OsFamily family,
                                            DriverMode mode);

}  // namespace kv
