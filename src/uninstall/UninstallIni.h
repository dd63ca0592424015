#pragma once

#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "platform/Files.h"
#include "platform/Profiles.h"

namespace kv {

inline constexpr std::string_view kUninstallIniName = "Uninstall.ini";

// Finds Uninstall.ini in the current directory, else in its DRVCONFIG
// subdirectory, and gives its full path; false with the uninstaller's text
// for why not in `message` (no current directory, a directory that cannot be
// searched, not found), `path` untouched. The file's name must
// match exactly (ignoring case): a backup such as "Uninstall.ini.bak" is no
// match. The file found is set to the archive attribute alone, so that a copy
// from a read-only medium can be read and replaced; no other file is touched.
bool LocateUninstallIni(Files& files, std::string* path, std::string& message);

// The family's inventory as Uninstall.ini names it: which printer drivers,
// port monitors and print processors belong to the family (by substrings,
// compared case-sensitively), and the file names of the monitor and processor
// DLLs per Windows family. The file is read anew on every question.
class UninstallIni {
 public:
  UninstallIni(Profiles& profiles, std::string path, std::optional<OsFamily> family)
      : profiles_(profiles), path_(std::move(path)), family_(family) {}

  bool MatchesPrinterList(std::string_view driverName);
  bool MatchesMonitorList(std::string_view monitorName);
  // Always false on the 9x family, which has no print processors to remove.
  bool MatchesProcessorList(std::string_view processorName);

  // The DLL file names to delete with a monitor or processor: empty when the
  // file names none, or names anything but a bare file name.
  std::string MonitorDll(std::string_view monitorName);
  std::string MonitorUiDll(std::string_view monitorName);
  std::string ProcessorDll(std::string_view processorName);

  const std::string& path() const { return path_; }

 private:
  bool MatchesList(std::string_view section, std::string_view countKey,
                   std::string_view entryPrefix, std::string_view text);
  std::string DllName(const std::string& section, std::string_view key);

  Profiles& profiles_;
  std::string path_;
  std::optional<OsFamily> family_;
};

}  // namespace kv
