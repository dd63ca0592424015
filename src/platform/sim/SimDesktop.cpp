#include "platform/sim/SimDesktop.h"

namespace kv::sim {

bool SimDesktop::FindTopLevelWindow(std::string_view caption) {
  if (faults_.Check(Call::FindTopLevelWindow)) return false;
  return windows_.count(std::string(caption)) != 0;
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
  ShellStart start{std::string(verb), std::string(file), std::string(parameters),
                   std::string(directory), show};
  shellStarts_.push_back(start);
  if (shellHook_) shellHook_(start);
  return 42;
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
