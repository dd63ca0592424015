#include "common/DeploymentRun.h"

#include "common/FileVersion.h"
#include "common/ProgramShell.h"
#include "platform/Errors.h"

namespace kv {
namespace {

namespace text = deployment_text;

std::string ProgramFile(Files& files) {
  std::string path;
  if (files.GetModuleFileName(&path) != kErrorSuccess) path.clear();
  return path;
}

std::string ProgramVersion(Machine& machine) {
  const std::string file = ProgramFile(machine.files);
  return file.empty() ? std::string(kNoFileVersion) : GetFileVersionString(machine.versions, file);
}

}  // namespace

DeploymentRun::DeploymentRun(Machine& machine, const ProgramIdentity& identity,
                             std::string_view commandLine, std::span<const OptionRule> options)
    : identity_(identity),
      machine_(machine),
      commandText_(commandLine),
      rules_(options.begin(), options.end()),
      applicationName_(ApplicationName(machine.files, identity.nameWithoutFile)),
      log_(machine.files, machine.clock, identity.logName,
           SplitCommandLine(commandLine).empty() ? std::string() : ProgramVersion(machine)),
      presenter_(machine.desktop, log_, identity.text, false),
      runMachine_{machine.registry, machine.spooler,  machine.services, machine.files,
                  machine.profiles, machine.versions, machine.security, machine.modules,
                  presenter_,       machine.clock,    machine.threads,  machine.system,
                  machine.dialogs} {
  for (std::string_view name : {kSilent, kNoRestart, kUsage}) rules_.push_back({name});
  rules_.push_back({kLog, OptionValue::kRequired});
}

std::optional<ExitCode> DeploymentRun::Begin() {
  withOptions_ = !SplitCommandLine(commandText_).empty();
  if (!withOptions_) return std::nullopt;
  commandLine_ = ReadCommandLine(commandText_, rules_, identity_.text);
  silent_ = commandLine_.Has(kSilent);
  presenter_.SetSilent(silent_);

  // Before the folder changes: a relative log path means the folder the
  // program was started in.
  if (commandLine_.Has(kLog)) {
    const std::string path = commandLine_.Value(kLog);
    if (const uint32_t error = log_.Open(path); error != kErrorSuccess) {
      return Refuse(FormatText(identity_.text(text::kLogNotOpened), {path, std::to_string(error)}));
    }
  }
  log_.Write(FormatText(identity_.text(text::kCommandLine), {commandText_}));
  if (commandLine_.refused()) return Refuse(commandLine_.refusal);

  std::string folder = ProgramFile(machine_.files);
  folder.erase(folder.find_last_of('\\') + 1);
  // "C:\" stays a root; "C:\Medium\" loses its backslash.
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (!folder.empty()) {
    if (const uint32_t error = machine_.files.ChangeCurrentDirectory(folder);
        error != kErrorSuccess) {
      log_.Write(
          FormatText(identity_.text(text::kFolderNotCurrent), {folder, std::to_string(error)}));
    }
  }

  if (commandLine_.Has(kUsage)) {
    const std::string_view usage = identity_.text(identity_.usageText);
    if (silent_) {
      log_.Write(usage);
    } else {
      presenter_.MessageBox(0, usage, applicationName_, kMbOk);
    }
    return ExitCode::kSuccess;
  }
  return std::nullopt;
}

ExitCode DeploymentRun::Refuse(std::string_view reason) {
  if (silent_) {
    log_.Write(reason);
  } else {
    presenter_.MessageBox(0, reason, applicationName_, kMbOk | kMbIconExclamation);
  }
  return ExitCode::kBadArguments;
}

void DeploymentRun::LogFailure(std::string_view what, uint32_t error) {
  log_.Write(FormatText(identity_.text(text::kPlatformFailure), {what, std::to_string(error)}));
}

int DeploymentRun::Finish(ExitCode code) {
  // Started without arguments, a program ends with 0 as it always has: the
  // codes are for those who ask for a run with options.
  if (!withOptions_) return 0;
  const int number = static_cast<int>(code);
  log_.Write(FormatText(identity_.text(text::kExitCode),
                        {std::to_string(number), identity_.text(ExitCodeText(code))}));
  return number;
}

}  // namespace kv
