#pragma once

#include <atomic>

namespace kv {

// How an installation ended, as the progress window reads it: Running until
// the worker's last action sets Failed or Succeeded, exactly once. The worker
// publishes with release order and the window reads with acquire order, so
// everything the worker wrote before (the message above all) is visible to
// the window's thread once it sees the end.
class CompletionStatus {
 public:
  static constexpr int kRunning = 0;
  static constexpr int kFailed = 1;
  static constexpr int kSucceeded = 2;

  // Set by the Install command before the worker starts.
  void Reset() { value_.store(kRunning, std::memory_order_release); }
  // The worker's last action. A second call keeps the first outcome and
  // returns false, so a run can never report twice.
  bool Finish(bool succeeded) {
    int expected = kRunning;
    return value_.compare_exchange_strong(expected, succeeded ? kSucceeded : kFailed,
                                          std::memory_order_release, std::memory_order_relaxed);
  }
  int Read() const { return value_.load(std::memory_order_acquire); }
  bool Finished() const { return Read() != kRunning; }

 private:
  std::atomic<int> value_{kRunning};
};

}  // namespace kv
