// Timing of whole runs on the simulated machine with the sample medium: a
// serial and a USB installation from RunInstall to the completion status, and
// the uninstaller's removal run from the Uninstall button to its end. The
// machine is arranged, and thrown away, outside the timed part; the
// arrangement the install tests pay for is timed on its own.
//
// Run it in the sanitized test build for the figures the tests see:
//   cmake --build build/native --target install_benchmark && build/native/install_benchmark
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "install/RunInstall.h"
#include "unit/install/SampleMedium.h"
#include "unit/uninstall/UninstallWorld.h"

namespace kv::bench {
namespace {

using sim::WindowsVersion;

constexpr const char* kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr const char* kUsbPortsKey = "SOFTWARE\\KORVANT\\PRINTERPORT";

// The sample medium on Windows XP with the receipt printer chosen on `port`.
std::unique_ptr<SampleMedium> ArrangeInstall(const char* port) {
  auto medium = std::make_unique<SampleMedium>();
  medium->UseWindows(WindowsVersion::WinXP);
  medium->sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
  medium->sim.registry().SetDwordAt(RegRoot::LocalMachine, kUsbPortsKey, "USB_QTM-B320_1", 255);
  medium->Select("QTM-B320", OsFamily::WinXP, port);
  return medium;
}

void TimeInstall(benchmark::State& state, const char* port) {
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<SampleMedium> medium = ArrangeInstall(port);
    state.ResumeTiming();
    RunInstall(medium->sim.machine(), *medium->settings, medium->message, medium->status);
    state.PauseTiming();
    if (medium->status.Read() != CompletionStatus::kSucceeded) {
      state.SkipWithError(("the installation failed: " + medium->message).c_str());
    }
    medium.reset();
    state.ResumeTiming();
  }
}

void SerialInstall(benchmark::State& state) {
  TimeInstall(state, "KVCOM3:");
}
BENCHMARK(SerialInstall)->Unit(benchmark::kMillisecond);

void UsbInstall(benchmark::State& state) {
  TimeInstall(state, "USB_QTM-B320_1");
}
BENCHMARK(UsbInstall)->Unit(benchmark::kMillisecond);

// What an install test pays before its run: the medium laid out and the
// settings read.
void SampleMediumArrangement(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<SampleMedium> medium = ArrangeInstall("KVCOM3:");
    benchmark::DoNotOptimize(medium->settings->driverFiles);
  }
}
BENCHMARK(SampleMediumArrangement)->Unit(benchmark::kMillisecond);

// Every item of the family ticked and removed.
void RemovalRun(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto world = std::make_unique<test::UninstallWorld>();
    const std::string refused = world->InstallFamily();
    if (!refused.empty()) state.SkipWithError(refused.c_str());
    world->Open();
    world->dialog->Click(IDC_SELECT_ALL);
    state.ResumeTiming();
    world->dialog->Click(IDC_UNINSTALL);
    state.PauseTiming();
    if (!world->listed().empty()) state.SkipWithError("items are left in the list");
    world.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(RemovalRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv::bench

BENCHMARK_MAIN();
