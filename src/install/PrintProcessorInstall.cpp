#include "install/PrintProcessorInstall.h"

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

ComponentCheck InstallPrintProcessor(Machine& machine, OsFamily family,
                                     std::string_view processorName, std::string_view dllName,
                                     std::string& message) {
  const SetupConfiguration configuration(machine);
  const auto configuredVersion = static_cast<uint32_t>(ReadProcessorVersion(configuration));
  if (IsSystemPrintProcessor(processorName)) return kComponentsCurrent;

  const std::string keyPath = PrintProcessorKeyPath(machine.spooler, family, processorName);
  {
    RegKey key(machine.registry);
    if (key.Open(RegRoot::LocalMachine, keyPath)) {
      uint32_t installed = 0;
      const bool outdated =
          !key.ReadDword("DriverVersion", &installed) || configuredVersion > installed;
      return outdated ? ComponentCheck{false, OutdatedComponents::PrintProcessor}
                      : kComponentsCurrent;
    }
  }
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
