#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/Faults.h"

namespace kv::sim {

struct ShownMessageBox {
  WindowHandle owner = 0;
  std::string text;
  std::string caption;
  uint32_t style = 0;
  int answer = 0;
};

struct ShellStart {
  std::string verb, file, parameters, directory;
  int show = 0;
};

// Other programs' top-level windows, the shell, message boxes (answered from a
// script, the default answer when it runs out) and broadcasts, all recorded.
class SimDesktop : public Desktop {
 public:
  explicit SimDesktop(Faults& faults) : faults_(faults) {}

  void AddWindow(const std::string& caption) { windows_.insert(caption); }
  void RemoveWindow(const std::string& caption) { windows_.erase(caption); }
  void ScriptAnswer(int answer) { answers_.push_back(answer); }
  void SetDefaultAnswer(int answer) { defaultAnswer_ = answer; }
  // What a started program does, e.g. open its window.
  void OnShellExecute(std::function<void(const ShellStart&)> hook) { shellHook_ = std::move(hook); }

  const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
  // Captions of the windows brought to the foreground, in order.
  const std::vector<std::string>& activations() const { return activations_; }
  const std::vector<ShellStart>& shellStarts() const { return shellStarts_; }
  // Sends that waited (with their timeout) and notifications that did not.
  const std::vector<std::string>& broadcasts() const { return broadcasts_; }
  const std::vector<uint32_t>& broadcastTimeouts() const { return broadcastTimeouts_; }
  const std::vector<std::string>& notifications() const { return notifications_; }

  bool FindTopLevelWindow(std::string_view caption) override;
  bool ActivateTopLevelWindow(std::string_view caption) override;
  uintptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int show) override;
  int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                 uint32_t style) override;
  void BroadcastIniChange(std::string_view section, uint32_t timeoutMs) override;
  void NotifyIniChange(std::string_view section) override;

 private:
  Faults& faults_;
  std::set<std::string> windows_;
  std::deque<int> answers_;
  int defaultAnswer_ = kIdOk;
  std::function<void(const ShellStart&)> shellHook_;
  std::vector<ShownMessageBox> messageBoxes_;
  std::vector<ShellStart> shellStarts_;
  std::vector<std::string> broadcasts_;
  std::vector<std::string> activations_;
  std::vector<uint32_t> broadcastTimeouts_;
  std::vector<std::string> notifications_;
};

}  // namespace kv::sim
