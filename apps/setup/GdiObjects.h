#pragma once

#include "platform/win32/Win32Handles.h"

namespace kv {

inline BOOL WINAPI DeleteBrush(HBRUSH brush) {
  return ::DeleteObject(brush);
}
inline BOOL WINAPI DeleteFontObject(HFONT font) {
  return ::DeleteObject(font);
}
inline HBRUSH NullBrush() {
  return nullptr;
}
inline HFONT NullFont() {
  return nullptr;
}

// GDI objects with one owner each, deleted with it.
using BrushHandle = UniqueHandle<HBRUSH, DeleteBrush, NullBrush>;
using FontHandle = UniqueHandle<HFONT, DeleteFontObject, NullFont>;

// The reflected form of a control-colour message: the parent sends it to the
// control, which prepares the device context and answers the brush (0: the
// control leaves the request to its parent).
inline constexpr UINT kReflectBase = WM_USER + 0x1c00;
inline bool IsReflectedColorRequest(UINT message) {
  return message >= kReflectBase + WM_CTLCOLORMSGBOX && message <= kReflectBase + WM_CTLCOLORSTATIC;
}

}  // namespace kv
