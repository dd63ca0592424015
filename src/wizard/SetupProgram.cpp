#include "wizard/SetupProgram.h"

#include "common/DeploymentRun.h"
#include "common/SetupStrings.h"
#include "wizard/AnswerFile.h"
#include "wizard/SetupApp.h"

namespace kv {
namespace {

constexpr std::string_view kAnswer = "ANSWER";
constexpr std::string_view kRecord = "RECORD";

constexpr OptionRule kSetupOptions[] = {
    {kAnswer, OptionValue::kRequired},
    {kRecord, OptionValue::kRequired},
};

// The combinations of setup's options; empty when they make sense.
std::string_view CheckCombinations(const CommandLine& options, bool silent) {
  if (silent && !options.Has(kAnswer)) return SetupString(setup_text::kSilentNeedsAnswers);
  if (!silent && options.Has(kAnswer)) return SetupString(setup_text::kAnswersOnlySilent);
  if (silent && options.Has(kRecord)) return SetupString(setup_text::kRecordNotSilent);
  return {};
}

}  // namespace

int RunSetupProgram(Machine& machine, ControlClasses& controlClasses,
                    std::string_view commandLine) {
  // The files the options name are where they were started from, as the
  // log's is; Begin makes the program's own folder current.
  std::string startFolder;
  if (machine.files.GetCurrentDirectory(&startFolder) != 0) startFolder.clear();
  auto fromStart = [&startFolder](const std::string& path) {
    return path.empty() || startFolder.empty() ? path : FullPathIn(startFolder, path);
  };
  DeploymentRun run(machine, kSetupProgram, commandLine, kSetupOptions);
  if (std::optional<ExitCode> ended = run.Begin()) return run.Finish(*ended);
  const CommandLine& options = run.commandLine();
  if (std::string_view refusal = CheckCombinations(options, run.silent()); !refusal.empty()) {
    return run.Finish(run.Refuse(refusal));
  }

  SetupApp app(run.machine(), controlClasses);
  if (run.silent()) {
    return run.Finish(
        app.RunUnattended(fromStart(options.Value(kAnswer)), run.presenter(), run.log()));
  }
  app.SetRunOptions({run.noRestart(), fromStart(options.Value(kRecord)),
                     run.withOptions() ? &run.log() : nullptr});
  app.Run();
  if (app.end() == ExitCode::kRestartNeeded) {
    run.log().Write(SetupString(setup_text::kRestartPending));
  }
  return run.Finish(app.end());
}

}  // namespace kv
