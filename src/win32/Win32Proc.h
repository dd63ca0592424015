#pragma once

#include "platform/Errors.h"
#include "win32/Win32Api.h"

namespace kv {

// A function of an already loaded system library, looked up at run time: for
// functions that Windows 98 or NT 4.0 lack, or that the 9x platform's
// advapi32.dll may not export. Null when missing.
template <typename Function>
Function* FindSystemProc(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (module == nullptr) return nullptr;
  FARPROC proc = GetProcAddress(module, name);
  // Through void (*)(), the one conversion between function types that is
  // meant to be reversed.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(proc));
}

// The error of the last failed call, never 0: some 9x functions fail without
// setting it.
inline DWORD LastErrorOr(DWORD fallback) {
  DWORD error = GetLastError();
  return error != 0 ? error : fallback;
}

// ERROR_CALL_NOT_IMPLEMENTED: the answer when advapi32.dll lacks a function.
inline constexpr DWORD kCallNotImplemented = 120;

template <typename Function>
Function* FindAdvapiProc(const char* name) {
  return FindSystemProc<Function>("advapi32.dll", name);
}

// The error of the last failed call of a function that reports by result.
inline uint32_t LastFailure() {
  return LastErrorOr(kErrorInvalidFunction);
}

}  // namespace kv
