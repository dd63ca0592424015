#pragma once

#include <map>
#include <string>
#include <string_view>

#include "common/DeploymentLog.h"
#include "common/DeploymentTexts.h"
#include "platform/Desktop.h"

namespace kv {

// The desktop as a run with options sees it: the presenter of every message
// box either program shows (directly or through a MessagePresenter), so that
// no box escapes the log. Each box's text goes to the log with the answer that
// was taken. In a silent run no box is shown: a question is answered as the
// run was told (Answer), otherwise with the answer that changes nothing (No,
// Cancel), and a plain message with OK. Everything else is the real desktop's.
class LoggedDesktop : public Desktop {
 public:
  LoggedDesktop(Desktop& desktop, DeploymentLog& log, TextLookup text, bool silent)
      : desktop_(desktop), log_(log), text_(text), silent_(silent) {}

  bool silent() const { return silent_; }
  void SetSilent(bool silent) { silent_ = silent; }
  // In a silent run, the answer (kIdYes, kIdNo, ...) to the question with
  // exactly this text.
  void Answer(std::string_view question, int answer) { answers_[std::string(question)] = answer; }

  int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                 uint32_t style) override;

  bool FindTopLevelWindow(std::string_view caption) override {
    return desktop_.FindTopLevelWindow(caption);
  }
  bool ActivateTopLevelWindow(std::string_view caption) override {
    return desktop_.ActivateTopLevelWindow(caption);
  }
  uintptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int show) override {
    return desktop_.ShellExecute(verb, file, parameters, directory, show);
  }
  void BroadcastIniChange(std::string_view section, uint32_t timeoutMs) override {
    desktop_.BroadcastIniChange(section, timeoutMs);
  }
  void NotifyIniChange(std::string_view section) override { desktop_.NotifyIniChange(section); }

 private:
  Desktop& desktop_;
  DeploymentLog& log_;
  TextLookup text_;
  bool silent_;
  std::map<std::string, int> answers_;
};

}  // namespace kv
