#include "common/ProgramShell.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

TEST(ApplicationNameTest, IsTheFileNameWithoutFolderAndExtension) {
  struct Case {
    const char* moduleFile;
    std::string_view nameWithoutFile;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Medium\\setup.exe", "", "setup"},
      {"D:\\Uninstall.exe", "Uninstall", "Uninstall"},
      {"C:/tools/setup2.exe", "", "setup2"},
      {"A:setup.1.exe", "", "setup.1"},
      {"setup", "", "setup"},
      // The program's own file cannot be read: each program's fallback.
      {nullptr, kSetupProgram.nameWithoutFile, ""},
      {nullptr, kUninstallProgram.nameWithoutFile, "Uninstall"},
  };
  for (const Case& c : cases) {
    sim::SimMachine sim;
    if (c.moduleFile) {
      sim.files().SetModuleFileName(c.moduleFile);
    } else {
      sim.FailNext(sim::Call::GetModuleFileName, kErrorNotEnoughMemory);
    }
    EXPECT_EQ(ApplicationName(sim.machine().files, c.nameWithoutFile), c.expected)
        << (c.moduleFile ? c.moduleFile : "(failed)");
  }
}

}  // namespace
}  // namespace kv
