#pragma once

#include "handles/UniqueHandle.h"
#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/Registry.h"
#include "platform/Security.h"
#include "platform/Services.h"
#include "platform/Spooler.h"
#include "platform/Threads.h"

namespace kv {

// The traits of the platform's handles: each closes through the interface
// that opened it and answers that call's error number; 0 is no handle.
struct RegKeyTraits {
  using Handle = RegHandle;
  Registry* registry = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle key) const { return registry->CloseKey(key); }
};
struct ScHandleTraits {
  using Handle = ScHandle;
  Services* services = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle handle) const { return services->CloseHandle(handle); }
};
struct OpenPrinterTraits {
  using Handle = OpenPrinterHandle;
  Spooler* spooler = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle printer) const { return spooler->ClosePrinter(printer); }
};
struct MutexTraits {
  using Handle = MutexHandle;
  Threads* threads = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle mutex) const { return threads->CloseMutex(mutex); }
};
// A thread is released by waiting for its end.
struct JoinedThreadTraits {
  using Handle = ThreadHandle;
  Threads* threads = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle thread) const { return threads->Join(thread); }
};
// The same, with the waiting thread's window messages handled meanwhile.
struct DispatchingJoinTraits {
  using Handle = ThreadHandle;
  Threads* threads = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle thread) const { return threads->JoinDispatching(thread); }
};
struct ModuleTraits {
  using Handle = ModuleHandle;
  Modules* modules = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle module) const { return modules->Free(module); }
};
struct TokenTraits {
  using Handle = TokenHandle;
  Security* security = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle token) const { return security->CloseToken(token); }
};

struct AppendFileTraits {
  using Handle = AppendHandle;
  Files* files = nullptr;
  static Handle Invalid() { return 0; }
  uint32_t Close(Handle file) const { return files->CloseFile(file); }
};

using OwnedRegKey = UniqueHandle<RegKeyTraits>;
using OwnedScHandle = UniqueHandle<ScHandleTraits>;
using OwnedPrinter = UniqueHandle<OpenPrinterTraits>;
using OwnedMutex = UniqueHandle<MutexTraits>;
using JoinedThread = UniqueHandle<JoinedThreadTraits>;
using DispatchingJoinedThread = UniqueHandle<DispatchingJoinTraits>;
using OwnedModule = UniqueHandle<ModuleTraits>;
using OwnedToken = UniqueHandle<TokenTraits>;
using OwnedAppendFile = UniqueHandle<AppendFileTraits>;

}  // namespace kv
