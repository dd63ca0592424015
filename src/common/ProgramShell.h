#pragma once

#include <string>

#include "common/PlatformHandles.h"
#include "common/ProgramIdentity.h"
#include "platform/Machine.h"

namespace kv {

// The base name of the running program's file without its extension: the
// name of the single-instance mutex and the caption of the program's message
// boxes. `nameWithoutFile` when the file name cannot be had.
std::string ApplicationName(Files& files, std::string_view nameWithoutFile);

// The start-up both programs make before their window: one copy at a time,
// never beside the other program.
class ProgramShell {
 public:
  ProgramShell(Machine& machine, const ProgramIdentity& identity);
  ProgramShell(const ProgramShell&) = delete;
  ProgramShell& operator=(const ProgramShell&) = delete;

  const std::string& applicationName() const { return applicationName_; }

  // Takes the mutex named after the program's file (copies under other file
  // names do not exclude each other) and the program's fixed-name mutex.
  // False when this copy must end: another copy holds the first mutex (its
  // window is brought to the front, no message) or the other program runs,
  // with a window or silently (the user is told).
  bool StartAlone();

 private:
  Machine& machine_;
  const ProgramIdentity& identity_;
  std::string applicationName_;
  // The single-instance mutex, held until the shell goes.
  OwnedMutex mutex_;
  // The program's fixed-name mutex, which the other program tests.
  OwnedMutex runningMutex_;
};

// F1: brings the help viewer's window to the front when one is open, else
// asks the shell to open the program's help files in turn until one opens.
void OpenHelp(Desktop& desktop, const HelpFiles& help);

}  // namespace kv
