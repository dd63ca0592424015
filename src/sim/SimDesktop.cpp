#include "sim/SimDesktop.h"

#include <algorithm>

#include "sim/PathKey.h"

namespace kv::sim {

namespace {

// ShellExecute's results: an instance handle above 32 for a started file, 2
// (SE_ERR_FNF) for a file it cannot find.
constexpr uintptr_t kShellStarted = 42;
constexpr uintptr_t kShellFileNotFound = 2;

}  // namespace

void SimDesktop::RemoveWindow(const std::string& caption) {
  auto found = windows_.find(caption);
  if (found != windows_.end()) windows_.erase(found);
}

bool SimDesktop::FindTopLevelWindow(std::string_view caption) {
  if (faults_.Check(Call::FindTopLevelWindow)) return false;
  return std::any_of(windows_.begin(), windows_.end(),
                     [&](const std::string& window) { return EqualsIgnoreCase(window, caption); });
}

bool SimDesktop::ShellFindsFile(std::string_view file, std::string_view directory) const {
  std::vector<std::string> candidates;
  const bool bareName = file.find_first_of("\\/:") == std::string_view::npos;
  const bool absolute = file.find(':') != std::string_view::npos ||
                        (!file.empty() && (file.front() == '\\' || file.front() == '/'));
  if (!directory.empty() && !absolute) {
    candidates.push_back(std::string(directory) + "\\" + std::string(file));
  }
  candidates.push_back(std::string(file));
  if (bareName) {
    candidates.push_back(files_.systemDirectory() + "\\" + std::string(file));
    candidates.push_back(files_.windowsDirectory() + "\\" + std::string(file));
  }
  return std::any_of(candidates.begin(), candidates.end(),
                     [&](const std::string& candidate) { return files_.Exists(candidate); });
}

bool SimDesktop::ActivateTopLevelWindow(std::string_view caption) {
  if (faults_.Check(Call::FindTopLevelWindow)) return false;
  if (windows_.count(std::string(caption)) == 0) return false;
  activations_.emplace_back(caption);
  return true;
}

uintptr_t SimDesktop::ShellExecute(std::string_view verb, std::string_view file,
                                   std::string_view parameters, std::string_view directory,
                                   int show) {
  // ShellExecute reports failure as a small number: 2 for a missing file.
  if (uint32_t e = faults_.Check(Call::ShellExecute)) return e;
  ShellStart start{
      std::string(verb), std::string(file), std::string(parameters), std::string(directory), show,
      kShellStarted};
  if (!ShellFindsFile(file, directory)) start.result = kShellFileNotFound;
  shellStarts_.push_back(start);
  if (start.result == kShellStarted && shellHook_) shellHook_(start);
  return start.result;
}

int SimDesktop::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                           uint32_t style) {
  // A box that cannot be created answers 0.
  if (faults_.Check(Call::MessageBox)) return 0;
  int answer = defaultAnswer_;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  messageBoxes_.push_back({owner, std::string(text), std::string(caption), style, answer});
  return answer;
}

void SimDesktop::BroadcastIniChange(std::string_view section, uint32_t timeoutMs) {
  broadcasts_.push_back(std::string(section));
  broadcastTimeouts_.push_back(timeoutMs);
}

void SimDesktop::NotifyIniChange(std::string_view section) {
  notifications_.push_back(std::string(section));
}

}  // namespace kv::sim
