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
  // The removal worker calls only what the control interface lets a worker
  // call, in every case.
  void TearDown() override {
    EXPECT_EQ(sim.dialogs().refusedWorkerCalls(), std::vector<std::string>{})
        << "calls a worker may not make";
  }

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

  // What Windows will delete when it next starts: the sources that the NT
  // registry record names for removal, then every line of WININIT.INI.
  std::vector<std::string> PendingRemovals() {
    std::vector<std::string> pending;
    if (const sim::SimValue* value = sim.registry().ValueAt(
            RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue)) {
      EXPECT_EQ(value->type, kRegMultiSz);
      std::vector<std::string> strings;
      for (size_t at = 0; at < value->data.size();) {
        const size_t end = value->data.find('\0', at);
        strings.push_back(value->data.substr(at, end - at));
        at = end == std::string::npos ? value->data.size() : end + 1;
      }
      // Pairs of source and target, then the empty string that ends the list.
      EXPECT_EQ(strings.size() % 2, 1u);
      for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        EXPECT_EQ(strings[i + 1], "") << "a removal has no target";
        pending.push_back(strings[i]);
      }
    }
    if (const sim::SimFile* wininit =
            sim.files().Find(sim.files().windowsDirectory() + "\\WININIT.INI")) {
      std::string_view text = wininit->bytes;
      while (!text.empty()) {
        const size_t end = text.find("\r\n");
        EXPECT_NE(end, std::string_view::npos) << "lines end in CR LF";
        pending.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
      }
    }
    return pending;
  }
};

}  // namespace kv::test
