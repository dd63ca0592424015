#pragma once

#include "platform/Threads.h"

namespace kv {

// Threads from CreateThread and named mutexes from CreateMutexA.
class Win32Threads : public Threads {
 public:
  uint32_t Start(std::function<void()> body, ThreadHandle* thread) override;
  uint32_t Join(ThreadHandle thread) override;
  uint32_t JoinDispatching(ThreadHandle thread) override;
  uint32_t CreateNamedMutex(std::string_view name, MutexHandle* mutex,
                            bool* alreadyExisted) override;
  uint32_t CloseMutex(MutexHandle mutex) override;
  bool NamedMutexExists(std::string_view name) override;
};

}  // namespace kv
