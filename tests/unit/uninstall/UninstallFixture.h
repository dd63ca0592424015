#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "unit/uninstall/UninstallWorld.h"

namespace kv::test {

// The uninstaller's world (see UninstallWorld) as a test fixture: an
// arrangement the machine refuses fails the test.
class UninstallFixture : public ::testing::Test, public UninstallWorld {
 public:
  void AddMonitor(const std::string& name, const std::string& dll, const std::string& uiDll,
                  std::vector<std::string> ports) {
    ASSERT_EQ(UninstallWorld::AddMonitor(name, dll, uiDll, std::move(ports)), 0u) << name;
  }
  void AddProcessor(const std::string& name, const std::string& dll) {
    ASSERT_EQ(UninstallWorld::AddProcessor(name, dll), 0u) << name;
  }
  void AddDriver(const std::string& name) {
    ASSERT_EQ(UninstallWorld::AddDriver(name), 0u) << name;
  }
  void AddPrinter(const std::string& name, const std::string& driver, const std::string& port) {
    ASSERT_EQ(UninstallWorld::AddPrinter(name, driver, port), 0u) << name;
  }
  void InstallFamily() { ASSERT_EQ(UninstallWorld::InstallFamily(), ""); }

  void Tick(const std::string& name) {
    const auto items = listed();
    auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end()) << name << " is not listed";
    ASSERT_TRUE(dialog->ClickItemCheck(IDC_REMOVAL_LIST, static_cast<int>(it - items.begin())));
  }

  // Presses Uninstall; the simulated worker thread runs to its end at once.
  void PressUninstall() {
    sim.clock().ClearSleeps();
    EXPECT_TRUE(dialog->Click(IDC_UNINSTALL));
  }

  std::vector<int> ModalRuns() {
    std::vector<int> runs;
    for (const auto& [templateId, owner] : sim.dialogs().modalRuns()) {
      EXPECT_EQ(owner, dialog->Handle());
      runs.push_back(templateId);
    }
    return runs;
  }
};

}  // namespace kv::test
