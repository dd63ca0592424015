// Owners of the Win32 handles that the stand-ins (and their checks) open:
// each closes its handle exactly once, on every path.
#pragma once

#include <windows.h>
#include <winspool.h>

namespace kv {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }

  Handle get() const { return handle_; }
  bool valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return valid(); }
  // For functions that return the handle through a pointer.
  Handle* receive() {
    reset();
    return &handle_;
  }
  Handle release() {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  void reset() {
    if (valid()) Traits::Close(handle_);
    handle_ = Traits::Invalid();
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { FindClose(handle); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
struct LibraryTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE module) { FreeLibrary(module); }
};
struct PrinterHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE printer) { ClosePrinter(printer); }
};

using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;      // CreateFile
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;  // processes, threads
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;      // FindFirstFile
using RegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;
using Library = UniqueHandle<HMODULE, LibraryTraits>;
using PrinterHandle = UniqueHandle<HANDLE, PrinterHandleTraits>;

}  // namespace kv
