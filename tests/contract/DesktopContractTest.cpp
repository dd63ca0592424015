#include <gtest/gtest.h>

#include <string>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

class DesktopContract : public ::testing::Test {
 protected:
  Desktop& desktop = ContractMachine().desktop;
};

// The wizard waits for the USB installer's window by its caption, which the
// installer may spell in another case.
TEST_F(DesktopContract, WindowCaptionsIgnoreCase) {
  const std::string caption = "KV Contract Window";
  // Under Wine this case runs with a display, in the dialog cases' program.
  ASSERT_TRUE(ArrangeTopLevelWindow(caption)) << "no window opens on this machine";
  EXPECT_TRUE(desktop.FindTopLevelWindow(caption));
  EXPECT_TRUE(desktop.FindTopLevelWindow("kv CONTRACT window"));
  EXPECT_FALSE(desktop.FindTopLevelWindow("KV Contract Window 2"));
  RemoveTopLevelWindow(caption);
  EXPECT_FALSE(desktop.FindTopLevelWindow(caption));
}

// ShellExecute reports failure as a number of 32 or less: 2 when the file is
// not there.
TEST_F(DesktopContract, StartingAMissingFileFails) {
  const std::string dir = NewScratchDirectory();
  for (const std::string& file : {dir + "\\missing.exe", std::string("kvcontract-missing.exe")}) {
    SCOPED_TRACE(file);
    uintptr_t result = desktop.ShellExecute("open", file, "", "", kSwShowNormal);
    EXPECT_LE(result, 32u);
    EXPECT_EQ(result, 2u);
  }
}

}  // namespace
}  // namespace kv::contract
