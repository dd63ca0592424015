#include "config/ProcessorDefinition.h"

#include "config/DecimalNumber.h"
#include "config/ReadLimits.h"

namespace kv {
namespace {

constexpr uint32_t kVersionReadLimit = 50;

}  // namespace

bool IsSystemPrintProcessor(std::string_view name) {
  return name == kSystemPrintProcessor;
}

int32_t ReadProcessorVersion(const SetupConfiguration& configuration) {
  return ParseDecimalNumber(
      configuration.ReadSetupValue("ProcessorVersion", "DriverVersion", kVersionReadLimit));
}

ProcessorDefinition ReadProcessorDefinition(const SetupConfiguration& configuration,
                                            std::string_view modelName, OsFamily family,
                                            DriverMode mode) {
  const std::string section = DriverSectionName(modelName, family);
  ProcessorDefinition processor;
  processor.name = configuration.ReadCurrentModuleValue(section, DriverKey(mode, "PrintProcessor"),
                                                        kNameReadLimit);
  processor.file = configuration.ReadCurrentModuleValue(
      section, DriverKey(mode, "ProcessorDLLName"), kFileReadLimit);
  processor.version = ReadProcessorVersion(configuration);
  return processor;
}

}  // namespace kv
