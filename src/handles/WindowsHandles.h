#pragma once

// The traits of the Windows handles that the Win32 machine, the programs and
// the medium's components open, each kind with its closing call (which
// answers what the Windows function answers) and the value its opening call
// fails with. Every closing call of those kinds is made here. It needs the Windows headers, so the
// core (which has only the platform's handles) never includes it.
#include <windows.h>
// after <windows.h>, which it needs
#include <winspool.h>

#include "handles/UniqueHandle.h"

namespace kv {

// Processes, threads, mutexes, events, tokens: nullptr on failure.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle handle) { return ::CloseHandle(handle); }
};
// CreateFile: INVALID_HANDLE_VALUE on failure.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static auto Close(Handle handle) { return ::CloseHandle(handle); }
};
// FindFirstFile.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static auto Close(Handle handle) { return ::FindClose(handle); }
};
struct KeyHandleTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle key) { return ::RegCloseKey(key); }
};
struct LibraryHandleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle module) { return ::FreeLibrary(module); }
};
// OpenPrinter.
struct PrinterHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle printer) { return ::ClosePrinter(printer); }
};
// Pens, brushes, fonts, bitmaps.
template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle object) { return ::DeleteObject(object); }
};
// CreateCompatibleDC.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle dc) { return ::DeleteDC(dc); }
};
// GetDC: released to the window it came from.
struct WindowDcTraits {
  using Handle = HDC;
  HWND window = nullptr;
  static Handle Invalid() { return nullptr; }
  auto Close(Handle dc) const { return ::ReleaseDC(window, dc); }
};
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle window) { return ::DestroyWindow(window); }
};
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static auto Close(Handle menu) { return ::DestroyMenu(menu); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using KeyHandle = UniqueHandle<KeyHandleTraits>;
using LibraryHandle = UniqueHandle<LibraryHandleTraits>;
using PrinterHandle = UniqueHandle<PrinterHandleTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using WindowDc = UniqueHandle<WindowDcTraits>;
using OwnedWindow = UniqueHandle<WindowTraits>;
using OwnedMenu = UniqueHandle<MenuTraits>;

// A window's device context, released to it when the owner goes.
inline WindowDc WindowDcOf(HWND window) {
  return WindowDc(::GetDC(window), WindowDcTraits{window});
}

}  // namespace kv
