#include "uninstall/UninstallExitCode.h"

namespace kv {

ExitCode UninstallExitCode(const UninstallState& state, bool silent) {
  if (state.startRefusal) return *state.startRefusal;
  const RemovalOutcome& outcome = state.outcome;
  if (!outcome.ran) return silent ? ExitCode::kSuccess : ExitCode::kCancelled;
  if (outcome.stopped || outcome.errorReported) return ExitCode::kFailed;
  if (outcome.restarting) return ExitCode::kRestarting;
  if (outcome.deletionAtRestart) return ExitCode::kRestartNeeded;
  if (!silent && !state.settings.offerRestart && outcome.removedAny) {
    return ExitCode::kRestartNeeded;
  }
  return ExitCode::kSuccess;
}

}  // namespace kv
