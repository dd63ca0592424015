#pragma once

#include "win32/Win32Handles.h"

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

}  // namespace kv
