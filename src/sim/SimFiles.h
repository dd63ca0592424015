#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "sim/Faults.h"
#include "sim/SimRegistry.h"

namespace kv::sim {

// A version resource as a file carries it: its translations in order and the
// string tables by "llllcccc" key.
struct VersionResource {
  std::vector<std::pair<uint16_t, uint16_t>> translations;  // language, code page
  std::map<std::string, std::map<std::string, std::string>> stringTables;
};

struct SimFile {
  std::string path;  // as first written, for listings
  std::string bytes;
  uint32_t attributes = kFileAttributeArchive;
  bool inUse = false;          // held open by another process without sharing
  bool heldBySpooler = false;  // loaded by the running spooler service
  std::optional<VersionResource> version;
};

// The simulated file system: drive-letter paths, names ignoring case, every
// directory explicit (a file needs its directory, as on Windows). Paths
// resolve as Windows resolves them: against the current directory, with runs
// of backslashes read as one. Removals due at the next start go where the
// running family keeps them: the registry on NT, WININIT.INI on 9x.
class SimFiles : public Files {
 public:
  SimFiles(Faults& faults, SimRegistry& registry);

  // Arrangement.
  void AddDirectory(std::string_view path);  // and its parents
  SimFile& AddFile(std::string_view path, std::string bytes = {});
  void AddVersionedFile(std::string_view path, std::string_view fileVersion);
  void MarkInUse(std::string_view path, bool inUse = true);
  void SetCurrentDirectory(std::string_view path) { currentDirectory_ = FullPath(path); }
  // The running program's file, which exists.
  void SetModuleFileName(std::string_view path);
  void SetWindowsDirectory(std::string_view windows, std::string_view system);
  // The 9x platform: no MoveFileExA, removals at restart through WININIT.INI.
  void SetNinetyFive(bool ninetyFive) { ninetyFive_ = ninetyFive; }

  // The full path Windows makes of a path here (see FullPath in PathKey.h):
  // every call resolves its paths this way first.
  std::string FullPath(std::string_view path) const;
  // The 8.3 path GetShortPathNameA gives for an existing file on FAT: names in
  // capitals, those longer than 8.3 cut to six letters and "~1" (one file per
  // stem, which is all the tests need).
  std::optional<std::string> ShortPath(std::string_view path) const;

  // Inspection.
  bool Exists(std::string_view path) const;
  bool DirectoryExists(std::string_view path) const;
  const SimFile* Find(std::string_view path) const;
  SimFile* Find(std::string_view path);
  std::string systemDirectory() const { return systemDirectory_; }
  std::string windowsDirectory() const { return windowsDirectory_; }

  // Files.
  uint32_t CopyFile(std::string_view source, std::string_view target, bool failIfExists) override;
  uint32_t DeleteFile(std::string_view path) override;
  uint32_t GetAttributes(std::string_view path, uint32_t* attributes) override;
  uint32_t SetAttributes(std::string_view path, uint32_t attributes) override;
  uint32_t OpenExisting(std::string_view path) override;
  uint32_t ReadWholeFile(std::string_view path, std::string* contents) override;
  uint32_t CreateDirectory(std::string_view path) override;
  uint32_t DeleteAtRestart(std::string_view path) override;
  uint32_t ReplaceAtRestart(std::string_view source, std::string_view target) override;
  uint32_t ReadPendingRenames(std::vector<PendingRename>* renames) override;
  uint32_t CreateTempFile(std::string_view directory, std::string_view prefix,
                          std::string* path) override;
  uint32_t FindFiles(std::string_view pattern, std::vector<FoundFile>* found) override;
  uint32_t GetCurrentDirectory(std::string* directory) override;
  uint32_t GetSystemDirectory(std::string* directory) override;
  uint32_t GetWindowsDirectory(std::string* directory) override;
  uint32_t GetModuleFileName(std::string* path) override;

 private:
  std::string Key(std::string_view path) const;
  // 2 or 3 for a path that does not name a file: 3 when its directory is missing.
  uint32_t MissingFileError(std::string_view path) const;
  // Adds one pair to the NT platform's record of what is due at the next start.
  void RecordAtRestart(const std::string& source, const std::string& target);

  Faults& faults_;
  SimRegistry& registry_;
  bool ninetyFive_ = false;
  std::map<std::string, SimFile> files_;
  std::set<std::string> directories_;
  uint32_t nextTempNumber_ = 0x1A2B;
  std::string currentDirectory_ = "C:\\";
  std::string moduleFileName_ = "C:\\setup.exe";
  std::string windowsDirectory_ = "C:\\WINDOWS";
  std::string systemDirectory_ = "C:\\WINDOWS\\system32";
};

}  // namespace kv::sim
