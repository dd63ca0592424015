#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/Threads.h"
#include "sim/Faults.h"

namespace kv::sim {

// Threads run to completion when started, on the caller's thread: tests stay
// deterministic, and the code under test still goes through Start and Join.
// In deferred mode a started thread waits until the test runs it (or until
// Join, which waits for it as Windows would), so the starting side can be
// looked at while the worker has not run yet.
class SimThreads : public Threads {
 public:
  explicit SimThreads(Faults& faults) : faults_(faults) {}

  void SetDeferred(bool deferred) { deferred_ = deferred; }
  size_t PendingThreadCount() const { return pending_.size(); }
  // Runs every thread started and not yet run, oldest first.
  void RunPending();

  // A mutex held by another program.
  void HoldMutexElsewhere(const std::string& name) { mutexes_[name] += 1; }
  bool MutexHeld(const std::string& name) const { return mutexes_.count(name) != 0; }
  int startedThreads() const { return started_; }
  // The thread whose code runs now: 0 for the program's own (the test's),
  // else the handle Start gave the running body.
  ThreadHandle current() const { return current_; }
  size_t OpenThreadCount() const { return threads_.size(); }

  uint32_t Start(std::function<void()> body, ThreadHandle* thread) override;
  uint32_t Join(ThreadHandle thread) override;
  uint32_t CreateNamedMutex(std::string_view name, MutexHandle* mutex,
                            bool* alreadyExisted) override;
  uint32_t CloseMutex(MutexHandle mutex) override;
  bool NamedMutexExists(std::string_view name) override;

 private:
  // Runs a body as thread `thread`.
  void RunAs(ThreadHandle thread, const std::function<void()>& body);

  Faults& faults_;
  std::set<ThreadHandle> threads_;
  std::deque<std::pair<ThreadHandle, std::function<void()>>> pending_;
  bool deferred_ = false;
  std::map<std::string, int> mutexes_;       // name -> holders
  std::map<MutexHandle, std::string> open_;  // our handles
  uintptr_t nextHandle_ = 0x400;
  ThreadHandle current_ = 0;
  int started_ = 0;
};

}  // namespace kv::sim
