#pragma once

#include <string>

#include "common/OsFamily.h"
#include "platform/Machine.h"

namespace kv {

// Supplies the files some systems need beside the driver's own: on Windows
// 98/Me ICONLIB.DLL, and UNIDRV.DLL when the system directory lacks it (from
// the system's backup into the system directory, else from the medium into
// the driver directory); on Windows 2000 and later, for a model that uses the
// universal driver, its three support files. Only the 98/Me failures write
// `message`.
void StageLegacyFiles(Machine& machine, OsFamily family, bool universalDriver,
                      std::string& message);

}  // namespace kv
