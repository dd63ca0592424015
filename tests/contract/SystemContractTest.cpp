#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

TEST(SystemContract, VersionNamesAPlatform) {
  OsVersionInfo info;
  ASSERT_TRUE(ContractMachine().system.GetVersion(&info));
  EXPECT_TRUE(info.platformId == kPlatformWindows || info.platformId == kPlatformNt);
  EXPECT_GE(info.majorVersion, 4u);
}

TEST(ThreadsContract, ThreadRunsItsBodyBeforeJoinReturns) {
  Threads& threads = ContractMachine().threads;
  int ran = 0;
  ThreadHandle thread = 0;
  ASSERT_EQ(threads.Start([&ran] { ran = 42; }, &thread), 0u);
  EXPECT_EQ(threads.Join(thread), 0u);
  EXPECT_EQ(ran, 42);
}

TEST(ThreadsContract, NamedMutexReportsAnEarlierHolder) {
  Threads& threads = ContractMachine().threads;
  MutexHandle first = 0, second = 0;
  bool existed = true;
  ASSERT_EQ(threads.CreateNamedMutex("KvContractMutex", &first, &existed), 0u);
  EXPECT_FALSE(existed);
  ASSERT_EQ(threads.CreateNamedMutex("KvContractMutex", &second, &existed), 0u);
  EXPECT_TRUE(existed);
  EXPECT_EQ(threads.CloseMutex(second), 0u);
  EXPECT_EQ(threads.CloseMutex(first), 0u);
  ASSERT_EQ(threads.CreateNamedMutex("KvContractMutex", &first, &existed), 0u);
  EXPECT_FALSE(existed);
  EXPECT_EQ(threads.CloseMutex(first), 0u);
}

TEST(ThreadsContract, AMutexIsFoundWithoutBeingCreated) {
  Threads& threads = ContractMachine().threads;
  EXPECT_FALSE(threads.NamedMutexExists("KvContractTestedMutex"));
  EXPECT_FALSE(threads.NamedMutexExists("KvContractTestedMutex")) << "the test created it";
  MutexHandle held = 0;
  bool existed = true;
  ASSERT_EQ(threads.CreateNamedMutex("KvContractTestedMutex", &held, &existed), 0u);
  EXPECT_FALSE(existed);
  EXPECT_TRUE(threads.NamedMutexExists("KvContractTestedMutex"));
  EXPECT_FALSE(threads.NamedMutexExists("kvcontracttestedmutex")) << "names are case-sensitive";
  EXPECT_EQ(threads.CloseMutex(held), 0u);
  EXPECT_FALSE(threads.NamedMutexExists("KvContractTestedMutex"));
}

TEST(ClockContract, LocalTimeIsAValidDateToTheMillisecond) {
  Clock& clock = ContractMachine().clock;
  const LocalTime before = clock.Now();
  clock.Sleep(20);
  const LocalTime after = clock.Now();
  for (const LocalTime& t : {before, after}) {
    EXPECT_GE(t.year, 2000);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_LE(t.hour, 23);
    EXPECT_LE(t.minute, 59);
    EXPECT_LE(t.second, 59);
    EXPECT_LE(t.milliseconds, 999);
  }
  auto ms = [](const LocalTime& t) {
    return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.milliseconds;
  };
  // Across midnight the difference turns negative; a day is long enough.
  const int elapsed = (ms(after) - ms(before) + 86400000) % 86400000;
  EXPECT_GE(elapsed, 15) << "the time has milliseconds and moves with sleeps";
  EXPECT_LT(elapsed, 60000);
}

TEST(ModulesContract, CallsPassNumbersAndBufferAddresses) {
  ArrangeKernelLibrary();
  Modules& modules = ContractMachine().modules;
  ModuleHandle kernel = 0;
  ASSERT_EQ(modules.Load("KERNEL32.DLL", &kernel), 0u);
  ProcHandle length = 0, mulDiv = 0;
  ASSERT_EQ(modules.Lookup(kernel, "lstrlenA", &length), 0u);
  ASSERT_EQ(modules.Lookup(kernel, "MulDiv", &mulDiv), 0u);
  ProcHandle missing = 0xdeadbeef;
  EXPECT_EQ(modules.Lookup(kernel, "NoSuchExportKv", &missing), kErrorProcNotFound);
  EXPECT_EQ(missing, 0xdeadbeefu);

  std::array<uint8_t, 16> text = {};
  std::memcpy(text.data(), "KVCOM1:", 8);
  const ProcArg buffer[] = {std::span<uint8_t>(text)};
  EXPECT_EQ(modules.Call(length, buffer), 7);
  const ProcArg numbers[] = {int32_t{-300}, int32_t{7}, int32_t{2}};
  EXPECT_EQ(modules.Call(mulDiv, numbers), -1050);
  EXPECT_EQ(modules.Free(kernel), 0u);
}

TEST(ModulesContract, MissingLibraryDoesNotLoad) {
  ModuleHandle module = 0xdeadbeef;
  EXPECT_EQ(ContractMachine().modules.Load("NoSuchLibraryKv.dll", &module), kErrorModNotFound);
  EXPECT_EQ(module, 0xdeadbeefu);
}

}  // namespace
}  // namespace kv::contract
