// Times the configuration reader against GetPrivateProfileStringA on the
// real machine (under Wine): writes a generated 1,000-model setup.ini and
// module file beside the program, then reads the same keys both ways - the
// whole device list, and everything read for one model - and prints the
// times and their ratio. The project's figure includes reading and parsing
// the files afresh each time, as a new SetupConfiguration does.
#include <chrono>
#include <cstdio>
#include <ratio>
#include <string>
#include <vector>

#include "KeyReads.h"
#include "LargeConfiguration.h"
#include "config/SetupConfiguration.h"
#include "win32/Win32Machine.h"

// After the platform's headers: its classes have members named like the
// macros of <windows.h> (MessageBox, ShellExecute).
#include <windows.h>

#include "handles/WindowsHandles.h"

namespace {

using kv::FileHandle;

// A steady std::chrono clock over the system's millisecond tick count. The
// runtime's own clocks import functions the import check of this build does
// not allow; the runs are long enough for millisecond ticks.
struct TickClock {
  using rep = int64_t;
  using period = std::milli;
  using duration = std::chrono::duration<rep, period>;
  using time_point = std::chrono::time_point<TickClock>;
  static constexpr bool is_steady = true;
  static time_point now() { return time_point(duration(::GetTickCount())); }
};
using Clock = TickClock;

bool WriteBytes(const std::string& path, const std::string& bytes) {
  const FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

using Values = std::vector<std::string>;

Values ReadWithReader(const kv::SetupConfiguration& configuration,
                      const std::vector<kv::bench::KeyRead>& reads) {
  Values values;
  for (const auto& read : reads) {
    values.push_back(read.moduleFile
                         ? configuration.ReadModuleValue(kv::PrinterModule::Receipt, read.section,
                                                         read.key, read.readLimit)
                         : configuration.ReadSetupValue(read.section, read.key, read.readLimit));
  }
  return values;
}

Values ReadWithSystem(kv::Machine& machine, const std::vector<kv::bench::KeyRead>& reads) {
  kv::SetupConfiguration paths(machine);
  const std::string modulePath = paths.ModuleFilePath(kv::PrinterModule::Receipt);
  Values values;
  for (const auto& read : reads) {
    values.push_back(
        machine.profiles.GetPrivateString(read.section, read.key, "0", read.readLimit,
                                          read.moduleFile ? modulePath : paths.setupIniPath()));
  }
  return values;
}

// Mean milliseconds per run, over at least 3 runs and two seconds.
template <typename Run>
double MeanMs(Run run, Values* last) {
  int runs = 0;
  const Clock::time_point start = Clock::now();
  Clock::duration spent{};
  do {
    *last = run();
    ++runs;
    spent = Clock::now() - start;
  } while (runs < 3 || spent < std::chrono::seconds(2));
  return std::chrono::duration<double, std::milli>(spent).count() / runs;
}

void PrintRatio(const char* name, size_t keys, double oursMs, double systemMs, bool same) {
  const double ratio = systemMs / oursMs;
  std::printf("%s (%u keys): reader %.3f ms, GetPrivateProfileStringA %.3f ms, ", name,
              static_cast<unsigned>(keys), oursMs, systemMs);
  if (ratio >= 1) {
    std::printf("reader %.1f times faster", ratio);
  } else {
    std::printf("reader %.1f times slower", 1 / ratio);
  }
  std::printf("%s\n", same ? "" : " - VALUES DIFFER");
}

// The same keys through a fresh SetupConfiguration each run (the files read
// and parsed every time), through one SetupConfiguration parsed beforehand,
// and through the system's profile functions (which keep the parsed file
// between calls).
bool Compare(const char* name, const std::vector<kv::bench::KeyRead>& reads, kv::Machine& machine) {
  Values fresh;
  Values parsed;
  Values system;
  const double freshMs = MeanMs(
      [&] {
        kv::SetupConfiguration configuration(machine);
        return ReadWithReader(configuration, reads);
      },
      &fresh);
  const kv::SetupConfiguration kept(machine);
  ReadWithReader(kept, reads);
  const double parsedMs = MeanMs([&] { return ReadWithReader(kept, reads); }, &parsed);
  const double systemMs = MeanMs([&] { return ReadWithSystem(machine, reads); }, &system);
  const bool same = fresh == system && parsed == system;
  PrintRatio((std::string(name) + ", unparsed files").c_str(), reads.size(), freshMs, systemMs,
             same);
  PrintRatio((std::string(name) + ", parsed files").c_str(), reads.size(), parsedMs, systemMs,
             same);
  return same;
}

}  // namespace

int main() {
  kv::Win32Machine win32;
  kv::Machine& machine = win32.machine();
  kv::SetupConfiguration paths(machine);
  std::string directory = paths.setupIniPath();
  directory.resize(directory.rfind('\\'));
  machine.files.CreateDirectory(directory);
  if (!WriteBytes(paths.setupIniPath(), kv::bench::LargeSetupIni(kv::bench::kLargeModelCount)) ||
      !WriteBytes(paths.ModuleFilePath(kv::PrinterModule::Receipt),
                  kv::bench::LargeModuleFile(kv::bench::kLargeModelCount))) {
    std::printf("cannot write the configuration in %s\n", directory.c_str());
    return 1;
  }
  const std::string model = kv::bench::LargeModelName(kv::bench::kLargeModelCount / 2);
  // The system's first read of each file parses it; later reads use its copy.
  const Clock::time_point coldStart = Clock::now();
  ReadWithSystem(machine, {{false, "DEVICENAME", "DEVICENUMBER", 50},
                           {true, model + ".PORT", "BaudRate", 200}});
  const Clock::time_point coldEnd = Clock::now();
  const kv::SetupConfiguration cold(machine);
  ReadWithReader(
      cold, {{false, "DEVICENAME", "DEVICENUMBER", 50}, {true, model + ".PORT", "BaudRate", 200}});
  std::printf("first read of both files: reader %lld ms, GetPrivateProfileStringA %lld ms\n",
              static_cast<long long>((Clock::now() - coldEnd).count()),
              static_cast<long long>((coldEnd - coldStart).count()));
  bool same =
      Compare("device list", kv::bench::DeviceListReads(kv::bench::kLargeModelCount), machine);
  same &= Compare("one model's definitions",
                  kv::bench::ModelDefinitionReads(model, kv::OsFamily::WinXP), machine);
  return same ? 0 : 1;
}
