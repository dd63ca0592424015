#pragma once

#include <string>

#include "platform/Clock.h"
#include "platform/Services.h"

namespace kv {

inline constexpr const char* kSpoolerServiceName = "Spooler";

// Asks the Spooler service to stop and waits 100 ms; reports nothing.
void StopSpooler(Services& services, Clock& clock);
// Starts the service; a refusal other than "already running" leaves
// "Start spool service error, error code = N" in the message.
void StartSpooler(Services& services, std::string& message);
// Polls up to ten times, 300 ms apart, for the running state; false with
// "StartSpoolService error" when it does not come.
bool WaitForSpoolerRunning(Services& services, Clock& clock, std::string& message);
// Stop, 2000 ms, start; outcomes not examined.
void RestartSpooler(Services& services, Clock& clock);

}  // namespace kv
