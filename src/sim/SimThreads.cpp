#include "sim/SimThreads.h"

#include <utility>

#include "platform/Errors.h"

namespace kv::sim {

uint32_t SimThreads::Start(std::function<void()> body, ThreadHandle* thread) {
  if (uint32_t e = faults_.Check(Call::StartThread)) return e;
  ++started_;
  *thread = nextHandle_++;
  threads_.insert(*thread);
  if (deferred_) {
    pending_.emplace_back(*thread, std::move(body));
  } else {
    RunAs(*thread, body);
  }
  return kErrorSuccess;
}

void SimThreads::RunAs(ThreadHandle thread, const std::function<void()>& body) {
  const ThreadHandle starter = std::exchange(current_, thread);
  body();
  current_ = starter;
}

void SimThreads::RunPending() {
  while (!pending_.empty()) {
    auto [thread, body] = std::move(pending_.front());
    pending_.pop_front();
    RunAs(thread, body);
  }
}

uint32_t SimThreads::Join(ThreadHandle thread) {
  if (uint32_t e = faults_.Check(Call::JoinThread)) return e;
  if (!threads_.count(thread)) return kErrorInvalidHandle;
  // Joining waits for the thread: a deferred one runs now, with the others still waiting.
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->first == thread) {
      RunPending();
      break;
    }
  }
  threads_.erase(thread);
  return kErrorSuccess;
}

uint32_t SimThreads::CreateNamedMutex(std::string_view name, MutexHandle* mutex,
                                      bool* alreadyExisted) {
  if (uint32_t e = faults_.Check(Call::CreateNamedMutex)) return e;
  std::string key(name);
  *alreadyExisted = mutexes_[key] > 0;
  mutexes_[key] += 1;
  *mutex = nextHandle_++;
  open_[*mutex] = key;
  return kErrorSuccess;
}

uint32_t SimThreads::CloseMutex(MutexHandle mutex) {
  auto it = open_.find(mutex);
  if (it == open_.end()) return kErrorInvalidHandle;
  if (--mutexes_[it->second] == 0) mutexes_.erase(it->second);
  open_.erase(it);
  return kErrorSuccess;
}

bool SimThreads::NamedMutexExists(std::string_view name) {
  return mutexes_.count(std::string(name)) != 0;
}

}  // namespace kv::sim
