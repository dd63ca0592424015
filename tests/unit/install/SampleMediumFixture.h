#pragma once

#include <gtest/gtest.h>

#include <string>

#include "unit/install/SampleMedium.h"

namespace kv {

// The sample medium (see SampleMedium) as a test fixture, with components an
// earlier installation left behind.
class SampleMediumFixture : public ::testing::Test, public SampleMedium {
 public:
  // A monitor installed earlier with the given version.
  void InstallOldMonitor(const char* name, const char* dll, uint32_t version) {
    sim.files().AddFile(sim.files().systemDirectory() + "\\" + dll, "old");
    ASSERT_EQ(sim.spooler().AddMonitor(MonitorInfo2{name, std::nullopt, dll}), 0u);
    sim.registry().SetDwordAt(RegRoot::LocalMachine, std::string(kMonitorsKey) + name,
                              "DriverVersion", version);
  }

  // The raster driver's processor installed earlier with the given version.
  void InstallOldProcessor(const char* keyPath, uint32_t version) {
    sim.files().AddFile(sim.spooler().ProcessorDirectory() + "\\KVRASPRC.DLL", "old");
    ASSERT_EQ(sim.spooler().AddPrintProcessor(std::nullopt, "KVRASPRC.DLL", "KvRasterProc"), 0u);
    sim.registry().SetDwordAt(RegRoot::LocalMachine, keyPath, "DriverVersion", version);
  }
};

}  // namespace kv
