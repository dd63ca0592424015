#pragma once

#include "win32/Win32Api.h"

#include <utility>

namespace kv {

// Owns one handle and releases it with Close when it goes out of scope.
// `Invalid` is the value the creating function returns on failure.
template <typename Handle, BOOL(WINAPI* Close)(Handle), Handle (*Invalid)()>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  Handle* out() {
    reset();
    return &handle_;
  }
  bool valid() const { return handle_ != Invalid(); }
  explicit operator bool() const { return valid(); }
  Handle release() { return std::exchange(handle_, Invalid()); }
  void reset(Handle handle = Invalid()) {
    if (valid()) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid();
};

inline HANDLE NullHandle() {
  return nullptr;
}
inline HANDLE InvalidFileHandle() {
  return INVALID_HANDLE_VALUE;
}
inline HKEY NullKey() {
  return nullptr;
}
inline HMODULE NullModule() {
  return nullptr;
}

inline BOOL WINAPI ClosePrinterHandle(HANDLE printer) {
  return ClosePrinter(printer);
}
inline BOOL WINAPI CloseKey(HKEY key) {
  return RegCloseKey(key) == ERROR_SUCCESS;
}

using KernelHandle = UniqueHandle<HANDLE, CloseHandle, NullHandle>;
using FileHandle = UniqueHandle<HANDLE, CloseHandle, InvalidFileHandle>;
using FindHandle = UniqueHandle<HANDLE, FindClose, InvalidFileHandle>;
using PrinterHandle = UniqueHandle<HANDLE, ClosePrinterHandle, NullHandle>;
using KeyHandle = UniqueHandle<HKEY, CloseKey, NullKey>;
using LibraryHandle = UniqueHandle<HMODULE, FreeLibrary, NullModule>;

}  // namespace kv
