#include "sim/SimMachine.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"

namespace kv::sim {
namespace {

// Windows 95, 98 and Me have no service control manager, and their
// RegDeleteKey takes the subkeys along; the NT family refuses both.
TEST(SimMachineTest, WindowsFamilyDecidesServicesAndKeyDeletion) {
  struct Case {
    WindowsVersion version;
    uint32_t openManager;
    uint32_t deleteKeyWithSubkeys;
  };
  const Case cases[] = {
      {WindowsVersion::Win95, kErrorCallNotImplemented, kErrorSuccess},
      {WindowsVersion::Win98, kErrorCallNotImplemented, kErrorSuccess},
      {WindowsVersion::WinMe, kErrorCallNotImplemented, kErrorSuccess},
      {WindowsVersion::NT4, kErrorSuccess, kErrorAccessDenied},
      {WindowsVersion::WinXP, kErrorSuccess, kErrorAccessDenied},
      {WindowsVersion::Vista, kErrorSuccess, kErrorAccessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.version));
    SimMachine sim;
    sim.UseWindows(c.version);
    ScHandle manager = 0xdeadbeef;
    EXPECT_EQ(sim.machine().services.OpenManager(&manager), c.openManager);
    if (c.openManager != kErrorSuccess) {
      EXPECT_EQ(manager, 0xdeadbeefu);
    }

    sim.registry().CreateKeyPath(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\Child\\Grand");
    EXPECT_EQ(sim.machine().registry.DeleteKey(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\Child"),
              c.deleteKeyWithSubkeys);
    const bool deleted = c.deleteKeyWithSubkeys == kErrorSuccess;
    EXPECT_EQ(sim.registry().KeyExists(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\Child"),
              !deleted);
    EXPECT_EQ(sim.registry().KeyExists(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\Child\\Grand"),
              !deleted);
    EXPECT_TRUE(sim.registry().KeyExists(RegRoot::LocalMachine, "SOFTWARE\\KORVANT"));
  }
}

}  // namespace
}  // namespace kv::sim
