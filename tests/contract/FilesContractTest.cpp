#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  Files& files = ContractMachine().files;
  std::string dir = NewScratchDirectory();
};

TEST_F(FilesContract, MissingFileAndMissingPathAreTwoErrors) {
  uint32_t attributes = 0xdeadbeef;
  EXPECT_EQ(files.GetAttributes(dir + "\\missing.txt", &attributes), kErrorFileNotFound);
  EXPECT_EQ(files.GetAttributes(dir + "\\no dir\\missing.txt", &attributes), kErrorPathNotFound);
  EXPECT_EQ(attributes, 0xdeadbeefu);

  EXPECT_EQ(files.OpenExisting(dir + "\\missing.txt"), kErrorFileNotFound);
  EXPECT_EQ(files.OpenExisting(dir + "\\no dir\\missing.txt"), kErrorPathNotFound);
  EXPECT_EQ(files.DeleteFile(dir + "\\missing.txt"), kErrorFileNotFound);
  std::string contents = "sentinel";
  EXPECT_EQ(files.ReadWholeFile(dir + "\\missing.txt", &contents), kErrorFileNotFound);
  EXPECT_EQ(contents, "sentinel");

  EXPECT_EQ(files.CopyFile(dir + "\\missing.txt", dir + "\\copy.txt", false), kErrorFileNotFound);
  ArrangeFile(dir + "\\source.txt", "x");
  EXPECT_EQ(files.CopyFile(dir + "\\source.txt", dir + "\\no dir\\copy.txt", false),
            kErrorPathNotFound);
}

TEST_F(FilesContract, CopyOverwritesUnlessFailIfExists) {
  ArrangeFile(dir + "\\new.bin", std::string("new\0bytes", 9));
  ArrangeFile(dir + "\\old.bin", "old");

  EXPECT_EQ(files.CopyFile(dir + "\\new.bin", dir + "\\old.bin", true), kErrorFileExists);
  std::string contents;
  ASSERT_EQ(files.ReadWholeFile(dir + "\\old.bin", &contents), 0u);
  EXPECT_EQ(contents, "old");

  EXPECT_EQ(files.CopyFile(dir + "\\new.bin", dir + "\\OLD.BIN", false), 0u);
  ASSERT_EQ(files.ReadWholeFile(dir + "\\old.bin", &contents), 0u);
  EXPECT_EQ(contents, std::string("new\0bytes", 9));
}

TEST_F(FilesContract, NamesIgnoreCase) {
  ArrangeFile(dir + "\\Driver.DLL", "x");
  uint32_t attributes = 0;
  EXPECT_EQ(files.GetAttributes(dir + "\\driver.dll", &attributes), 0u);
  EXPECT_EQ(attributes & kFileAttributeDirectory, 0u);
  EXPECT_EQ(files.OpenExisting(dir + "\\DRIVER.dll"), 0u);

  std::vector<FoundFile> found;
  ASSERT_EQ(files.FindFiles(dir + "\\*.dll", &found), 0u);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "Driver.DLL");  // the name as created, without directory

  EXPECT_EQ(files.DeleteFile(dir + "\\DRIVER.DLL"), 0u);
  EXPECT_EQ(files.GetAttributes(dir + "\\Driver.DLL", &attributes), kErrorFileNotFound);
}

TEST_F(FilesContract, FindReportsNotFoundWhenNothingMatches) {
  std::vector<FoundFile> found = {FoundFile{"sentinel", 0}};
  EXPECT_EQ(files.FindFiles(dir + "\\*.dll", &found), kErrorFileNotFound);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "sentinel");

  ArrangeFile(dir + "\\a.dll", "a");
  ArrangeFile(dir + "\\b.dll", "b");
  ArrangeFile(dir + "\\c.txt", "c");
  ASSERT_EQ(files.FindFiles(dir + "\\*.dll", &found), 0u);
  std::vector<std::string> names;
  for (const auto& file : found) names.push_back(file.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.dll", "b.dll"}));
}

TEST_F(FilesContract, DirectoriesAndAttributes) {
  EXPECT_EQ(files.CreateDirectory(dir + "\\sub"), 0u);
  EXPECT_EQ(files.CreateDirectory(dir + "\\SUB"), kErrorAlreadyExists);
  EXPECT_EQ(files.CreateDirectory(dir + "\\no dir\\sub"), kErrorPathNotFound);
  uint32_t attributes = 0;
  ASSERT_EQ(files.GetAttributes(dir + "\\sub", &attributes), 0u);
  EXPECT_NE(attributes & kFileAttributeDirectory, 0u);

  // A read-only file refuses deletion until its attribute is cleared.
  ArrangeFile(dir + "\\sub\\locked.txt", "x");
  ASSERT_EQ(files.SetAttributes(dir + "\\sub\\locked.txt", kFileAttributeReadOnly), 0u);
  ASSERT_EQ(files.GetAttributes(dir + "\\sub\\locked.txt", &attributes), 0u);
  EXPECT_NE(attributes & kFileAttributeReadOnly, 0u);
  EXPECT_EQ(files.DeleteFile(dir + "\\sub\\locked.txt"), kErrorAccessDenied);
  ASSERT_EQ(files.SetAttributes(dir + "\\sub\\locked.txt", kFileAttributeArchive), 0u);
  EXPECT_EQ(files.DeleteFile(dir + "\\sub\\locked.txt"), 0u);
  EXPECT_EQ(files.SetAttributes(dir + "\\sub\\locked.txt", kFileAttributeArchive),
            kErrorFileNotFound);
}

TEST_F(FilesContract, SystemDirectoriesAreFullPaths) {
  std::string system, windows, module, current;
  ASSERT_EQ(files.GetSystemDirectory(&system), 0u);
  ASSERT_EQ(files.GetWindowsDirectory(&windows), 0u);
  ASSERT_EQ(files.GetModuleFileName(&module), 0u);
  ASSERT_EQ(files.GetCurrentDirectory(&current), 0u);
  for (const std::string* path : {&system, &windows, &module, &current}) {
    ASSERT_GE(path->size(), 3u) << *path;
    EXPECT_EQ(path->substr(1, 2), ":\\") << *path;
  }
  // The system directory lies inside the Windows directory, with no
  // trailing backslash on either.
  EXPECT_EQ(system.compare(0, windows.size() + 1, windows + "\\"), 0) << system;
  EXPECT_NE(windows.back(), '\\');
  uint32_t attributes = 0;
  EXPECT_EQ(files.GetAttributes(module, &attributes), 0u);
}

// Restores the process's current directory when a case ends, however it ends.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(Files& files) {
    if (files.GetCurrentDirectory(&previous_) != 0) previous_.clear();
  }
  ~CurrentDirectoryScope() {
    if (previous_.empty()) return;
    try {
      ArrangeCurrentDirectory(previous_);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::string previous_;
};

TEST_F(FilesContract, RelativePathsStartAtTheCurrentDirectory) {
  ArrangeFile(dir + "\\here.txt", "here");
  ASSERT_EQ(files.CreateDirectory(dir + "\\sub"), 0u);
  ArrangeFile(dir + "\\sub\\deep.txt", "deep");
  CurrentDirectoryScope scope(files);
  ArrangeCurrentDirectory(dir + "\\sub");

  std::string contents;
  EXPECT_EQ(files.ReadWholeFile("deep.txt", &contents), 0u);
  EXPECT_EQ(contents, "deep");
  EXPECT_EQ(files.ReadWholeFile("..\\here.txt", &contents), 0u);
  EXPECT_EQ(contents, "here");
  EXPECT_EQ(files.ReadWholeFile(".\\..\\sub\\.\\deep.txt", &contents), 0u);
  EXPECT_EQ(contents, "deep");
  // A path that starts with a backslash starts at the root of the drive.
  EXPECT_EQ(files.ReadWholeFile(dir.substr(2) + "\\here.txt", &contents), 0u);
  EXPECT_EQ(contents, "here");

  EXPECT_EQ(files.CopyFile("deep.txt", "..\\copy.txt", true), 0u);
  EXPECT_EQ(files.ReadWholeFile(dir + "\\copy.txt", &contents), 0u);
  EXPECT_EQ(contents, "deep");
  uint32_t attributes = 0;
  EXPECT_EQ(files.GetAttributes("missing.txt", &attributes), kErrorFileNotFound);
  EXPECT_EQ(files.GetAttributes("no dir\\missing.txt", &attributes), kErrorPathNotFound);
  EXPECT_EQ(files.DeleteFile("..\\copy.txt"), 0u);
  EXPECT_EQ(files.GetAttributes(dir + "\\copy.txt", &attributes), kErrorFileNotFound);
}

// A medium at a drive root reports "D:\" as its directory, and the caller
// appends "\dir\file": runs of backslashes count as one.
TEST_F(FilesContract, DoubledBackslashesCountAsOne) {
  ASSERT_EQ(files.CreateDirectory(dir + "\\\\sub\\\\"), 0u);
  ArrangeFile(dir + "\\sub\\file.txt", "x");
  uint32_t attributes = 0;
  ASSERT_EQ(files.GetAttributes(dir + "\\sub", &attributes), 0u);
  EXPECT_NE(attributes & kFileAttributeDirectory, 0u);
  EXPECT_EQ(files.GetAttributes(dir + "\\\\sub\\\\\\file.txt", &attributes), 0u);
  EXPECT_EQ(files.OpenExisting(dir + "\\sub\\\\file.txt"), 0u);
  EXPECT_EQ(files.CopyFile(dir + "\\\\sub\\file.txt", dir + "\\sub\\\\copy.txt", true), 0u);

  std::vector<FoundFile> found;
  ASSERT_EQ(files.FindFiles(dir + "\\\\sub\\\\*.txt", &found), 0u);
  std::vector<std::string> names;
  for (const auto& file : found) names.push_back(file.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"copy.txt", "file.txt"}));

  const std::string drive = dir.substr(0, 3);  // "C:\"
  EXPECT_EQ(files.GetAttributes(drive + "\\" + dir.substr(3) + "\\sub\\file.txt", &attributes), 0u);
  EXPECT_EQ(files.DeleteFile(dir + "\\\\sub\\\\copy.txt"), 0u);
  EXPECT_EQ(files.GetAttributes(dir + "\\sub\\copy.txt", &attributes), kErrorFileNotFound);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Where the running family keeps the removals due at its next start, put
// back as it was when the case ends: the registry value on NT, WININIT.INI on
// the 9x platform.
class PendingRemovalsScope {
 public:
  PendingRemovalsScope() {
    OsVersionInfo version;
    nt_ = ContractMachine().system.GetVersion(&version) && version.platformId == kPlatformNt;
    Files& files = ContractMachine().files;
    files.GetWindowsDirectory(&wininit_);
    wininit_ += "\\WININIT.INI";
    hadWininit_ = files.ReadWholeFile(wininit_, &wininitText_) == kErrorSuccess;
    Registry& registry = ContractMachine().registry;
    if (registry.CreateKey(RegRoot::LocalMachine, kPendingRemovalsKey, &key_) != kErrorSuccess) {
      key_ = 0;
    } else {
      hadValue_ = registry.QueryValue(key_, kPendingRemovalsValue, &type_, &value_) == 0;
    }
  }
  ~PendingRemovalsScope() {
    Registry& registry = ContractMachine().registry;
    if (key_ != 0) {
      if (hadValue_) {
        registry.SetValue(key_, kPendingRemovalsValue, type_, value_);
      } else {
        registry.DeleteValue(key_, kPendingRemovalsValue);
      }
      registry.CloseKey(key_);
    }
    if (hadWininit_) {
      ArrangeFile(wininit_, wininitText_);
    } else {
      ContractMachine().files.DeleteFile(wininit_);
    }
  }
  PendingRemovalsScope(const PendingRemovalsScope&) = delete;
  PendingRemovalsScope& operator=(const PendingRemovalsScope&) = delete;

  bool nt() const { return nt_; }
  const std::string& wininit() const { return wininit_; }
  // The value as it is now: its type and its strings.
  std::vector<std::string> Value(uint32_t* type) {
    std::string data;
    std::vector<std::string> strings;
    if (ContractMachine().registry.QueryValue(key_, kPendingRemovalsValue, type, &data) != 0) {
      return strings;
    }
    for (size_t at = 0; at < data.size();) {
      size_t end = data.find('\0', at);
      if (end == std::string::npos) end = data.size();
      strings.push_back(data.substr(at, end - at));
      at = end + 1;
    }
    return strings;
  }

 private:
  bool nt_ = true;
  std::string wininit_;
  bool hadWininit_ = false;
  std::string wininitText_;
  RegHandle key_ = 0;
  bool hadValue_ = false;
  uint32_t type_ = kRegMultiSz;
  std::string value_;
};

// What the uninstaller does with a monitor DLL that another program still has
// loaded: the deletion is refused, Windows is asked to delete it at its next
// start, and the file stays until then.
TEST_F(FilesContract, FileHeldOpenIsRefusedAndLeftForTheNextStart) {
  PendingRemovalsScope pending;
  const std::string path = dir + "\\Held Monitor File.dll";
  ArrangeFile(path, "MZ");
  {
    std::shared_ptr<void> held = HoldFileOpen(path);
    EXPECT_EQ(files.DeleteFile(path), kErrorSharingViolation);
    ASSERT_EQ(files.DeleteAtRestart(path), 0u);
  }
  uint32_t attributes = 0;
  EXPECT_EQ(files.GetAttributes(path, &attributes), 0u) << "deleted only at the next start";

  if (pending.nt()) {
    // MoveFileExA's record: the NT form of the path, an empty target, and the
    // empty string that ends the list.
    uint32_t type = 0;
    const std::vector<std::string> strings = pending.Value(&type);
    EXPECT_EQ(type, kRegMultiSz);
    auto found = std::find_if(strings.begin(), strings.end(), [&](const std::string& s) {
      return Lower(s) == Lower("\\??\\" + path);
    });
    ASSERT_NE(found, strings.end()) << "no record of " << path;
    ASSERT_NE(found + 1, strings.end());
    EXPECT_EQ(found[1], "") << "a removal, not a rename";
    ASSERT_FALSE(strings.empty());
    EXPECT_EQ(strings.back(), "");
    return;
  }
  // The 9x platform: the line names the file by its 8.3 path.
  std::string text;
  ASSERT_EQ(files.ReadWholeFile(pending.wininit(), &text), 0u);
  const size_t line = text.find("NUL=");
  ASSERT_NE(line, std::string::npos) << text;
  const std::string shortPath = text.substr(line + 4, text.find_first_of("\r\n", line) - line - 4);
  EXPECT_EQ(files.GetAttributes(shortPath, &attributes), 0u) << shortPath;
  const std::string leaf = shortPath.substr(shortPath.rfind('\\') + 1);
  EXPECT_LE(leaf.size(), 12u) << leaf;
  EXPECT_EQ(leaf.find(' '), std::string::npos) << leaf;
  EXPECT_EQ(text.rfind("[rename]", line), 0u) << text;
}

// What the installation does with a component DLL that another program
// still has loaded: the new file goes beside it under a temporary name, and
// Windows is asked to move it over the old one when it next starts; the "!"
// before the target's NT path asks for the replacement. Nothing moves now.
TEST_F(FilesContract, FileHeldOpenIsReplacedAtTheNextStart) {
  PendingRemovalsScope pending;
  const std::string target = dir + "\\Held Processor.dll";
  ArrangeFile(target, "old");
  std::string temporary;
  ASSERT_EQ(files.CreateTempFile(dir, "kvnew", &temporary), 0u);
  const std::string leaf = temporary.substr(temporary.rfind('\\') + 1);
  EXPECT_EQ(Lower(temporary.substr(0, dir.size() + 1)), Lower(dir + "\\")) << temporary;
  EXPECT_EQ(Lower(leaf.substr(0, 3)), "kvn") << leaf;
  ASSERT_GE(leaf.size(), 4u);
  EXPECT_EQ(Lower(leaf.substr(leaf.size() - 4)), ".tmp") << leaf;
  std::string contents = "sentinel";
  ASSERT_EQ(files.ReadWholeFile(temporary, &contents), 0u) << "created, empty";
  EXPECT_EQ(contents, "");
  std::string second;
  ASSERT_EQ(files.CreateTempFile(dir, "kvnew", &second), 0u);
  EXPECT_NE(Lower(second), Lower(temporary)) << "a name no file has";
  EXPECT_EQ(files.DeleteFile(second), 0u);
  ArrangeFile(temporary, "new");

  {
    std::shared_ptr<void> held = HoldFileOpen(target);
    EXPECT_EQ(files.CopyFile(temporary, target, false), kErrorSharingViolation);
    const uint32_t error = files.ReplaceAtRestart(temporary, target);
    if (!pending.nt()) {
      EXPECT_EQ(error, kErrorCallNotImplemented);
      std::vector<PendingRename> renames = {PendingRename{"sentinel", "", false}};
      EXPECT_EQ(files.ReadPendingRenames(&renames), 0u);
      EXPECT_TRUE(renames.empty());
      EXPECT_EQ(files.DeleteFile(temporary), 0u);
      return;
    }
    ASSERT_EQ(error, 0u);
  }
  ASSERT_EQ(files.ReadWholeFile(target, &contents), 0u);
  EXPECT_EQ(contents, "old") << "replaced only at the next start";

  // MoveFileExA's record: the source's NT path, then "!" and the target's.
  uint32_t type = 0;
  const std::vector<std::string> strings = pending.Value(&type);
  EXPECT_EQ(type, kRegMultiSz);
  auto found = std::find_if(strings.begin(), strings.end(), [&](const std::string& s) {
    return Lower(s) == Lower("\\??\\" + temporary);
  });
  ASSERT_NE(found, strings.end()) << "no record of " << temporary;
  ASSERT_NE(found + 1, strings.end());
  EXPECT_EQ(Lower(found[1]), Lower("!\\??\\" + target));
  ASSERT_FALSE(strings.empty());
  EXPECT_EQ(strings.back(), "");

  // Read back: DOS paths, the replacement marked.
  std::vector<PendingRename> renames;
  ASSERT_EQ(files.ReadPendingRenames(&renames), 0u);
  auto rename = std::find_if(renames.begin(), renames.end(), [&](const PendingRename& r) {
    return Lower(r.source) == Lower(temporary);
  });
  ASSERT_NE(rename, renames.end());
  EXPECT_EQ(Lower(rename->target), Lower(target));
  EXPECT_TRUE(rename->replaceExisting);
  EXPECT_EQ(files.DeleteFile(temporary), 0u);
}

}  // namespace
}  // namespace kv::contract
