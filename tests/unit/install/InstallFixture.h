#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "config/SetupConfiguration.h"
#include "sim/SimMachine.h"

namespace kv {

// A medium in C:\Medium, which is also the current directory, with the
// driver files of every family below it and the configuration in DRVCONFIG.
class InstallFixture : public ::testing::Test {
 protected:
  static constexpr const char* kMedium = "C:\\Medium";
  static constexpr const char* kMonitorsKey =
      "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";

  InstallFixture() {
    sim.files().SetModuleFileName("C:\\Medium\\setup.exe");
    for (const char* directory : {"DRVCONFIG", "win98", "winnt", "win2003", "Vista"}) {
      sim.files().AddDirectory(std::string(kMedium) + "\\" + directory);
    }
    sim.files().SetCurrentDirectory(kMedium);
  }

  void AddMediumFile(std::string_view osDirectory, std::string_view name) {
    sim.files().AddFile(
        std::string(kMedium) + "\\" + std::string(osDirectory) + "\\" + std::string(name),
        "bytes of " + std::string(name));
  }
  void WriteSetupIni(std::string text) {
    sim.files().AddFile("C:\\Medium\\DRVCONFIG\\setup.ini", std::move(text));
  }
  std::string InSystem(std::string_view name) {
    return sim.files().systemDirectory() + "\\" + std::string(name);
  }
  std::string InDrivers(std::string_view name) {
    return sim.spooler().DriverDirectory() + "\\" + std::string(name);
  }

  Machine& machine() { return sim.machine(); }

  sim::SimMachine sim;
  std::string message;
};

}  // namespace kv
