#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/CommandLine.h"
#include "common/DeploymentLog.h"
#include "common/ExitCode.h"
#include "common/LoggedDesktop.h"
#include "common/ProgramIdentity.h"
#include "platform/Machine.h"

namespace kv {

// The start and end both programs share when options are given: the command
// line read against the program's options and the common ones, the log
// (/LOG=), the presenter of message boxes, the program's own folder made
// current (deployment engines start programs in the system folder, and the
// medium's files are found through the current directory), the usage text
// (/?), the first line (the command line) and the last (the result and the
// exit code). Without arguments nothing of this happens: the program runs
// exactly as it always has.
class DeploymentRun {
 public:
  // The options both programs take.
  static constexpr std::string_view kSilent = "S";
  static constexpr std::string_view kLog = "LOG";
  static constexpr std::string_view kNoRestart = "NORESTART";
  static constexpr std::string_view kUsage = "?";

  // `options`: the program's own; the common ones are added.
  DeploymentRun(Machine& machine, const ProgramIdentity& identity, std::string_view commandLine,
                std::span<const OptionRule> options);
  DeploymentRun(const DeploymentRun&) = delete;
  DeploymentRun& operator=(const DeploymentRun&) = delete;

  // Reads the command line, opens the log, writes the first line, makes the
  // program's folder current and answers /?. The exit code when the run ends
  // here (a refused option: 87, the usage text: 0); nothing to go on.
  std::optional<ExitCode> Begin();

  bool withOptions() const { return withOptions_; }
  bool silent() const { return silent_; }
  bool noRestart() const { return commandLine_.Has(kNoRestart); }
  const CommandLine& commandLine() const { return commandLine_; }
  const std::string& applicationName() const { return applicationName_; }

  // The machine the program runs on: with options, its desktop is the
  // presenter, so that every message box is logged (and, silent, not shown).
  Machine& machine() { return withOptions_ ? runMachine_ : machine_; }
  LoggedDesktop& presenter() { return presenter_; }
  DeploymentLog& log() { return log_; }

  // A refusal of the program's own (a combination of options, an answer):
  // in the log, and in a message box unless silent. Always kBadArguments.
  ExitCode Refuse(std::string_view reason);
  // A platform call that failed, with its Windows error number.
  void LogFailure(std::string_view what, uint32_t error);
  // With options, writes the last line and gives `code` as the process's
  // exit code; without, gives 0, as the programs always have.
  int Finish(ExitCode code);

 private:
  const ProgramIdentity& identity_;
  Machine& machine_;
  std::string commandText_;
  std::vector<OptionRule> rules_;
  std::string applicationName_;
  DeploymentLog log_;
  LoggedDesktop presenter_;
  Machine runMachine_;
  CommandLine commandLine_;
  bool withOptions_ = false;
  bool silent_ = false;
};

}  // namespace kv
