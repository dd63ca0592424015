#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "sim/Faults.h"
#include "sim/SimFiles.h"

namespace kv::sim {

struct ShownMessageBox {
  WindowHandle owner = 0;
  std::string text;
  std::string caption;
  uint32_t style = 0;
  int answer = 0;
};

// One ShellExecute call, whether it started anything or not.
struct ShellStart {
  std::string verb, file, parameters, directory;
  int show = 0;
  uintptr_t result = 0;  // above 32 when the file was found and started
};

// Other programs' top-level windows (found by caption in any case), the shell
// (which starts only files that exist), message boxes (answered from a script,
// the default answer when it runs out) and broadcasts, all recorded.
class SimDesktop : public Desktop {
 public:
  SimDesktop(Faults& faults, SimFiles& files) : faults_(faults), files_(files) {}

  void AddWindow(const std::string& caption) { windows_.insert(caption); }
  void RemoveWindow(const std::string& caption);
  void ScriptAnswer(int answer) { answers_.push_back(answer); }
  void SetDefaultAnswer(int answer) { defaultAnswer_ = answer; }
  // What a started program does, e.g. open its window; not called when the
  // file is missing.
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
  // Where ShellExecute finds a file: a path as given (relative to
  // `directory` when one is given), a bare name also in the current,
  // system and Windows directories.
  bool ShellFindsFile(std::string_view file, std::string_view directory) const;

  Faults& faults_;
  SimFiles& files_;
  std::multiset<std::string> windows_;
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
