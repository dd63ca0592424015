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
