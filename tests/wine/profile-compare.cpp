// Holds the configuration reader to GetPrivateProfileStringA: each case writes
// a small INI file, reads one key through both and compares the results. The
// reader's file access is held to the profile functions' as well: which files
// held open by another handle read, and that a file that could not be read is
// read at the next request. Prints one line per failure and "N passed, M
// failed" last.
//   profile-compare.exe [-v]     (-v: a line for every case)
//
// Where Wine's profile functions are known to differ from Windows, the case
// says so and expects Wine's own result from Wine and the Windows result from
// the reader.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "config/SetupConfiguration.h"
#include "profiletext/ProfileReader.h"
#include "win32/Win32Machine.h"

// After the platform's headers: its classes have members named like the
// macros of <windows.h> (MessageBox, ShellExecute).
#include <windows.h>

#include "handles/WindowsHandles.h"

namespace {

using kv::FileHandle;

struct Case {
  const char* name;
  std::string file;  // file bytes; a missing file when `missing`
  std::string section;
  std::string key;
  std::string defaultValue = "0";
  DWORD bufferChars = 200;
  bool missing = false;
  // Set when Wine differs from Windows: what Wine gives, and what the reader
  // (following Windows) gives instead.
  std::optional<std::string> wineGives = std::nullopt;
  std::optional<std::string> windowsGives = std::nullopt;
};

std::string Utf16(const std::string& text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) {
    bytes += littleEndian ? c : '\0';
    bytes += littleEndian ? '\0' : c;
  }
  return bytes;
}

std::vector<Case> Cases() {
  const std::string longValue(5000, 'v');
  const std::string hugeValue(70000, 'w');
  const std::string longName(250, 'N');
  std::vector<Case> cases = {
      {"plain value", "[S]\r\nK=v\r\n", "S", "K"},
      {"names ignore case", "[SeCtIoN]\r\nKeY=v\r\n", "sEcTiOn", "kEy"},
      {"requested names are trimmed", "[S]\r\nK=v\r\n", "  S\t", " K  "},
      {"blanks around key, '=' and value", "[S]\r\n   K   =   v w   \r\n", "S", "K"},
      {"tabs around key and value", "[S]\r\n\tK\t=\tv\t\r\n", "S", "K"},
      {"vertical tab and form feed", "[S]\r\nK=\v\fv\f\v\r\n", "S", "K"},
      {"Ctrl+Z after the value", "[S]\r\nK=v\x1A", "S", "K"},
      {"key name with inner blanks", "[S]\r\nKey  Name = v\r\n", "S", "Key  Name"},
      {"blanks inside the header", "[  S  ]\r\nK=v\r\n", "S", "K"},
      {"blanks before the header", "   [S]\r\nK=v\r\n", "S", "K"},
      {"text after the header", "[S] trailing\r\nK=v\r\n", "S", "K"},
      {"']' inside the header, whole name", "[a]b]\r\nK=v\r\n", "a]b", "K"},
      {"']' inside the header, first part", "[a]b]\r\nK=v\r\n", "a", "K"},
      {"header without ']'", "[S]\r\nK=1\r\n[T\r\nK=2\r\n", "S", "K"},
      {"missing section", "[S]\r\nK=v\r\n", "T", "K"},
      {"missing key", "[S]\r\nK=v\r\n", "S", "L"},
      {"missing file", "", "S", "K", "0", 200, true},
      {"empty file", "", "S", "K"},
      {"default loses trailing blanks", "[S]\r\n", "S", "K", "dflt   "},
      {"default keeps leading blanks", "[S]\r\n", "S", "K", "  dflt"},
      {"default is cut", "[S]\r\n", "S", "K", "abcdef", 4},
      {"empty value", "[S]\r\nK=\r\n", "S", "K"},
      {"blank value", "[S]\r\nK=    \r\n", "S", "K"},
      {"value holding '='", "[S]\r\nK=a=b\r\n", "S", "K"},
      {"';' and '#' inside a value", "[S]\r\nK=a ; b # c\r\n", "S", "K"},
      {"comment line is no key of its own name", "[S]\r\n;K=c\r\nK=v\r\n", "S", "K"},
      {"comment line read by its exact name", "[S]\r\n;K=c\r\n", "S", ";K"},
      {"'#' line read by its exact name", "[S]\r\n#K=c\r\n", "S", "#K"},
      {"line without '='", "[S]\r\nK\r\n", "S", "K"},
      {"line without '=' before the key", "[S]\r\nK\r\nK=v\r\n", "S", "K"},
      {"first of two keys wins", "[S]\r\nK=1\r\nK=2\r\n", "S", "K"},
      {"first of two keys wins, other case", "[S]\r\nk=1\r\nK=2\r\n", "S", "K"},
      {"later duplicate section: first key", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[s]\r\nA=3\r\nC=4\r\n",
       "S", "A"},
      {"later duplicate section: its own key", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[s]\r\nA=3\r\nC=4\r\n",
       "S", "C"},
      {"key before any section", "K=v\r\n[S]\r\nL=w\r\n", "S", "K"},
      {"LF line ends", "[S]\nA=1\nK=v\n", "S", "K"},
      {"CR line ends", "[S]\rA=1\rK=v\r", "S", "K"},
      {"mixed and doubled line ends", "[S]\r\r\nA=1\n\n\rK=v\n\r", "S", "K"},
      {"last line without line end", "[S]\r\nK=v", "S", "K"},
      {"blank and blank-only lines", "\r\n  \r\n[S]\r\n\t\r\n\r\nK=v\r\n \r\n", "S", "K"},
      // Windows does not know this mark: there the first line reads as
      // "\xEF\xBB\xBF[S]" and section S is missing. Wine and the reader read it.
      {"UTF-8 byte-order mark, section on line 1", "\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K"},
      {"UTF-8 byte-order mark, section on line 2", "\xEF\xBB\xBF\r\n[S]\r\nK=v\r\n", "S", "K"},
      {"UTF-16 LE with mark", Utf16("[S]\r\nK=v w\r\n", true), "S", "K"},
      {"UTF-16 BE with mark", Utf16("[S]\r\nK=v w\r\n", false), "S", "K"},
      {"5,000-character line", "[S]\r\nK=" + longValue + "\r\nL=after\r\n", "S", "L"},
      {"5,000-character value, large buffer", "[S]\r\nK=" + longValue + "\r\n", "S", "K", "0",
       6000},
      {"70,000-character value cut to 199", "[S]\r\nK=" + hugeValue + "\r\n", "S", "K"},
      {"250-character section and key names", "[" + longName + "]\r\n" + longName + "=v\r\n",
       longName, longName},
      {"byte with the high bit set", "[S]\r\nK=caf\xE9\r\n", "S", "K"},
      {"no-break space around the value", "[S]\r\nK=\xA0v\xA0\r\n", "S", "K"},
      {"quoted default", "[S]\r\n", "S", "K", "\"d\""},
      {"quoted default, missing file", "", "S", "K", "\"d\"", 200, true},
      {"quoted default is cut", "[S]\r\n", "S", "K", "'abcdef'", 5},
      {"empty section header", "K=v\r\n[]\r\nL=w\r\n[S]\r\n", "S", "L"},
      {"zero byte inside a value", std::string("[S]\r\nK=ab\0cd\r\n", 15), "S", "K"},
      {"value of blanks between quotes", "[S]\r\nK=\"   \"\r\n", "S", "K"},
      {"'[' inside a value is no header", "[S]\r\nK=[T]\r\n[T]\r\nL=v\r\n", "T", "L"},
      {"'[' after other text is no header", "[S]\r\nx [T]\r\nL=v\r\n", "S", "L"},
      {"header after tabs", "[S]\r\nK=1\r\n\t\t[T]\r\nK=2\r\n", "T", "K"},
      {"header on the last line, no line end", "[S]\r\nK=v\r\n[T]", "S", "K"},
      {"repeated header ends the section before", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[S]\r\nC=3\r\n", "T",
       "C"},
      {"device entry", "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=KP-300-ReceiptPrinter\r\n",
       "DEVICENAME", "DEVICENAME1"},
  };
  // Cutting at every buffer size around the value's length.
  for (DWORD size = 1; size <= 12; ++size) {
    cases.push_back({"cut plain value", "[S]\r\nK=abcdefghij\r\n", "S", "K", "0", size});
  }
  // Quotes, at every buffer size around the value's length. Windows removes
  // the quotes and cuts what is left to the buffer. Wine does too, except
  // when the unquoted value is exactly one character shorter than the buffer:
  // it then drops the value's last character, which would have fitted.
  const std::string quoted[] = {"\"abcdef\"",   "'abcdef'",    "\"abcdef'",
                                "\"abc\"def\"", "\"  abc  \"", "\"",
                                "\"\"",         "''",          "x\"abc\""};
  for (const std::string& value : quoted) {
    const bool enclosed =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    const std::string inner = enclosed ? value.substr(1, value.size() - 2) : value;
    for (DWORD size = 1; size <= 10; ++size) {
      Case c{"quoted value", "[S]\r\nK=" + value + "\r\n", "S", "K", "0", size};
      if (enclosed && !inner.empty() && size == inner.size() + 1) {
        c.wineGives = inner.substr(0, inner.size() - 1);
        c.windowsGives = inner;
      }
      cases.push_back(c);
    }
  }
  return cases;
}

std::string Printable(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      shown += escape;
    }
  }
  if (shown.size() > 60) shown = shown.substr(0, 40) + "...(" + std::to_string(text.size()) + ")";
  return shown;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  const FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

// The system's result, with guard bytes after the buffer to catch overruns.
std::string SystemRead(const Case& c, const std::string& path, bool* overran) {
  constexpr size_t kGuard = 16;
  std::vector<char> buffer(c.bufferChars + kGuard, '\x5A');
  ::GetPrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.defaultValue.c_str(),
                             buffer.data(), c.bufferChars, path.c_str());
  *overran = false;
  for (size_t i = c.bufferChars; i < buffer.size(); ++i) *overran |= buffer[i] != '\x5A';
  return std::string(buffer.data());
}

// The zero-separated list the profile functions give for a NULL section or key.
std::vector<std::string> NameList(const char* section, const std::string& path) {
  std::vector<char> buffer(1 << 20);
  DWORD length = ::GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), path.c_str());
  std::vector<std::string> names;
  for (DWORD i = 0; i < length;) {
    std::string name(buffer.data() + i);
    i += static_cast<DWORD>(name.size()) + 1;
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  const FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return bytes;
  char chunk[4096];
  DWORD read = 0;
  while (::ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
    bytes.append(chunk, read);
  return bytes;
}

// Every key of every section of a real configuration file, at each read limit
// the configuration uses: one check per file.
bool CompareWholeFile(const std::string& path, int* keys) {
  const kv::ProfileReader reader(ReadBytes(path));
  bool same = true;
  for (const std::string& section : NameList(nullptr, path)) {
    for (const std::string& key : NameList(section.c_str(), path)) {
      ++*keys;
      for (DWORD limit : {5u, 10u, 30u, 50u, 200u, 260u}) {
        Case c{"file", "", section, key, "0", limit};
        bool overran = false;
        const std::string system = SystemRead(c, path, &overran);
        const std::string ours = reader.Read(section, key, "0", limit);
        if (system != ours || overran) {
          std::printf("FAIL %s [%s] %s (buffer %lu): system '%s', reader '%s'\n", path.c_str(),
                      section.c_str(), key.c_str(), static_cast<unsigned long>(limit),
                      Printable(system).c_str(), Printable(ours).c_str());
          same = false;
        }
      }
    }
  }
  return same;
}

// A file another handle holds open, for each access and sharing of that
// handle: the reader's file access reads it exactly when
// GetPrivateProfileStringA does. One check per handle.
void CompareSharing(kv::Files& files, const std::string& directory, bool verbose, int* passed,
                    int* failed) {
  const DWORD accesses[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  const DWORD sharings[] = {0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE};
  int index = 0;
  for (DWORD access : accesses) {
    for (DWORD sharing : sharings) {
      const std::string path = directory + "\\held" + std::to_string(++index) + ".ini";
      WriteBytes(path, "[S]\r\nK=v\r\n");
      FileHandle held(::CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
      const bool opened = held.valid();
      char buffer[16] = {};
      ::GetPrivateProfileStringA("S", "K", "0", buffer, sizeof buffer, path.c_str());
      std::string bytes;
      const uint32_t error = files.ReadWholeFile(path, &bytes);
      held.reset();
      const bool systemReads = std::string(buffer) == "v";
      const bool ok = opened && systemReads == (error == 0);
      (ok ? *passed : *failed)++;
      if (!ok || verbose) {
        std::printf("%s held open (access 0x%08lX, sharing %lu): system %s, reader %s (%lu)\n",
                    ok ? "ok" : "FAIL", static_cast<unsigned long>(access),
                    static_cast<unsigned long>(sharing), systemReads ? "reads" : "does not read",
                    error == 0 ? "reads" : "does not read", static_cast<unsigned long>(error));
      }
      ::DeleteFileA(path.c_str());
    }
  }
}

// setup.ini held open without sharing reads as defaults through both; once
// it is closed, the same SetupConfiguration reads it as the system does.
// Needs the medium's setup.ini in DRVCONFIG beside the program.
void CompareReadAfterRelease(kv::Machine& machine, int* passed, int* failed) {
  const kv::SetupConfiguration configuration(machine);
  const std::string& path = configuration.setupIniPath();
  auto system = [&] {
    char buffer[64] = {};
    ::GetPrivateProfileStringA("DEVICENAME", "DEVICENUMBER", "0", buffer, sizeof buffer,
                               path.c_str());
    return std::string(buffer);
  };
  FileHandle held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held) {
    std::printf("FAIL read after release: cannot hold %s\n", path.c_str());
    ++*failed;
    return;
  }
  const std::string systemHeld = system();
  const std::string oursHeld = configuration.ReadSetupValue("DEVICENAME", "DEVICENUMBER", 50);
  held.reset();
  const std::string systemAfter = system();
  const std::string oursAfter = configuration.ReadSetupValue("DEVICENAME", "DEVICENUMBER", 50);
  const bool ok = systemHeld == oursHeld && systemAfter == oursAfter && systemAfter != "0";
  (ok ? *passed : *failed)++;
  std::printf(
      "%s read after release: held: system '%s', reader '%s'; released: system '%s', "
      "reader '%s'\n",
      ok ? "ok" : "FAIL", systemHeld.c_str(), oursHeld.c_str(), systemAfter.c_str(),
      oursAfter.c_str());
}

}  // namespace

// Arguments: [-v] then any configuration files to compare key by key.
int main(int argc, char** argv) {
  const bool verbose = argc > 1 && std::string(argv[1]) == "-v";
  char directory[MAX_PATH] = {};
  ::GetCurrentDirectoryA(sizeof directory, directory);
  int passed = 0;
  int failed = 0;
  int index = 0;
  for (const Case& c : Cases()) {
    ++index;
    // A new file for every case: the profile functions keep recently read
    // files, and a file rewritten within the same second may not be read again.
    const std::string path = std::string(directory) + "\\case" + std::to_string(index) + ".ini";
    if (!c.missing && !WriteBytes(path, c.file)) {
      std::printf("FAIL %d %s: cannot write %s\n", index, c.name, path.c_str());
      ++failed;
      continue;
    }
    bool overran = false;
    const std::string system = SystemRead(c, path, &overran);
    const kv::ProfileReader reader = c.missing ? kv::ProfileReader() : kv::ProfileReader(c.file);
    const std::string ours = reader.Read(c.section, c.key, c.defaultValue, c.bufferChars);
    const std::string expectedSystem = c.wineGives ? *c.wineGives : ours;
    const bool ok =
        !overran && system == expectedSystem && (!c.windowsGives || ours == c.windowsGives);
    (ok ? passed : failed)++;
    if (!ok || verbose) {
      std::printf("%s %d %s (buffer %lu): system '%s', reader '%s'%s%s\n", ok ? "ok" : "FAIL",
                  index, c.name, static_cast<unsigned long>(c.bufferChars),
                  Printable(system).c_str(), Printable(ours).c_str(),
                  c.wineGives ? " (Wine differs from Windows here)" : "",
                  overran ? ", system wrote past the buffer" : "");
    }
    if (!c.missing) ::DeleteFileA(path.c_str());
  }
  kv::Win32Machine win32;
  CompareSharing(win32.machine().files, directory, verbose, &passed, &failed);
  CompareReadAfterRelease(win32.machine(), &passed, &failed);
  for (int i = verbose ? 2 : 1; i < argc; ++i) {
    int keys = 0;
    const bool same = CompareWholeFile(argv[i], &keys);
    (same && keys > 0 ? passed : failed)++;
    std::printf("%s %s: %d keys\n", same && keys > 0 ? "ok" : "FAIL", argv[i], keys);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
