#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// File attributes (the Windows numbers).
inline constexpr uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr uint32_t kFileAttributeHidden = 0x02;
inline constexpr uint32_t kFileAttributeSystem = 0x04;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;
inline constexpr uint32_t kFileAttributeArchive = 0x20;
inline constexpr uint32_t kFileAttributeNormal = 0x80;

// Where the NT platform keeps the removals and renames due at its next start:
// a REG_MULTI_SZ of pairs, the source as \??\C:\... and the target, empty for
// a removal; a target that may replace an existing file carries a "!" before
// its \??\.
inline constexpr std::string_view kPendingRemovalsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
inline constexpr std::string_view kPendingRemovalsValue = "PendingFileRenameOperations";

// A file opened for appending (OpenForAppending).
using AppendHandle = uintptr_t;
// One rename or removal Windows carries out when it next starts.
struct PendingRename {
  std::string source;            // a full path, without the "\??\" of the record
  std::string target;            // likewise; empty for a removal
  bool replaceExisting = false;  // the record's "!": the target may exist

  friend bool operator==(const PendingRename&, const PendingRename&) = default;
};

struct FoundFile {
  std::string name;  // the name alone, without directory
  uint32_t attributes = 0;
};

// Files and directories. Paths are full ANSI paths; names ignore case.
// Results are Windows error numbers; out-parameters untouched on failure.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Files {
 public:
  virtual ~Files() = default;

  virtual uint32_t CopyFile(std::string_view source, std::string_view target,
                            bool failIfExists) = 0;
  virtual uint32_t DeleteFile(std::string_view path) = 0;
  virtual uint32_t GetAttributes(std::string_view path, uint32_t* attributes) = 0;
  virtual uint32_t SetAttributes(std::string_view path, uint32_t attributes) = 0;
  // Opens an existing file with no access rights requested and read/write
  // sharing, then closes it: the existence test that works on files in use.
  virtual uint32_t OpenExisting(std::string_view path) = 0;
  // Opens with read and write sharing, as the profile functions do: a file
  // held open by another program with sharing still reads.
  virtual uint32_t ReadWholeFile(std::string_view path, std::string* contents) = 0;
  virtual uint32_t CreateDirectory(std::string_view path) = 0;
  // Has Windows delete an existing file when it next starts, for a file in
  // use now. The NT platform records it with MoveFileExA and
  // MOVEFILE_DELAY_UNTIL_REBOOT (Windows keeps the record in the registry,
  // under kPendingRemovalsKey, value kPendingRemovalsValue). The 9x platform,
  // whose MoveFileExA fails, gets a "NUL=<8.3 path>" line in the [rename]
  // section of WININIT.INI in the Windows directory; lines already there stay.
  virtual uint32_t DeleteAtRestart(std::string_view path) = 0;
  // Has Windows replace `target`, in use now, by `source` when it next
  // starts: MoveFileExA with MOVEFILE_REPLACE_EXISTING |
  // MOVEFILE_DELAY_UNTIL_REBOOT, recorded like DeleteAtRestart's removals
  // with the target's "!". The rename happens before anything loads the file,
  // and only within one volume: the source belongs beside the target. The 9x
  // platform, whose MoveFileExA does nothing, answers kErrorCallNotImplemented.
  virtual uint32_t ReplaceAtRestart(std::string_view source, std::string_view target) = 0;
  // The renames and removals recorded for the next start, in their order; none
  // when nothing is recorded. The 9x platform, which keeps its own in
  // WININIT.INI, reports none.
  virtual uint32_t ReadPendingRenames(std::vector<PendingRename>* renames) = 0;
  // GetTempFileNameA(directory, prefix, 0): creates an empty file under a name
  // no file of the existing `directory` has, the first three characters of
  // `prefix`, hexadecimal digits and ".TMP"; its full path in *path.
  virtual uint32_t CreateTempFile(std::string_view directory, std::string_view prefix,
                                  std::string* path) = 0;
  // FindFirstFile/FindNextFile over a pattern such as "C:\dir\*.dll";
  // kErrorFileNotFound when nothing matches.
  virtual uint32_t FindFiles(std::string_view pattern, std::vector<FoundFile>* found) = 0;

  // A file opened for appending, created when missing (its directory must
  // exist), shared for reading and writing so that several programs may keep
  // one log. Every write lands at the file's end as one piece, even when
  // another thread or program appends at the same time (on NT the handle has
  // append access alone; the 9x platform, which has no such access, moves to
  // the end before each write).
  virtual uint32_t OpenForAppending(std::string_view path, AppendHandle* file) = 0;
  // WriteFile of all of `bytes` in one call.
  virtual uint32_t AppendToFile(AppendHandle file, std::string_view bytes) = 0;
  virtual uint32_t CloseFile(AppendHandle file) = 0;

  virtual uint32_t GetCurrentDirectory(std::string* directory) = 0;
  // SetCurrentDirectoryA: an existing directory; relative paths resolve
  // against it from then on.
  virtual uint32_t ChangeCurrentDirectory(std::string_view directory) = 0;
  virtual uint32_t GetSystemDirectory(std::string* directory) = 0;
  virtual uint32_t GetWindowsDirectory(std::string* directory) = 0;
  // The running program's full file name.
  virtual uint32_t GetModuleFileName(std::string* path) = 0;
};

}  // namespace kv
