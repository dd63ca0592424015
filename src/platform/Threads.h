#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kv {

using ThreadHandle = uintptr_t;
using MutexHandle = uintptr_t;

// Threads and named mutexes. Shipped programs cannot use std::thread (the
// win32-thread runtime has none), so threads come from the platform.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Threads {
 public:
  virtual ~Threads() = default;

  virtual uint32_t Start(std::function<void()> body, ThreadHandle* thread) = 0;
  // Waits for the thread to end and releases it.
  virtual uint32_t Join(ThreadHandle thread) = 0;
  // Join, with the calling thread's window messages handled while it waits,
  // so that its windows stay responsive.
  virtual uint32_t JoinDispatching(ThreadHandle thread) { return Join(thread); }
  // CreateMutexA; *alreadyExisted is true when another holder had created it.
  virtual uint32_t CreateNamedMutex(std::string_view name, MutexHandle* mutex,
                                    bool* alreadyExisted) = 0;
  virtual uint32_t CloseMutex(MutexHandle mutex) = 0;
  // Whether some program holds a mutex of this name (OpenMutexA): an open
  // refused for lack of access still means it exists. Nothing is created, so
  // a test never stands in the way of the program that owns the name.
  virtual bool NamedMutexExists(std::string_view name) = 0;
};

}  // namespace kv
