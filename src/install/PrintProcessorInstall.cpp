#include "install/PrintProcessorInstall.h"

#include <optional>

#include "common/RegKey.h"
#include "common/SetupStrings.h"
#include "common/SpoolerEnvironment.h"
#include "config/ProcessorDefinition.h"
#include "config/SetupConfiguration.h"
#include "install/DriverFileCopy.h"
#include "install/SpoolerOperations.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr std::string_view kEnvironmentsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\";
// The spooler needs a moment before the new processor's key is complete.
constexpr uint32_t kRegistrationPauseMs = 200;

}  // namespace

std::string PrintProcessorKeyPath(const Spooler& spooler, OsFamily family,
                                  std::string_view processorName) {
  return std::string(kEnvironmentsKey) + RecordsEnvironment(spooler, family) +
         "\\Print Processors\\" + std::string(processorName);
}

namespace {

// The installed processor against the configured version; none when it is
// not installed.
std::optional<ComponentCheck> TestInstalled(Machine& machine, OsFamily family,
                                            std::string_view processorName,
                                            uint32_t configuredVersion) {
  if (IsSystemPrintProcessor(processorName)) return kComponentsCurrent;
  RegKey key(machine.registry);
  if (!key.Open(RegRoot::LocalMachine,
                PrintProcessorKeyPath(machine.spooler, family, processorName))) {
    return std::nullopt;
  }
  uint32_t installed = 0;
  const bool outdated =
      !key.ReadDword("DriverVersion", &installed) || configuredVersion > installed;
  return outdated ? ComponentCheck{false, OutdatedComponents::PrintProcessor} : kComponentsCurrent;
}

}  // namespace

ComponentCheck TestPrintProcessor(Machine& machine, OsFamily family,
                                  std::string_view processorName) {
  const SetupConfiguration configuration(machine);
  const auto configuredVersion = static_cast<uint32_t>(ReadProcessorVersion(configuration));
  return TestInstalled(machine, family, processorName, configuredVersion)
      .value_or(ComponentCheck{false, OutdatedComponents::PrintProcessor});
}

ComponentCheck InstallPrintProcessor(Machine& machine, OsFamily family,
                                     std::string_view processorName, std::string_view dllName,
                                     std::string& message) {
  const SetupConfiguration configuration(machine);
  const auto configuredVersion = static_cast<uint32_t>(ReadProcessorVersion(configuration));
  if (std::optional<ComponentCheck> installed =
          TestInstalled(machine, family, processorName, configuredVersion)) {
    return *installed;
  }
  const std::string keyPath = PrintProcessorKeyPath(machine.spooler, family, processorName);
  if (!IsBareFileName(dllName)) {
    message = RefusedFileNameMessage(machine.files, dllName, family);
    return kComponentFailed;
  }
  if (!dllName.empty()) {
    std::string discarded;
    CopyDriverFile(machine, dllName, CopyTarget::ProcessorDirectory, family, false, discarded);
  }
  if (RegisterPrintProcessor(machine, processorName, dllName, family) != kErrorSuccess) {
    message = SetupString(setup_text::kAddProcessorError);
    return kComponentFailed;
  }
  RegKey key(machine.registry);
  if (key.Open(RegRoot::LocalMachine, keyPath)) key.WriteDword("DriverVersion", configuredVersion);
  machine.clock.Sleep(kRegistrationPauseMs);
  return kComponentsCurrent;
}

}  // namespace kv
