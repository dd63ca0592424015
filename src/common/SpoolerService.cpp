#include "common/SpoolerService.h"

#include <cstdio>

#include "common/ServiceHandle.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr uint32_t kStopSettleMs = 100;
constexpr uint32_t kPollIntervalMs = 300;
constexpr int kMaxPolls = 10;
constexpr uint32_t kRestartPauseMs = 2000;

}  // namespace

void StopSpooler(Services& services, Clock& clock) {
  ServiceHandle manager(services);
  if (!manager.OpenManager()) return;
  {
    ServiceHandle spooler(services);
    if (spooler.OpenService(manager, kSpoolerServiceName, kServiceStop)) {
      services.Stop(spooler.get());
    }
  }
  clock.Sleep(kStopSettleMs);
}

void StartSpooler(Services& services, std::string& message) {
  ServiceHandle manager(services);
  if (!manager.OpenManager()) return;
  ServiceHandle spooler(services);
  if (!spooler.OpenService(manager, kSpoolerServiceName, kServiceStart)) return;
  uint32_t error = services.Start(spooler.get());
  if (error != kErrorSuccess && error != kErrorServiceAlreadyRunning) {
    char text[64];
    std::snprintf(text, sizeof text, "Start spool service error, error code = %u", error);
    message = text;
  }
}

bool WaitForSpoolerRunning(Services& services, Clock& clock, std::string& message) {
  bool running = false;
  {
    ServiceHandle manager(services);
    if (manager.OpenManager()) {
      ServiceHandle spooler(services);
      spooler.OpenService(manager, kSpoolerServiceName, kServiceQueryStatus);
      for (int poll = 0; poll < kMaxPolls; ++poll) {
        uint32_t state = 0;
        running = spooler.IsOpen() && services.QueryState(spooler.get(), &state) == kErrorSuccess &&
                  state == kServiceRunning;
        if (running) break;
        clock.Sleep(kPollIntervalMs);
      }
    }
  }
  if (!running) message = "StartSpoolService error";
  return running;
}

void RestartSpooler(Services& services, Clock& clock) {
  ServiceHandle manager(services);
  if (!manager.OpenManager()) return;
  {
    ServiceHandle spooler(services);
    if (spooler.OpenService(manager, kSpoolerServiceName, kServiceStop)) {
      services.Stop(spooler.get());
    }
  }
  clock.Sleep(kRestartPauseMs);
  ServiceHandle spooler(services);
  if (spooler.OpenService(manager, kSpoolerServiceName, kServiceStart)) {
    services.Start(spooler.get());
  }
}

}  // namespace kv
