#include "common/ExitCode.h"

namespace kv {

int ExitCodeText(ExitCode code) {
  namespace text = deployment_text;
  switch (code) {
    case ExitCode::kSuccess:
      return text::kResultSuccess;
    case ExitCode::kRestartNeeded:
      return text::kResultRestartNeeded;
    case ExitCode::kRestarting:
      return text::kResultRestarting;
    case ExitCode::kCancelled:
      return text::kResultCancelled;
    case ExitCode::kFailed:
      return text::kResultFailed;
    case ExitCode::kAnotherRunning:
      return text::kResultAnotherRunning;
    case ExitCode::kNotAdministrator:
      return text::kResultNotAdministrator;
    case ExitCode::kBadArguments:
      return text::kResultBadArguments;
    case ExitCode::kFileMissing:
      return text::kResultFileMissing;
  }
  return text::kResultFailed;
}

}  // namespace kv
