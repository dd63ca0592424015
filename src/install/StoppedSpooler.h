#pragma once

#include <string>

#include "common/OsFamily.h"
#include "platform/Clock.h"
#include "platform/Services.h"

namespace kv {

// The print spooler stopped for this object's lifetime, so that the DLLs it
// holds can be replaced. Every way out starts it again: Restart on the way to
// success, the destructor on every other path, so a failed replacement never
// leaves the machine without its spooler.
class StoppedSpooler {
 public:
  // Stops the service, then waits 500 ms for it to let go of its files.
  StoppedSpooler(Services& services, Clock& clock, OsFamily family);
  ~StoppedSpooler();
  StoppedSpooler(const StoppedSpooler&) = delete;
  StoppedSpooler& operator=(const StoppedSpooler&) = delete;

  // Starts the service, waits (1000 ms on NT 4.0 and 2000, 2500 ms on XP and
  // Server 2003, none on Vista), starts it again, waits 1000 ms and checks
  // that it runs; if it does not, one more start and false, with the text of
  // the failure in `message`. When it runs, `message` holds again what it
  // held before: a first start refused while the service was still stopping
  // is no failure of the installation.
  bool Restart(std::string& message);

 private:
  Services& services_;
  Clock& clock_;
  OsFamily family_;
  bool restarted_ = false;
};

}  // namespace kv
