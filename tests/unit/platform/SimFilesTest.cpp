#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv::sim {
namespace {

using namespace std::string_literals;

TEST(SimFilesTest, CopyReportsWindowsErrors) {
  SimMachine sim;
  Files& files = sim.machine().files;
  sim.files().AddFile("C:\\medium\\winnt\\a.dll", "A");
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\b.dll", "C:\\WINDOWS\\b.dll", false),
            kErrorFileNotFound);
  EXPECT_EQ(files.CopyFile("C:\\medium\\win98\\a.dll", "C:\\WINDOWS\\a.dll", false),
            kErrorPathNotFound);
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\a.dll", "C:\\nowhere\\a.dll", false),
            kErrorPathNotFound);
  ASSERT_EQ(files.CopyFile("C:\\MEDIUM\\WINNT\\A.DLL", "C:\\WINDOWS\\a.dll", false), 0u);
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\a.dll", "C:\\WINDOWS\\a.dll", true),
            kErrorFileExists);
  sim.files().MarkInUse("C:\\WINDOWS\\a.dll");
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\a.dll", "C:\\WINDOWS\\a.dll", false),
            kErrorSharingViolation);
  EXPECT_EQ(files.OpenExisting("C:\\WINDOWS\\a.dll"), 0u) << "open without access works in use";
  sim.files().MarkInUse("C:\\WINDOWS\\a.dll", false);
  ASSERT_EQ(files.SetAttributes("C:\\WINDOWS\\a.dll", kFileAttributeReadOnly), 0u);
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\a.dll", "C:\\WINDOWS\\a.dll", false),
            kErrorAccessDenied);
  ASSERT_EQ(files.SetAttributes("C:\\WINDOWS\\a.dll", kFileAttributeArchive), 0u);
  EXPECT_EQ(files.CopyFile("C:\\medium\\winnt\\a.dll", "C:\\WINDOWS\\a.dll", false), 0u);
}

TEST(SimFilesTest, FindMatchesWildcardsIgnoringCase) {
  SimMachine sim;
  sim.files().AddFile("C:\\d\\KvUsb.DLL");
  sim.files().AddFile("C:\\d\\other.txt");
  sim.files().AddFile("C:\\d\\sub\\deep.dll");
  std::vector<FoundFile> found;
  ASSERT_EQ(sim.machine().files.FindFiles("C:\\d\\*.dll", &found), 0u);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "KvUsb.DLL");
  EXPECT_EQ(sim.machine().files.FindFiles("C:\\d\\*.sys", &found), kErrorFileNotFound);
  EXPECT_EQ(sim.machine().files.FindFiles("C:\\none\\*", &found), kErrorPathNotFound);
}

// NT keeps the removals in the registry, the 9x platform in WININIT.INI by
// 8.3 paths; the files stay until Windows starts again.
TEST(SimFilesTest, DeleteAtRestartGoesWhereTheFamilyKeepsIt) {
  SimMachine sim;
  sim.files().AddFile("C:\\Program Files\\Korvant\\Port Monitor.dll");
  sim.files().AddFile("C:\\WINDOWS\\KV.DLL");
  Files& files = sim.machine().files;
  ASSERT_EQ(files.DeleteAtRestart("C:\\Program Files\\Korvant\\Port Monitor.dll"), 0u);
  ASSERT_EQ(files.DeleteAtRestart("C:\\WINDOWS\\KV.DLL"), 0u);
  const SimValue* value =
      sim.registry().ValueAt(RegRoot::LocalMachine, kPendingRemovalsKey, kPendingRemovalsValue);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, kRegMultiSz);
  EXPECT_EQ(value->data,
            "\\??\\C:\\Program Files\\Korvant\\Port Monitor.dll\0\0"
            "\\??\\C:\\WINDOWS\\KV.DLL\0\0\0"s);
  EXPECT_TRUE(sim.files().Exists("C:\\WINDOWS\\KV.DLL"));
  EXPECT_FALSE(sim.files().Exists("C:\\WINDOWS\\WININIT.INI"));

  sim.UseWindows(WindowsVersion::Win98);
  sim.files().AddFile("C:\\WINDOWS\\WININIT.INI", "[rename]\r\nNUL=C:\\OLD.TMP\r\n");
  ASSERT_EQ(files.DeleteAtRestart("C:\\Program Files\\Korvant\\Port Monitor.dll"), 0u);
  ASSERT_EQ(files.DeleteAtRestart("c:\\windows\\kv.dll"), 0u);
  EXPECT_EQ(files.DeleteAtRestart("C:\\WINDOWS\\missing.dll"), kErrorFileNotFound);
  EXPECT_EQ(sim.files().Find("C:\\WINDOWS\\WININIT.INI")->bytes,
            "[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=C:\\PROGRA~1\\KORVANT\\PORTMO~1.DLL\r\n"
            "NUL=C:\\WINDOWS\\KV.DLL\r\n");
  EXPECT_TRUE(sim.files().Exists("C:\\Program Files\\Korvant\\Port Monitor.dll"));
}

TEST(SimClockTest, SleepsAreRecordedAndHooksSeeTheTime) {
  SimMachine sim;
  std::vector<uint64_t> seen;
  sim.clock().OnSleep([&](uint64_t now) { seen.push_back(now); });
  sim.machine().clock.Sleep(500);
  sim.machine().clock.Sleep(1000);
  EXPECT_EQ(sim.clock().sleeps(), (std::vector<uint32_t>{500, 1000}));
  EXPECT_EQ(seen, (std::vector<uint64_t>{500, 1500}));
  EXPECT_EQ(sim.machine().clock.NowMs(), 1500u);
}

TEST(SimThreadsTest, NamedMutexSeesOtherHolders) {
  SimMachine sim;
  Threads& threads = sim.machine().threads;
  MutexHandle first = 0, second = 0;
  bool existed = true;
  ASSERT_EQ(threads.CreateNamedMutex("Setup", &first, &existed), 0u);
  EXPECT_FALSE(existed);
  ASSERT_EQ(threads.CreateNamedMutex("Setup", &second, &existed), 0u);
  EXPECT_TRUE(existed);
  threads.CloseMutex(second);
  threads.CloseMutex(first);
  ASSERT_EQ(threads.CreateNamedMutex("Setup", &first, &existed), 0u);
  EXPECT_FALSE(existed);
}

}  // namespace
}  // namespace kv::sim
