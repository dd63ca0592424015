#include "uninstall/UninstallIni.h"

#include <algorithm>

#include "common/OsFamily.h"
#include "common/UninstallStrings.h"
#include "config/DecimalNumber.h"
#include "platform/Errors.h"

namespace kv {
namespace {

// Values are read into 30 characters, as the file's writers expect.
constexpr uint32_t kValueChars = 30;
// Entry keys end in the single character '0' + k: nine entries at most.
constexpr int kMaxEntries = 9;

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

std::string WithBackslash(std::string directory) {
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory;
}

enum class DirectorySearch { Found, Absent, Unsearchable };

// Whether the directory holds the file (its exact name).
DirectorySearch SearchDirectory(Files& files, const std::string& directory) {
  std::vector<FoundFile> entries;
  uint32_t error = files.FindFiles(directory + "*.*", &entries);
  if (error == kErrorFileNotFound) return DirectorySearch::Absent;
  if (error != kErrorSuccess) return DirectorySearch::Unsearchable;
  for (const auto& entry : entries) {
    if ((entry.attributes & kFileAttributeDirectory) == 0 &&
        EqualsIgnoreCase(entry.name, kUninstallIniName)) {
      return DirectorySearch::Found;
    }
  }
  return DirectorySearch::Absent;
}

// A name that stays inside the directory it is joined to.
bool IsBareFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/:") == std::string_view::npos;
}

}  // namespace

bool LocateUninstallIni(Files& files, std::string* path, std::string& message) {
  std::string directory;
  if (files.GetCurrentDirectory(&directory) != kErrorSuccess) {
    message = UninstallString(uninstall_text::kNoCurrentDirectory);
    return false;
  }
  directory = WithBackslash(std::move(directory));
  DirectorySearch found = SearchDirectory(files, directory);
  if (found == DirectorySearch::Absent) {
    directory += "DRVCONFIG\\";
    found = SearchDirectory(files, directory);
  }
  if (found != DirectorySearch::Found) {
    message =
        UninstallString(found == DirectorySearch::Unsearchable ? uninstall_text::kSearchFailed
                                                               : uninstall_text::kNoUninstallIni);
    return false;
  }
  *path = directory + std::string(kUninstallIniName);
  files.SetAttributes(*path, kFileAttributeArchive);
  return true;
}

bool UninstallIni::MatchesList(std::string_view section, std::string_view countKey,
                               std::string_view entryPrefix, std::string_view text) {
  int count =
      ParseDecimalNumber(profiles_.GetPrivateString(section, countKey, "0", kValueChars, path_));
  count = std::min(count, kMaxEntries);
  for (int k = 1; k <= count; ++k) {
    std::string key(entryPrefix);
    key += static_cast<char>('0' + k);
    // A missing or empty entry matches nothing: an incomplete file must not
    // offer unrelated objects for removal.
    std::string entry = profiles_.GetPrivateString(section, key, "", kValueChars, path_);
    if (!entry.empty() && text.find(entry) != std::string_view::npos) return true;
  }
  return false;
}

bool UninstallIni::MatchesPrinterList(std::string_view driverName) {
  return MatchesList("KVPRINTER", "PRINTERNUM", "PRINTERNAME", driverName);
}

bool UninstallIni::MatchesMonitorList(std::string_view monitorName) {
  return MatchesList("KVMONITOR", "MonitorNUM", "MONITORNAME", monitorName);
}

bool UninstallIni::MatchesProcessorList(std::string_view processorName) {
  if (family_ == OsFamily::Win98) return false;
  return MatchesList("KVPROC", "PROCNUM", "PROCNAME", processorName);
}

std::string UninstallIni::DllName(const std::string& section, std::string_view key) {
  std::string name = profiles_.GetPrivateString(section, key, "0", kValueChars, path_);
  if (name.empty() || name.front() == '0' || !IsBareFileName(name)) return {};
  return name;
}

std::string UninstallIni::MonitorDll(std::string_view monitorName) {
  std::string section;
  std::copy_if(monitorName.begin(), monitorName.end(), std::back_inserter(section),
               [](char c) { return c != ' '; });
  return DllName(section + std::string(UninstallSectionSuffix(family_)), "MonitorPDLLName");
}

std::string UninstallIni::MonitorUiDll(std::string_view monitorName) {
  std::string section;
  std::copy_if(monitorName.begin(), monitorName.end(), std::back_inserter(section),
               [](char c) { return c != ' '; });
  return DllName(section + std::string(UninstallSectionSuffix(family_)), "MonitorPUIDLLName");
}

std::string UninstallIni::ProcessorDll(std::string_view processorName) {
  return DllName(std::string(processorName) + std::string(UninstallSectionSuffix(family_)),
                 "ProcessorDllName");
}

}  // namespace kv
