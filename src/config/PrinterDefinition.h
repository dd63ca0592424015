#pragma once

#include <string_view>

#include "common/OsFamily.h"
#include "config/DriverSection.h"
#include "config/SetupConfiguration.h"
#include "platform/Spooler.h"

namespace kv {

// The printer of a model, family and mode as the spooler's add-printer call
// takes it. The reader fills the printer name (the model name), the driver
// name, the print processor and the attributes; the Install command adds the
// port and the port suffix of the name; everything else stays empty or zero.
struct PrinterDefinition : PrinterInfo2 {};

PrinterDefinition ReadPrinterDefinition(const SetupConfiguration& configuration,
                                        std::string_view modelName, OsFamily family,
                                        DriverMode mode);

}  // namespace kv
