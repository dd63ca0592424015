#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "config/SetupConfiguration.h"
#include "sim/SimMachine.h"

namespace kv {

// A medium in C:\Medium with the program beside its DRVCONFIG directory, and
// the current directory somewhere else, so that a reader finding files through
// the current directory fails.
class ConfigFixture : public ::testing::Test {
 protected:
  static constexpr const char* kProgram = "C:\\Medium\\setup.exe";
  static constexpr const char* kConfigDirectory = "C:\\Medium\\DRVCONFIG\\";

  ConfigFixture() {
    sim.files().SetModuleFileName(kProgram);
    sim.files().AddDirectory("C:\\Medium\\DRVCONFIG");
    sim.files().AddDirectory("C:\\Elsewhere");
    sim.files().SetCurrentDirectory("C:\\Elsewhere");
  }

  void WriteConfigFile(std::string_view name, std::string text) {
    sim.files().AddFile(std::string(kConfigDirectory) + std::string(name), std::move(text));
  }
  void WriteSetupIni(std::string text) { WriteConfigFile("setup.ini", std::move(text)); }
  void WriteReceiptFile(std::string text) { WriteConfigFile("setup_receipt.ini", std::move(text)); }

  SetupConfiguration Configuration() { return SetupConfiguration(sim.machine()); }

  sim::SimMachine sim;
};

}  // namespace kv
