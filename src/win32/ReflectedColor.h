#pragma once

#include "win32/Win32Api.h"

namespace kv {

// The reflected form of a control-colour message: a dialog of the binding
// sends it to the control first, which prepares the device context and
// answers the brush (0: the control leaves the request to its dialog).
inline constexpr UINT kReflectBase = WM_USER + 0x1c00;
inline bool IsReflectedColorRequest(UINT message) {
  return message >= kReflectBase + WM_CTLCOLORMSGBOX && message <= kReflectBase + WM_CTLCOLORSTATIC;
}

}  // namespace kv
