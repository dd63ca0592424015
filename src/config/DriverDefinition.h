#pragma once

#include <cstdint>
#include <string_view>

#include "common/OsFamily.h"
#include "config/DriverSection.h"
#include "config/SetupConfiguration.h"
#include "platform/Spooler.h"

namespace kv {

// The printer driver of a model, family and mode, exactly as the spooler's
// add-driver call takes it; the monitor name and default data type stay unset.
struct DriverDefinition : DriverInfo3 {};

// 0 for Win98, 2 for NT4, 3 for Win2000 to Vista; 0 outside 0 to 5.
uint32_t DriverStructureVersion(OsFamily family);

// Reads the driver from the model's section of the current module's file.
// The dependent list is filled only on Win2000 to Vista and only when
// "GDI2KDDKDEV" (in both modes) is a non-zero number: the data file, the three
// universal driver support files, then each optional file of the mode that
// names a file (DataFileDLLName, DataOemuiDLL, DataOemuniDLL, DataOemuniini).
DriverDefinition ReadDriverDefinition(const SetupConfiguration& configuration,
                                      std::string_view modelName, OsFamily family, DriverMode mode);

}  // namespace kv
