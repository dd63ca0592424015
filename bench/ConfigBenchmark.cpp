// Timing of the configuration readers on a generated 1,000-model medium in the
// simulated machine. Each "full" figure includes reading and parsing the file
// afresh, as a new SetupConfiguration does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "KeyReads.h"
#include "LargeConfiguration.h"
#include "common/OsFamily.h"
#include "config/DeviceList.h"
#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/MonitorDefinition.h"
#include "config/PortOption.h"
#include "config/PrinterDefinition.h"
#include "config/ProcessorDefinition.h"
#include "config/SetupConfiguration.h"
#include "config/UniversalDriverFiles.h"
#include "profiletext/ProfileReader.h"
#include "sim/SimMachine.h"

namespace kv::bench {
namespace {

constexpr const char* kDirectory = "C:\\Medium\\DRVCONFIG\\";

// One medium for every benchmark.
sim::SimMachine& Medium() {
  static sim::SimMachine* sim = [] {
    static sim::SimMachine machine;
    machine.files().SetModuleFileName("C:\\Medium\\setup.exe");
    machine.files().AddDirectory("C:\\Medium\\DRVCONFIG");
    machine.files().AddFile(std::string(kDirectory) + "setup.ini", LargeSetupIni(kLargeModelCount));
    machine.files().AddFile(std::string(kDirectory) + "setup_receipt.ini",
                            LargeModuleFile(kLargeModelCount));
    return &machine;
  }();
  return *sim;
}

// Everything the wizard and the install procedure read for one model.
size_t ReadModel(const SetupConfiguration& configuration, const std::string& model) {
  constexpr OsFamily kFamily = OsFamily::WinXP;
  constexpr DriverMode kMode = DriverMode::Standard;
  size_t sum = 0;
  for (PortOption option : {PortOption::AdvancedSetup, PortOption::System2003Supported,
                            PortOption::SystemVistaSupported, PortOption::BaudRate,
                            PortOption::UsbSupported, PortOption::LptDefault}) {
    sum += ReadPortOption(configuration, PrinterModule::Receipt, model, option);
  }
  sum += ReadDriverDefinition(configuration, model, kFamily, kMode).dependentFiles.size();
  sum += ReadPrinterDefinition(configuration, model, kFamily, kMode).driverName.size();
  sum += ReadDriverFileList(configuration, model, kFamily, kMode).driverPath.size();
  sum += NeedsUniversalDriverFiles(configuration, model, kFamily, kMode);
  sum += ReadMonitorDefinition(configuration, kFamily).usbMonitorVersion;
  sum += ReadProcessorDefinition(configuration, model, kFamily, kMode).version;
  return sum;
}

void FullDeviceList(benchmark::State& state) {
  Machine& machine = Medium().machine();
  for (auto _ : state) {
    SetupConfiguration configuration(machine);
    std::vector<DeviceEntry> list = ReadDeviceList(configuration);
    if (list.size() != kLargeModelCount) state.SkipWithError("wrong device list");
    benchmark::DoNotOptimize(list);
  }
  state.counters["models"] = kLargeModelCount;
}
BENCHMARK(FullDeviceList)->Unit(benchmark::kMillisecond);

void ModelDefinitionsWithParse(benchmark::State& state) {
  Machine& machine = Medium().machine();
  const std::string model = LargeModelName(kLargeModelCount / 2);
  for (auto _ : state) {
    SetupConfiguration configuration(machine);
    benchmark::DoNotOptimize(ReadModel(configuration, model));
  }
}
BENCHMARK(ModelDefinitionsWithParse)->Unit(benchmark::kMillisecond);

// Per model once the files are parsed: the lookups alone.
void ModelDefinitionsParsed(benchmark::State& state) {
  SetupConfiguration configuration(Medium().machine());
  ReadModel(configuration, LargeModelName(1));
  int index = 0;
  for (auto _ : state) {
    const std::string model = LargeModelName(index % kLargeModelCount + 1);
    benchmark::DoNotOptimize(ReadModel(configuration, model));
    ++index;
  }
}
BENCHMARK(ModelDefinitionsParsed)->Unit(benchmark::kMicrosecond);

// Making a reader: the file's sections found, none of their keys parsed yet.
void IndexModuleFile(benchmark::State& state) {
  const std::string bytes = LargeModuleFile(kLargeModelCount);
  for (auto _ : state) {
    ProfileReader reader(bytes);
    benchmark::DoNotOptimize(reader);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(IndexModuleFile)->Unit(benchmark::kMillisecond);

// Making a reader and parsing the keys of every section.
void ParseModuleFile(benchmark::State& state) {
  const std::string bytes = LargeModuleFile(kLargeModelCount);
  std::vector<std::string> sections;
  for (int i = 1; i <= kLargeModelCount; ++i) {
    const std::string model = LargeModelName(i);
    sections.push_back(model + ".PORT");
    for (int family = 0; family <= static_cast<int>(OsFamily::Vista); ++family) {
      sections.push_back(model + std::string(SectionSuffix(static_cast<OsFamily>(family))));
    }
  }
  for (auto _ : state) {
    ProfileReader reader(bytes);
    size_t keys = 0;
    for (const std::string& section : sections) keys += reader.KeyNames(section).size();
    if (keys == 0) state.SkipWithError("no keys parsed");
    benchmark::DoNotOptimize(keys);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ParseModuleFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv::bench

BENCHMARK_MAIN();
